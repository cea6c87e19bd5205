"""The contract every registered indicator keeps, checked over every row of
the factory's table with its typical parameters on recorded market data:

- on valid input the first value arrives exactly at bar `warmup_period`;
- a bar with a NaN close, or (for candle indicators) an invalid candle,
  inserted anywhere yields nothing and changes no later value or field;
- the named outputs keep their names and order, and stay as they were
  after a bar that yields nothing;
- two evaluators built from the same arguments are independent;
- the batch path gives exactly what the streaming object gives.

New families are covered as soon as their rows are registered."""

import csv
import math
from pathlib import Path

import numpy as np
import pytest

from tarsel_plenko import indicators

DATA_DIR = Path(__file__).resolve().parents[2] / "shared" / "data"

# Indicators whose first value also depends on the data (a new local date,
# an hour of day seen twice, a swing pivot appearing); for them the first
# value may come after `warmup_period`, never before. Add a name here only
# with that reason.
DATA_DEPENDENT_FIRST_VALUE: set[str] = {
    # calendar members: nothing before their first complete local day
    "OvernightGap",
    "OvernightIntradayReturn",
    "SeasonalZScore",
    "TurnOfMonth",
    # its range starts with the second local date
    "AverageDailyRange",
}

# Inputs the engine never supplies: with candle-only bars these yield nothing.
NEVER_IN_ENGINE = {"pair", "derivatives", "order_book", "cross_section"}
# Trade-fed indicators receive every bar (possibly with no trades), so an
# inserted bar is an input to them, not a rejected one.
EVERY_BAR = {"trades", "trades_and_book"}

ROWS = [n for n in indicators.names() if indicators.describe(n)["name"] == n]  # aliases are tested via targets
CANDLE_ROWS = [n for n in ROWS if indicators.describe(n)["input"] == "candle"]
# Rows for which a bar with a NaN close is a rejected input.
NAN_REJECTING_ROWS = [n for n in ROWS if indicators.describe(n)["input"] not in EVERY_BAR]


def rows_or_skip(rows):
    return rows or [pytest.param(None, marks=pytest.mark.skip(reason="no such indicator registered"))]


def load(name):
    path = DATA_DIR / name
    if not path.exists():
        pytest.skip(f"{path} is not available")
    with path.open() as f:
        rows = list(csv.DictReader(f))
    out = {"time": np.array([int(r["time"]) for r in rows], dtype=np.int64)}
    for key in ("open", "high", "low", "close", "volume"):
        out[key] = np.array([float(r[key]) for r in rows], dtype=np.float64)
    return out


@pytest.fixture(scope="module")
def history():
    return load("goog-daily.csv")


@pytest.fixture(scope="module")
def short_history():
    return load("solusdt-hourly.csv")


def insert_bar(data, at, **values):
    out = {}
    for key, col in data.items():
        if key in values:
            new = values[key]
        else:
            new = col[at] if at < len(col) else col[-1]
        out[key] = np.insert(col, at, new)
    return out


def same(a, b):
    """Bit-for-bit equality of two float64 arrays (NaN payloads included)."""
    return np.array_equal(np.asarray(a).view(np.int64), np.asarray(b).view(np.int64))


def same_outputs(x, y, keys):
    return all(same(x[k], y[k]) for k in keys if k != "has_value") and np.array_equal(x["has_value"], y["has_value"])


def row_params(name):
    return indicators.describe(name)["typical_params"]


@pytest.fixture(params=rows_or_skip(ROWS))
def name(request):
    return request.param


def test_typical_parameters_build(name):
    ind = indicators.Indicator(name, row_params(name))
    assert ind.warmup_period >= 1
    assert list(ind.field_names) == indicators.describe(name)["fields"]


