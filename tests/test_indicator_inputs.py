"""Candle validation and the input adapters: what each kind of indicator is
given, and that a rejected or absent input never reaches its state.

The adapters are exercised through probe indicators whose value is the
number of inputs they accepted and whose fields (count, a, b) record two
numbers of the last accepted input."""

import math

import pytest

from tarsel_plenko import _indicators as native

NAN = float("nan")
INF = float("inf")

FINITE = "invalid candle: open, high, low, close must all be finite"
VOL_FINITE = "invalid candle: volume must be finite"
VOL_NEG = "invalid candle: volume must be non-negative"
HIGH_LOW = "invalid candle: high must be >= low"
HIGH_OC = "invalid candle: high must be >= open and >= close"
LOW_OC = "invalid candle: low must be <= open and <= close"


@pytest.mark.parametrize(
    "o, h, l, c, v, text",
    [
        (1, 2, 0.5, 1.5, 10, None),
        (1, 1, 1, 1, 0, None),  # equal values pass every check
        (NAN, 2, 0.5, 1.5, 10, FINITE),
        (1, INF, 0.5, 1.5, 10, FINITE),
        (1, 2, -INF, 1.5, 10, FINITE),
        (1, 2, 0.5, NAN, 10, FINITE),
        (1, 2, 0.5, 1.5, NAN, VOL_FINITE),
        (1, 2, 0.5, 1.5, INF, VOL_FINITE),
        (1, 2, 0.5, 1.5, -1, VOL_NEG),
        (1, 2, 0.5, 1.5, -0.0, None),
        (1, 0.5, 2, 1, 10, HIGH_LOW),
        (3, 2, 0.5, 1.5, 10, HIGH_OC),
        (1, 2, 0.5, 3, 10, HIGH_OC),
        (0.2, 2, 0.5, 1.5, 10, LOW_OC),
        (1, 2, 0.5, 0.4, 10, LOW_OC),
        # the first failing check decides the message
        (NAN, 0.5, 2, 1, NAN, FINITE),
        (1, 0.5, 2, 1, NAN, VOL_FINITE),
        (1, 0.5, 2, 1, -5, VOL_NEG),
        (3, 0.5, 2, 1, 10, HIGH_LOW),
        (3, 2, 2.5, 1, 10, HIGH_LOW),
        (3, 2, 2, 1, 10, HIGH_OC),
    ],
)
def test_validate_candle(o, h, l, c, v, text):
    assert native._validate_candle(o, h, l, c, v) == text


def bar(close=1.0, **kw):
    base = {"open": close, "high": close, "low": close, "close": close, "volume": 0.0}
    base.update(kw)
    return base


def run(kind, bars):
    return native._adapter_probe(kind, bars)


def accepted_count(out):
    return [v for v, _ in out]


def test_close_kind_skips_non_finite_closes_and_ignores_the_rest_of_the_candle():
    bars = [bar(1.0), bar(NAN), bar(2.0, high=-5.0, volume=-1.0), bar(INF), bar(-INF), bar(3.0)]
    out = run("close", bars)
    assert accepted_count(out) == [1.0, None, 2.0, None, None, 3.0]
    # a skipped bar leaves the latest fields as they were
    assert out[1][1] == (1.0, 1.0, 0.0)
    assert out[5][1] == (3.0, 3.0, 0.0)


@pytest.mark.parametrize(
    "bad",
    [
        bar(2.0, high=1.0, low=1.5),  # high < low
        bar(2.0, volume=-1.0),  # negative volume
        bar(NAN),
        bar(2.0, open=3.0),
        bar(2.0, volume=NAN),
    ],
)
def test_candle_kind_rejects_invalid_candles_without_touching_state(bad):
    out = run("candle", [bar(1.0, volume=5.0), bad, bar(4.0, volume=6.0)])
    assert accepted_count(out) == [1.0, None, 2.0]
    assert out[1][1] == (1.0, 1.0, 5.0)
    assert out[2][1] == (2.0, 4.0, 6.0)


