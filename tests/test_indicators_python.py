"""The Python surface of the indicator library: Indicator, compute, names,
describe, and the errors they raise."""

import math

import numpy as np
import pytest

from tarsel_plenko import indicators

NAMES = set(indicators.names())


def need(name):
    if name not in NAMES:
        pytest.skip(f"{name} is not registered yet")


def first_with(predicate):
    for n in sorted(NAMES):
        d = indicators.describe(n)
        if d["name"] == n and predicate(d):
            return n
    pytest.skip("no registered indicator of that shape yet")


def candles(count=40, seed=3):
    rng = np.random.default_rng(seed)
    close = 100 + np.cumsum(rng.normal(0, 1, count))
    open_ = close + rng.normal(0, 0.5, count)
    high = np.maximum(open_, close) + rng.uniform(0, 1, count)
    low = np.minimum(open_, close) - rng.uniform(0, 1, count)
    return {
        "time": np.arange(count, dtype=np.int64) * 86_400_000,
        "open": open_,
        "high": high,
        "low": low,
        "close": close,
        "volume": rng.uniform(1e3, 1e4, count),
    }


def test_indicator_streams_values_and_reports_warmup():
    need("Sma")
    sma = indicators.Indicator("Sma", [3])
    assert sma.warmup_period == 3
    assert [sma.update(0, c, c, c, c) for c in (1.0, 2.0, 3.0, 4.0)] == [None, None, 2.0, 3.0]
    assert sma.fields == {}


def test_indicator_update_takes_keywords_and_a_default_volume():
    need("Sma")
    sma = indicators.Indicator(name="Sma", params=(1,))
    assert sma.update(time=5, open=1.0, high=2.0, low=0.5, close=1.5) == 1.5
    assert sma.update(6, 1, 2, 0.5, 1.25, volume=10) == 1.25


@pytest.mark.parametrize(
    "args, exc",
    [
        (("x", 1.0, 1.0, 1.0, 1.0), TypeError),
        ((0, "1", 1.0, 1.0, 1.0), TypeError),
        ((0, 1.0, 1.0, 1.0), TypeError),
    ],
)
def test_indicator_update_argument_errors(args, exc):
    need("Sma")
    with pytest.raises(exc):
        indicators.Indicator("Sma", [3]).update(*args)


@pytest.mark.parametrize("params", [[3], (3,), np.array([3.0]), [np.float64(3)], [3, 99, -7.5]])
def test_params_accept_sequences_of_numbers(params):
    need("Sma")
    assert indicators.Indicator("Sma", params).warmup_period == 3


@pytest.mark.parametrize("params", ["14", 14, None, [3, "x"], [None]])
def test_params_must_be_a_sequence(params):
    with pytest.raises(TypeError):
        indicators.Indicator("Sma", params)


def test_factory_errors_are_value_errors_with_the_factory_text():
    need("Sma")
    with pytest.raises(ValueError) as info:
        indicators.Indicator("Sma", [])
    assert str(info.value) == "invalid parameters for indicator Sma: missing parameter #0"
    with pytest.raises(ValueError) as info:
        indicators.compute("Sma", [0], {"close": np.ones(3)})
    assert str(info.value) == "invalid parameters for indicator Sma: parameter #0 must be a positive integer, got 0"
    with pytest.raises(ValueError) as info:
        indicators.compute("Smaa", [3], {"close": np.ones(3)})
    assert str(info.value) == "unknown indicator type: Smaa"


def test_compute_matches_streaming_and_marks_bars_without_value():
    need("Sma")
    data = {"close": [1.0, 2.0, math.nan, 3.0, 4.0]}
    out = indicators.compute("Sma", [3], data)
    assert list(out) == ["value", "has_value"]
    assert out["value"].dtype == np.float64 and out["has_value"].dtype == np.bool_
    assert out["has_value"].tolist() == [False, False, False, True, True]
    assert np.isnan(out["value"][:3]).all() and out["value"][3:].tolist() == [2.0, 3.0]


def test_compute_close_indicator_needs_only_close():
    need("Sma")
    out = indicators.compute("Sma", [2], {"close": np.array([1.0, 3.0, 5.0])})
    assert out["value"][1:].tolist() == [2.0, 4.0]