def test_first_value_arrives_exactly_at_warmup(name, history, short_history):
    d = indicators.describe(name)
    for data in (history, short_history):
        out = indicators.compute(name, d["typical_params"], data)
        has = out["has_value"]
        if d["input"] in NEVER_IN_ENGINE:
            assert not has.any()
            continue
        warmup = indicators.Indicator(name, d["typical_params"]).warmup_period
        first = int(np.argmax(has)) + 1 if has.any() else None
        if warmup > len(has):
            assert first is None
        elif name in DATA_DEPENDENT_FIRST_VALUE:
            assert first is None or first >= warmup
        else:
            assert first == warmup


def check_insertions(name, data, bad_values):
    d = indicators.describe(name)
    params = d["typical_params"]
    keys = ["value", *d["fields"], "has_value"]
    base = indicators.compute(name, params, data)
    n = len(data["close"])
    warmup = indicators.Indicator(name, params).warmup_period
    positions = sorted({0, 1, min(warmup - 1, n), min(warmup, n), n // 2, n})
    for at in positions:
        modified = indicators.compute(name, params, insert_bar(data, at, **bad_values))
        assert not modified["has_value"][at], f"the inserted bar at {at} yielded a value"
        kept = {k: np.delete(modified[k], at) for k in keys}
        assert same_outputs(kept, base, keys), f"a bar inserted at {at} changed later outputs"


@pytest.mark.parametrize("row", rows_or_skip(NAN_REJECTING_ROWS))
def test_nan_close_changes_nothing(row, short_history):
    check_insertions(row, short_history, {"close": math.nan})


@pytest.mark.parametrize(
    "bad",
    [
        {"high": 1.0, "low": 2.0},  # high below low
        {"volume": -1.0},
        {"open": math.inf},
        {"volume": math.nan},
    ],
    ids=["high_below_low", "negative_volume", "infinite_open", "nan_volume"],
)
@pytest.mark.parametrize("row", rows_or_skip(CANDLE_ROWS))
def test_invalid_candle_changes_nothing_for_candle_indicators(row, short_history, bad):
    check_insertions(row, short_history, bad)


def stream(ind, data, start=0, stop=None):
    out = []
    stop = len(data["close"]) if stop is None else stop
    for i in range(start, stop):
        v = ind.update(int(data["time"][i]), float(data["open"][i]), float(data["high"][i]), float(data["low"][i]),
                       float(data["close"][i]), float(data["volume"][i]))
        out.append((v, ind.fields))
    return out


def test_fields_keep_names_and_order(name, short_history):
    d = indicators.describe(name)
    ind = indicators.Indicator(name, d["typical_params"])
    names_before = ind.field_names
    data = insert_bar(short_history, min(ind.warmup_period + 3, len(short_history["close"])), close=math.nan)
    last = {}
    for v, fields in stream(ind, data):
        if v is None:
            assert fields == last, "fields changed on a bar that yielded nothing"
        else:
            assert list(fields) == d["fields"]
            last = fields
    assert ind.field_names == names_before


def test_two_evaluators_are_independent(name, short_history):
    params = row_params(name)
    a, b = indicators.Indicator(name, params), indicators.Indicator(name, params)
    n = len(short_history["close"])
    run_a = stream(a, short_history)
    # b starts only after a has consumed the whole history, then is fed
    # interleaved with a third evaluator on shifted data.
    c = indicators.Indicator(name, params)
    run_b, run_c = [], []
    for i in range(n):
        run_b += stream(b, short_history, i, i + 1)
        run_c += stream(c, short_history, (i + 7) % n, (i + 7) % n + 1)
    assert repr(run_b) == repr(run_a)


def test_batch_matches_streaming(name, short_history):
    d = indicators.describe(name)
    out = indicators.compute(name, d["typical_params"], short_history)
    streamed = stream(indicators.Indicator(name, d["typical_params"]), short_history)
    for i, (v, fields) in enumerate(streamed):
        assert bool(out["has_value"][i]) == (v is not None)
        if v is None:
            assert math.isnan(out["value"][i]) and all(math.isnan(out[f][i]) for f in d["fields"])
        else:
            assert repr(float(out["value"][i])) == repr(v)
            assert [repr(float(out[f][i])) for f in d["fields"]] == [repr(x) for x in fields.values()]
