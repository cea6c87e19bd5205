"""`python -m tarsel_plenko` end to end on the shipped history."""

import csv
import datetime as dt
import os
import pathlib
import subprocess
import sys

import pytest

import tarsel_plenko

DATA = pathlib.Path(tarsel_plenko.__file__).parent / "data" / "orcl-daily.csv"


def demo(*args, cwd=None):
    env = dict(os.environ)
    # The package as the test session sees it (a build stage or the install).
    env["PYTHONPATH"] = os.pathsep.join([str(pathlib.Path(tarsel_plenko.__file__).parents[1])] + sys.path)
    return subprocess.run(
        [sys.executable, "-m", "tarsel_plenko", *args], capture_output=True, text=True, env=env, cwd=cwd, timeout=120
    )


def closes_by_date():
    with DATA.open() as f:
        rows = list(csv.DictReader(f))
    dates = [dt.datetime.fromtimestamp(int(r["time"]) / 1000, dt.timezone.utc).strftime("%Y-%m-%d") for r in rows]
    return dates, [float(r["close"]) for r in rows]


def table(stdout):
    """The numbered rows of the printed table, split on white space."""
    return [line.split() for line in stdout.splitlines() if line.strip()[:1].isdigit() and "window" not in line]


def test_default_run_shows_distinct_matches_with_what_followed(tmp_path):
    r = demo(cwd=tmp_path)  # no file of the working directory is needed
    assert r.returncode == 0, r.stderr
    assert r.stderr == ""
    dates, closes = closes_by_date()
    rows = table(r.stdout)
    assert len(rows) == 10
    assert "2014-12-31" in r.stdout  # the query's end
    position = {d: i for i, d in enumerate(dates)}
    ends = [position[row[1]] for row in rows]
    query = len(dates) - 1
    # Neither the query window nor any window overlapping it or another
    # shown window.
    assert all(query - i >= 20 for i in ends)
    assert all(abs(a - b) >= 20 for n, a in enumerate(ends) for b in ends[:n])
    sims = [float(row[2]) for row in rows]
    assert sims == sorted(sims, reverse=True)
    assert all(0.0 <= s < 1.0 for s in sims)
    for row, i in zip(rows, ends):
        want = [f"{(closes[i + h] / closes[i] - 1) * 100:+.2f}%" for h in (5, 10, 20)]
        assert row[3:6] == want
    average = [line for line in r.stdout.splitlines() if "average" in line]
    assert len(average) == 1
    means = [sum(float(row[c].rstrip("%")) for row in rows) / len(rows) for c in (3, 4, 5)]
    got = [float(x.rstrip("%")) for x in average[0].split()[1:]]
    assert got == pytest.approx(means, abs=0.006)  # each entry rounded to 0.01 %


def test_options_reach_the_engine(tmp_path):
    r = demo(
        "--window", "10", "--k", "3", "--metric", "dtw", "--normalize", "z_score",
        "--features", '[{"kind":"price","field":"close"},{"kind":"indicator","name":"Sma","params":[5]}]',
    )  # fmt: skip
    assert r.returncode == 0, r.stderr
    assert len(table(r.stdout)) == 3
    assert "window 10" in r.stdout and "metric dtw" in r.stdout and "normalize z_score" in r.stdout
    assert "close, Sma(5)" in r.stdout


def test_iso_dates_give_the_same_matches_as_milliseconds(tmp_path):
    with DATA.open() as f:
        rows = list(csv.reader(f))[:801]
    ms_file, iso_file = tmp_path / "ms.csv", tmp_path / "iso.csv"
    ms_file.write_text("\n".join(",".join(r) for r in rows) + "\n")
    iso = [rows[0]] + [
        [dt.datetime.fromtimestamp(int(r[0]) / 1000, dt.timezone.utc).strftime("%Y-%m-%d")] + r[1:] for r in rows[1:]
    ]
    iso_file.write_text("\n".join(",".join(r) for r in iso) + "\n")
    a, b = demo("--csv", str(ms_file)), demo("--csv", str(iso_file))
    assert a.returncode == 0 and b.returncode == 0, (a.stderr, b.stderr)
    assert table(a.stdout) == table(b.stdout)
    assert len(table(a.stdout)) == 10


def write(path, text):
    path.write_text(text)
    return str(path)


@pytest.mark.parametrize(
    "make, message",
    [
        (lambda d: str(d / "absent.csv"), "cannot read"),
        (lambda d: write(d / "cols.csv", "time,open,high,close,volume\n1,1,1,1,1\n"), "missing column 'low'"),
        (lambda d: write(d / "num.csv", "time,open,high,low,close\n1,1,1,x,1\n"), "bad number 'x' in column 'low'"),
        (lambda d: write(d / "short.csv", "time,open,high,low,close\n" + "".join(f"{t},1,1,1,1\n" for t in range(30))),
         "history too short"),
        (lambda d: write(d / "time.csv", "time,open,high,low,close\nsoon,1,1,1,1\n"), "not a time: 'soon'"),
    ],
)  # fmt: skip
def test_bad_input_gives_one_line_and_no_traceback(tmp_path, make, message):
    r = demo("--csv", make(tmp_path))
    assert r.returncode == 1
    assert r.stdout == ""
    lines = r.stderr.splitlines()
    assert len(lines) == 1 and lines[0].startswith("tarsel-plenko: error: ")
    assert message in lines[0]


def test_engine_errors_are_reported_the_same_way():
    r = demo("--features", '[{"kind":"indicator","name":"Nope","params":[]}]')
    assert r.returncode == 1
    assert r.stderr.strip() == "tarsel-plenko: error: unknown feature: Nope: unknown indicator type: Nope"


def test_help_documents_the_exclusion_rule():
    r = demo("--help")
    assert r.returncode == 0
    text = " ".join(r.stdout.split())
    assert "closer than one window to the query" in text