def test_compute_candle_indicator_needs_the_price_columns_and_time():
    name = first_with(lambda d: d["input"] == "candle")
    params = indicators.describe(name)["typical_params"]
    data = candles()
    for missing in ("open", "high", "low", "time"):
        partial = {k: v for k, v in data.items() if k != missing}
        with pytest.raises(ValueError, match=f"no '{missing}' column"):
            indicators.compute(name, params, partial)
    without_volume = {k: v for k, v in data.items() if k != "volume"}
    zero_volume = dict(data, volume=np.zeros(len(data["close"])))
    a = indicators.compute(name, params, without_volume)
    b = indicators.compute(name, params, zero_volume)
    assert all(np.array_equal(a[k], b[k], equal_nan=True) for k in a)


def test_compute_rejects_columns_of_different_lengths():
    name = first_with(lambda d: d["input"] == "candle")
    data = candles()
    data["low"] = data["low"][:-1]
    with pytest.raises(ValueError, match="rows"):
        indicators.compute(name, indicators.describe(name)["typical_params"], data)


def test_compute_rejects_a_missing_close():
    need("Sma")
    with pytest.raises(ValueError, match="close"):
        indicators.compute("Sma", [3], {"open": np.ones(3)})


def test_compute_accepts_datetime_times_as_milliseconds():
    name = first_with(lambda d: d["input"] == "candle")
    params = indicators.describe(name)["typical_params"]
    data = candles()
    as_dates = dict(data, time=data["time"].astype("datetime64[ms]"))
    a, b = indicators.compute(name, params, data), indicators.compute(name, params, as_dates)
    assert all(np.array_equal(a[k], b[k], equal_nan=True) for k in a)


def test_compute_rejects_fractional_times():
    name = first_with(lambda d: d["input"] == "candle")
    data = candles()
    data["time"] = data["time"] + 0.5
    with pytest.raises(ValueError, match="integer milliseconds"):
        indicators.compute(name, indicators.describe(name)["typical_params"], data)


def test_compute_fields_are_separate_columns_in_field_order():
    name = first_with(lambda d: bool(d["fields"]) and d["input"] in ("close", "candle"))
    d = indicators.describe(name)
    data = candles(120)
    out = indicators.compute(name, d["typical_params"], data)
    assert list(out) == ["value", *d["fields"], "has_value"]
    ind = indicators.Indicator(name, d["typical_params"])
    for i in range(len(data["close"])):
        v = ind.update(int(data["time"][i]), *(float(data[k][i]) for k in ("open", "high", "low", "close", "volume")))
        if v is not None:
            assert list(ind.fields.values()) == [out[f][i] for f in d["fields"]]
        else:
            assert all(math.isnan(out[f][i]) for f in d["fields"])


def test_compute_accepts_a_pandas_dataframe():
    pd = pytest.importorskip("pandas")
    need("Sma")
    frame = pd.DataFrame({"close": [1.0, 2.0, 3.0, 4.0], "time": [1, 2, 3, 4]})
    out = indicators.compute("Sma", [2], frame)
    assert out["value"][1:].tolist() == [1.5, 2.5, 3.5]


def test_compute_on_empty_data():
    need("Sma")
    out = indicators.compute("Sma", [3], {"close": np.array([], dtype=np.float64)})
    assert out["value"].shape == (0,) and out["has_value"].shape == (0,)


def test_compute_does_not_modify_its_input():
    need("Sma")
    close = np.array([1.0, 2.0, 3.0])
    before = close.copy()
    indicators.compute("Sma", [2], {"close": close})
    assert np.array_equal(close, before)


def test_every_name_builds_with_its_typical_parameters():
    for n in NAMES:
        ind = indicators.Indicator(n, indicators.describe(n)["typical_params"])
        assert ind.name == indicators.describe(n)["name"]


def test_indicator_objects_release_their_type_reference():
    import gc
    import sys

    need("Sma")
    gc.collect()
    before = sys.getrefcount(indicators.Indicator)
    made = [indicators.Indicator("Sma", [3]) for _ in range(50)]
    failures = 0
    for _ in range(50):
        try:
            indicators.Indicator("Sma", [0])
        except ValueError:
            failures += 1
    assert failures == 50
    del made
    gc.collect()
    after = sys.getrefcount(indicators.Indicator)
    assert after == before
