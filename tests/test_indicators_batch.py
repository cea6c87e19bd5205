"""The batch path (`compute`) runs its own loop over whole columns; it must give
bit for bit what the streaming object gives bar by bar, for every registered
name, including on bars an indicator must reject and bars it rejects itself.

The history is the shipped ORCL daily record with bad bars spliced in: inside
the warm-up, back to back, and later on (a NaN close, high below low, an
infinite open, a negative or NaN volume, a zero close, a flat stretch)."""

import math
import pathlib

import numpy as np
import pytest

import tarsel_plenko
from tarsel_plenko import indicators

DATA = pathlib.Path(tarsel_plenko.__file__).parent / "data" / "orcl-daily.csv"
BARS = 1500
COLUMNS = ("time", "open", "high", "low", "close", "volume")

NAMES = indicators.names()
CLOSE_NAMES = [n for n in NAMES if indicators.describe(n)["input"] == "close"]


def load(n):
    raw = np.genfromtxt(DATA, delimiter=",", names=True, dtype=None, encoding="ascii")[-n:]
    out = {"time": np.ascontiguousarray(raw["time"].astype(np.int64))}
    for key in COLUMNS[1:]:
        out[key] = np.ascontiguousarray(raw[key].astype(np.float64))
    return out


def splice(data, at, **values):
    """Inserts one bar before position `at`: a copy of the bar there, with `values` replacing columns."""
    out = {}
    for key, col in data.items():
        new = values.get(key, col[at])
        out[key] = np.insert(col, at, np.asarray(new, dtype=col.dtype))
    return out


def with_bad_bars(data):
    nan, inf = math.nan, math.inf
    bad = [
        (3, {"close": nan}),
        (5, {"high": 1.0, "low": 2.0}),  # high below low
        (6, {"close": nan}),  # back to back with the next one
        (7, {"open": inf}),
        (40, {"volume": -1.0}),
        (41, {"volume": nan}),
        (300, {"close": nan}),
        (301, {"high": 0.5, "low": 0.75}),
        (700, {"open": 0.0, "high": 0.0, "low": 0.0, "close": 0.0}),  # a valid candle a log rejects
        (1100, {"close": -inf}),
    ]
    # Later positions first, so every position refers to the original bars.
    for at, values in sorted(bad, key=lambda b: -b[0]):
        data = splice(data, at, **values)
    # A flat stretch: 30 copies of one bar (degenerate windows).
    flat = 900
    for _ in range(30):
        data = splice(data, flat)
    # Times stay strictly increasing for the calendar members.
    data["time"] = data["time"][0] + np.arange(data["time"].size, dtype=np.int64) * 86_400_000
    return data


@pytest.fixture(scope="module")
def history():
    return with_bad_bars(load(BARS))


def streamed(name, params, data, close_only):
    """Values, has-value flags and field columns from one Indicator fed bar by bar."""
    ind = indicators.Indicator(name, params)
    n = data["close"].size
    fields = indicators.describe(name)["fields"]
    value = np.full(n, math.nan)
    has = np.zeros(n, dtype=bool)
    cols = {f: np.full(n, math.nan) for f in fields}
    for i in range(n):
        if close_only:
            c = float(data["close"][i])
            v = ind.update(0, c, c, c, c)
        else:
            v = ind.update(int(data["time"][i]), *(float(data[k][i]) for k in COLUMNS[1:]))
        if v is None:
            continue
        value[i] = v
        has[i] = True
        got = ind.fields
        assert list(got) == fields
        for f in fields:
            cols[f][i] = got[f]
    return value, has, cols


def bits(a):
    return np.asarray(a, dtype=np.float64).view(np.uint64)


def assert_same(out, expected, fields):
    value, has, cols = expected
    assert np.array_equal(out["has_value"], has)
    yielded = np.flatnonzero(has)
    idle = np.flatnonzero(~has)
    for key, want in (("value", value), *((f, cols[f]) for f in fields)):
        got = out[key]
        mismatch = yielded[bits(got[yielded]) != bits(want[yielded])]
        assert mismatch.size == 0, f"{key} differs first at bar {mismatch[:1]}: {got[mismatch[:1]]} vs {want[mismatch[:1]]}"
        assert np.all(np.isnan(got[idle])), f"{key} holds a number on a bar that yielded nothing"


@pytest.mark.parametrize("name", NAMES)
def test_batch_equals_streaming_over_candles_with_bad_bars(name, history):
    d = indicators.describe(name)
    params = d["typical_params"]
    out = indicators.compute(name, params, history)
    assert_same(out, streamed(name, params, history, close_only=False), d["fields"])


@pytest.mark.parametrize("name", CLOSE_NAMES)
def test_batch_equals_streaming_from_closes_alone(name, history):
    # No time, open, high, low or volume columns: the batch reads time 0,
    # volume 0.0 and the close for every price, like a bare streaming update.
    d = indicators.describe(name)
    params = d["typical_params"]
    out = indicators.compute(name, params, {"close": history["close"]})
    assert_same(out, streamed(name, params, history, close_only=True), d["fields"])


def test_the_history_exercises_both_outcomes(history):
    # Guards the fixture: every kind of row sees yielding and idle bars.
    for name in ("Sma", "Atr"):
        if name not in NAMES:
            continue
        out = indicators.compute(name, [14], history)
        assert out["has_value"].any() and not out["has_value"].all()
    assert np.isnan(history["close"]).sum() == 3