def test_candle_kind_accepts_a_flat_zero_volume_candle():
    assert accepted_count(run("candle", [bar(7.0)])) == [1.0]


def test_pair_kind_passes_close_first_and_needs_both_values_finite():
    bars = [
        bar(5.0, reference=2.0),
        bar(5.0),  # reference absent
        bar(5.0, reference=NAN),
        bar(NAN, reference=2.0),
        bar(6.0, reference=-INF),
        bar(7.0, reference=3.0),
    ]
    out = run("pair", bars)
    assert accepted_count(out) == [1.0, None, None, None, None, 2.0]
    assert out[5][1] == (2.0, 7.0, 3.0)


def test_pair_kind_does_not_validate_the_candle():
    out = run("pair", [bar(5.0, reference=1.0, high=0.0, volume=-3.0)])
    assert accepted_count(out) == [1.0]


DERIV = tuple(float(i) for i in range(1, 12))


@pytest.mark.parametrize(
    "kind, present, absent",
    [
        ("derivatives", {"derivatives": DERIV}, {}),
        ("order_book", {"book": ([(10.0, 1.0)], [(11.0, 2.0)])}, {}),
        ("cross_section", {"cross": [(1.0, 5.0, True, False, True, False), (-0.5, 1.0, False, True, False, True)]},
         {}),
    ],
)
def test_record_kinds_yield_nothing_when_the_record_is_absent(kind, present, absent):
    out = run(kind, [bar(**absent), bar(**present), bar(**absent)])
    assert accepted_count(out) == [None, 1.0, None]


def test_record_kinds_read_their_record_in_order():
    (_, f), = run("derivatives", [bar(derivatives=DERIV)])
    assert f == (1.0, 1.0, 11.0)  # funding_rate first, short_liquidations last
    (_, f), = run("order_book", [bar(book=([(10.0, 1.0), (9.0, 4.0)], [(11.0, 2.0)]))])
    assert f == (1.0, 10.0, 11.0)  # best level first
    (_, f), = run("cross_section", [bar(cross=[(1.0, 5.0, True, False, True, False), (-0.5, 1.0, 0, 1, 0, 1)])])
    assert f == (1.0, 2.0, 0.5)


def test_order_book_with_an_empty_side_is_still_passed():
    (v, f), = run("order_book", [bar(book=([], [(11.0, 2.0)]))])
    assert v == 1.0 and math.isnan(f[1]) and f[2] == 11.0


def test_engine_context_gives_nothing_to_record_kinds_and_pairs():
    # Bars carrying only a candle, as the engine feeds them.
    bars = [bar(float(i)) for i in range(1, 6)]
    for kind in ("pair", "derivatives", "order_book", "cross_section"):
        assert accepted_count(run(kind, bars)) == [None] * 5


def test_trades_kind_passes_every_bar_even_when_empty():
    trades = [(10.0, 2.0, False), (10.5, 3.0, True), (9.0, 1.5, False)]
    out = run("trades", [bar(), bar(trades=trades), bar(NAN)])
    assert out[0][1] == (1.0, 0.0, 0.0)
    assert out[1][1] == (2.0, 3.0, 0.5)  # sells count negative: 2 - 3 + 1.5
    assert out[2][1] == (3.0, 0.0, 0.0)  # the candle is not validated


@pytest.mark.parametrize(
    "extra, price",
    [
        ({"book": ([(10.0, 1.0)], [(11.0, 1.0)])}, 10.5),
        ({"book": ([(1.7976931348623157e308, 1.0)], [(1.7976931348623157e308, 1.0)])}, 1.7976931348623157e308),
        ({"book": ([], [(11.0, 1.0)])}, 4.0),
        ({"book": ([(10.0, 1.0)], [])}, 4.0),
        ({}, 4.0),
    ],
)
def test_trades_and_book_reference_price_is_the_book_mid_else_the_close(extra, price):
    (v, f), = run("trades_and_book", [bar(4.0, high=0.0, trades=[(4.0, 1.0, True)], **extra)])
    assert v == 1.0 and f == (1.0, 1.0, price)
