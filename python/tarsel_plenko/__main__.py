"""Find the stretches of a price history that looked most like its latest one.

    python -m tarsel_plenko                # the shipped ORCL daily history
    python -m tarsel_plenko --csv my.csv --window 30 --metric dtw

Indexes every window of the history, matches the most recent window against
them and prints the best matches with the return that followed each.
"""

from __future__ import annotations

import argparse
import csv
import datetime as dt
import json
import sys
from importlib import resources
from pathlib import Path

from ._tarsel_plenko import Plenko

HORIZONS = (5, 10, 20)
DEFAULT_FEATURES = [{"kind": "indicator", "name": "ZScore", "params": [20]}]
COLUMNS = ("time", "open", "high", "low", "close")


class DemoError(Exception):
    """A problem with the user's input, reported as one line."""


def parse_args(argv: list[str] | None) -> argparse.Namespace:
    p = argparse.ArgumentParser(
        prog="tarsel-plenko",
        description=(
            "Index every window of a daily (or any) OHLCV history, match its most recent window "
            "and show the most similar earlier windows with the returns over the next "
            + ", ".join(map(str, HORIZONS))
            + " bars. Matches closer than one window to the query, or to a better match already "
            "shown, are skipped, so every window shown is distinct from the others and from the query "
            "(the engine ranks every window as usual; only what is shown is filtered)."
        ),
    )
    p.add_argument(
        "--csv",
        metavar="FILE",
        help="history with header time,open,high,low,close[,volume]; time in milliseconds since the "
        "Unix epoch (UTC) or an ISO date/time such as 2014-12-31 (default: the shipped ORCL daily history)",
    )
    p.add_argument("--window", type=positive, default=20, help="bars per fingerprint window (default 20)")
    p.add_argument("--k", type=positive, default=10, help="how many matches to show (default 10)")
    p.add_argument("--metric", choices=["cosine", "euclid", "dtw"], default="cosine", help="default cosine")
    p.add_argument("--normalize", choices=["none", "z_score", "min_max"], default="none", help="default none")
    p.add_argument(
        "--features",
        type=feature_list,
        default=DEFAULT_FEATURES,
        metavar="JSON",
        help='feature list, e.g. \'[{"kind":"price","field":"close"},{"kind":"indicator","name":"Sma","params":[20]}]\' '
        "(default: ZScore(20) of the close, the close's place in its last 20 bars)",
    )
    return p.parse_args(argv)


def positive(text: str) -> int:
    try:
        n = int(text)
    except ValueError:
        raise argparse.ArgumentTypeError(f"not an integer: {text!r}") from None
    if n < 1:
        raise argparse.ArgumentTypeError(f"must be at least 1: {text}")
    return n


def feature_list(text: str) -> list:
    try:
        value = json.loads(text)
    except json.JSONDecodeError as e:
        raise argparse.ArgumentTypeError(f"not valid JSON: {e}") from None
    if not isinstance(value, list) or not value:
        raise argparse.ArgumentTypeError("must be a non-empty JSON list of features")
    return value


# ---- reading the history -----------------------------------------------------


def parse_time(text: str) -> int:
    """Milliseconds since the Unix epoch: an integer as is, or an ISO date or
    date-time (UTC unless it carries an offset)."""
    text = text.strip()
    try:
        return int(text)
    except ValueError:
        pass
    try:
        when = dt.datetime.fromisoformat(text.replace("Z", "+00:00"))
    except ValueError:
        raise ValueError(f"not a time: {text!r}") from None
    if when.tzinfo is None:
        when = when.replace(tzinfo=dt.timezone.utc)
    return int(when.timestamp() * 1000)


def read_history(path: Path, label: str) -> list[list]:
    try:
        with path.open(newline="", encoding="utf-8") as f:
            reader = csv.reader(f)
            header = next(reader, None)
            if header is None:
                raise DemoError(f"{label}: the file is empty")
            names = [h.strip().lower() for h in header]
            missing = [c for c in COLUMNS if c not in names]
            if missing:
                raise DemoError(f"{label}: missing column {missing[0]!r} (header: {','.join(header)})")
            where = {c: names.index(c) for c in (*COLUMNS, "volume") if c in names}
            bars = []
            for line, row in enumerate(reader, start=2):
                if not row or all(not cell.strip() for cell in row):
                    continue
                bars.append(read_bar(row, where, f"{label} line {line}"))
    except OSError as e:
        raise DemoError(f"cannot read {label}: {e.strerror or e}") from None
    except UnicodeDecodeError:
        raise DemoError(f"{label}: not a UTF-8 text file") from None
    for i in range(1, len(bars)):
        if bars[i][0] <= bars[i - 1][0]:
            raise DemoError(f"{label}: times must increase from row to row (row {i + 2} does not)")
    return bars


def read_bar(row: list[str], where: dict[str, int], place: str) -> list:
    def cell(name: str) -> str:
        i = where[name]
        if i >= len(row):
            raise DemoError(f"{place}: no value in column {name!r}")
        return row[i]

    try:
        t = parse_time(cell("time"))
    except ValueError as e:
        raise DemoError(f"{place}: {e}") from None
    values = [t]
    for name in ("open", "high", "low", "close", "volume"):
        if name not in where:
            values.append(0.0)
            continue
        text = cell(name).strip()
        try:
            v = float(text)
        except ValueError:
            raise DemoError(f"{place}: bad number {text!r} in column {name!r}") from None
        if v != v or v in (float("inf"), float("-inf")):
            raise DemoError(f"{place}: column {name!r} must be a finite number, got {text!r}")
        values.append(v)
    return values


# ---- matching ----------------------------------------------------------------


def command(engine: Plenko, cmd: dict) -> dict:
    response = json.loads(engine.command(json.dumps(cmd)))
    if "error" in response:
        raise DemoError(response["error"])
    return response


def distinct_matches(ranked: list[dict], position: dict[int, int], query: int, window: int, k: int) -> list[dict]:
    """The best matches that end at least one window away from the query and
    from every better match kept, so no two windows shown overlap."""
    kept: list[dict] = []
    for m in ranked:
        i = position[m["ts"]]
        if abs(query - i) < window or any(abs(position[o["ts"]] - i) < window for o in kept):
            continue
        kept.append(m)
        if len(kept) == k:
            break
    return kept


def forward_return(bars: list[list], i: int, h: int) -> float | None:
    if i + h >= len(bars) or bars[i][4] == 0.0:
        return None
    return bars[i + h][4] / bars[i][4] - 1.0


def date_text(ms: int) -> str:
    when = dt.datetime(1970, 1, 1, tzinfo=dt.timezone.utc) + dt.timedelta(milliseconds=ms)
    return when.strftime("%Y-%m-%d") if when.time() == dt.time(0) else when.strftime("%Y-%m-%d %H:%M")


def percent(x: float | None) -> str:
    return "—" if x is None else f"{x * 100:+.2f}%"


def feature_text(f: dict) -> str:
    if f.get("kind") == "price":
        return str(f.get("field"))
    name = f"{f.get('name')}({','.join(format(p, 'g') for p in f.get('params', []))})"
    return name + (f".{f['field']}" if f.get("field") else "")


def run(args: argparse.Namespace) -> str:
    if args.csv:
        label = args.csv
        bars = read_history(Path(args.csv), label)
    else:
        label = "orcl-daily.csv (shipped)"
        with resources.as_file(resources.files("tarsel_plenko") / "data" / "orcl-daily.csv") as path:
            bars = read_history(path, label)
    if not bars:
        raise DemoError(f"{label}: no bars after the header")

    spec = {"features": args.features, "window": args.window, "metric": args.metric, "normalize": args.normalize}
    try:
        engine = Plenko(json.dumps(spec))
    except ValueError as e:
        raise DemoError(str(e)) from None
    indexed = command(engine, {"cmd": "index", "history": bars})["indexed"]
    if indexed == 0:
        raise DemoError(
            f"history too short: {len(bars)} bars give no window of {args.window} bars with every feature "
            "warmed up"
        )
    # Every match is asked for: the distinct ones are picked from the full ranking.
    ranked = command(engine, {"cmd": "match", "current": bars, "k": indexed})["matches"]
    position = {b[0]: i for i, b in enumerate(bars)}
    query = len(bars) - 1
    shown = distinct_matches(ranked, position, query, args.window, args.k)
    if not shown:
        raise DemoError(
            f"history too short: no window of {args.window} bars ends at least one window before the latest one"
        )

    lines = [
        f"{label}: {len(bars)} bars, {date_text(bars[0][0])} .. {date_text(bars[-1][0])}",
        f"features {', '.join(feature_text(f) for f in args.features)}; window {args.window}; "
        f"metric {args.metric}; normalize {args.normalize}; {indexed} windows indexed",
        f"query: the window ending {date_text(bars[query][0])}; matches at least {args.window} bars "
        "from it and from each other",
        "",
    ]
    heads = ["#", "window end", "similarity"] + [f"+{h} bars" for h in HORIZONS]
    rows = []
    sums = {h: [] for h in HORIZONS}
    for n, m in enumerate(shown, start=1):
        i = position[m["ts"]]
        rets = {h: forward_return(bars, i, h) for h in HORIZONS}
        for h, r in rets.items():
            if r is not None:
                sums[h].append(r)
        sim = "n/a" if m["similarity"] is None else f"{m['similarity']:.8f}"
        rows.append([str(n), date_text(m["ts"]), sim] + [percent(rets[h]) for h in HORIZONS])
    rows.append(["", "average", ""] + [percent(sum(v) / len(v) if v else None) for v in sums.values()])
    widths = [max(len(r[c]) for r in [heads] + rows) for c in range(len(heads))]
    align = [str.rjust, str.ljust, str.rjust] + [str.rjust] * len(HORIZONS)
    for r in [heads] + rows:
        lines.append("  ".join(a(cell, w) for a, cell, w in zip(align, r, widths)).rstrip())
    return "\n".join(lines)


def main(argv: list[str] | None = None) -> int:
    args = parse_args(argv)
    try:
        print(run(args))
    except DemoError as e:
        print(f"tarsel-plenko: error: {e}", file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
