"""The moving-average family: hand-worked values for seeding, chaining, the
re-summation cadences and the fused multiply-adds, every constructor check's
text, and agreement with TA-Lib on recorded closes.

Where TA-Lib has the same definition (Sma, Ema, Wma, Dema, Tema, Trima, T3,
MidPoint, MidPrice and the four price transforms) the values agree to 1e-9
relative from the very first bar, and the first bar with a value is the same.
Kama differs from TA-Lib's KAMA in its start and in one degenerate case:
  - the first value here starts from the close n bars back; TA-Lib starts
    from the previous close;
  - a window whose closes are all equal has efficiency 0 here (the slow
    constant applies); TA-Lib treats it as efficiency 1;
  - TA-Lib fixes fast = 2 and slow = 30.
With 2 and 30 and no flat window the start difference decays geometrically,
so the two agree to 1e-9 once it has died out; that is what is checked.
The other members have no TA-Lib counterpart."""

import csv
import math
from fractions import Fraction
from pathlib import Path

import numpy as np
import pytest
import talib

from tarsel_plenko import indicators

DATA_DIR = Path(__file__).resolve().parents[2] / "shared" / "data"
MAX_PERIOD = 16777216
MAX_PERIOD_TEXT = "invalid period: period exceeds the maximum supported window length (see MAX_PERIOD)"
BIG = 1.7e308


def run(name, params, closes):
    ind = indicators.Indicator(name, params)
    return [ind.update(0, c, c, c, c) for c in closes]


def run_candles(name, params, candles):
    """candles: (open, high, low, close, volume) tuples."""
    ind = indicators.Indicator(name, params)
    return [ind.update(0, o, h, l, c, v) for o, h, l, c, v in candles]


def close_candles(closes, volumes):
    return [(c, c, c, c, v) for c, v in zip(closes, volumes)]


def error_text(name, params):
    with pytest.raises(ValueError) as info:
        indicators.Indicator(name, params)
    return str(info.value)


def load(name):
    path = DATA_DIR / name
    if not path.exists():
        pytest.fail(f"recorded history {path} is missing")
    with path.open() as f:
        rows = list(csv.DictReader(f))
    out = {"time": np.array([int(r["time"]) for r in rows], dtype=np.int64)}
    for key in ("open", "high", "low", "close", "volume"):
        out[key] = np.array([float(r[key]) for r in rows], dtype=np.float64)
    return out


@pytest.fixture(scope="module")
def orcl():
    return load("orcl-daily.csv")


# ---- hand-worked values ----------------------------------------------------

THIRD = 1.0 / 3.0

HAND_WORKED = [
    # name, params, closes, expected (None: no value)
    ("Sma", [1], [5.0, -2.5, 7.0], [5.0, -2.5, 7.0]),
    ("Sma", [3], [1, 2, 3, 4], [None, None, 2.0, 3.0]),
    ("Wma", [3], [1, 2, 3, 4], [None, None, 14 / 6, 20 / 6]),
    ("Wma", [1], [4.0, -1.0], [4.0, -1.0]),
    ("Ema", [3], [1, 2, 3, 4], [None, None, 2.0, 3.0]),
    ("Ema", [1], [4.0, -1.0, 9.5], [4.0, -1.0, 9.5]),
    ("Smma", [2], [1, 3, 5], [None, 2.0, 3.5]),
    # e1 from bar 3 (seed 2), e2 seeded at bar 5 with the mean of e1's first
    # three values (2, 3, 4); a linear series is tracked without lag.
    ("Dema", [3], [1, 2, 3, 4, 5, 6], [None] * 4 + [5.0, 6.0]),
    ("Tema", [3], [1, 2, 3, 4, 5, 6, 7, 8], [None] * 6 + [7.0, 8.0]),
    # v = 0 leaves c4 = 1 alone: the value is e3, two bars of lag per stage
    # pair; v = 1 gives −e6 + 6e5 − 12e4 + 8e3, the close itself here.
    ("T3", [3, 0.0], range(1, 15), [None] * 12 + [10.0, 11.0]),
    ("T3", [3, 1.0], range(1, 15), [None] * 12 + [13.0, 14.0]),
    ("GeneralizedDema", [3, 0.5], [1, 2, 3, 4, 5, 6], [None] * 4 + [4 * 1.5 - 3 * 0.5, 5 * 1.5 - 4 * 0.5]),
    # lag 1: d = 2x − x[t−1] = 3, 4, 5, 6 from bar 2; EMA(3) of d seeds at bar 4
    ("Zlema", [3], [1, 2, 3, 4, 5], [None, None, None, 4.0, 5.0]),
    ("Zlema", [1], [4.0, -1.0], [4.0, -1.0]),
    # weights 1, 2, 2, 1 (SMA(2) into SMA(3)) and 1, 2, 3, 2, 1 (SMA(3) into SMA(3))
    ("Trima", [4], [0, 6, 0, 0, 0], [None, None, None, 2.0, 1.0]),
    ("Trima", [5], [0, 0, 9, 0, 0, 0], [None] * 4 + [3.0, 2.0]),
    ("Trima", [1], [4.0, -1.0], [4.0, -1.0]),
    ("Hma", [1], [4.0, -1.0], [4.0, -1.0]),
    ("Ehma", [1], [4.0, -1.0], [4.0, -1.0]),
    ("SineWeightedMa", [1], [4.0, -1.0], [4.0, -1.0]),
    # first value: prev is the close n bars back (1), ER = 3/3, sc = (2/3)²
    ("Kama", [2, 2, 30], [1, 2, 4], [None, None, 1 + 4 / 9 * 3]),
    # bar 3: m = 2 changes +1, +1 → c = 100, k = 1/2, prev = the close;
    # bar 4: +1, −1 → c = 0, unchanged; bar 5: −1, −1 → c = −100
    ("Vidya", [3, 2], [1, 2, 3, 2, 1], [None, None, 3.0, 3.0, 2.0]),
    # halves of one close have no range: alpha is always 0.01
    ("Frama", [2], [1, 2, 3], [None, 2.0, 0.99 * 2 + 0.01 * 3]),
    # ranges 1/2, 1/2 over 3/4: D = log2(4/3) < 1, alpha clamps to 1
    ("Frama", [4], [1, 2, 3, 4, 5], [None, None, None, 4.0, 5.0]),
    ("Jma", [7, 50, 2], [10.0], [10.0]),
    # n = 1: beta = alpha = 0, every stage passes the close straight through
    ("Jma", [1, 0, 1], [3.0, 5.0, -2.0], [3.0, 5.0, -2.0]),
    ("McGinleyDynamic", [2], [1, 3, 4], [None, 2.0, 2 + 2 / (0.6 * 2 * 16)]),
    # a non-positive close or value leaves md as it was, but still yields it
    ("McGinleyDynamic", [2], [1, 3, -1, 0], [None, 2.0, 2.0, 2.0]),
    # level 2 + trend 1; then level 3, trend 1; then level 4.5, trend 1.25
    ("HoltWinters", [0.5, 0.5], [1, 2, 3, 5], [None, 3.0, 4.0, 5.75]),
    # 0 and −1 are skipped and do not count toward the window
    ("GeometricMa", [2], [1, 4, 0, -1, 16], [None, math.exp(math.log(4) / 2), None, None, math.exp((math.log(4) + math.log(16)) / 2)]),
    ("MedianMa", [3], [3, 1, 2, 10], [None, None, 2.0, 2.0]),
    ("MedianMa", [4], [4, 1, 3, 2], [None, None, None, 2.5]),
    ("MedianMa", [2], [BIG, BIG], [None, BIG]),
    ("MidPoint", [3], [1, 5, 3, 2], [None, None, 3.0, 3.5]),
    ("MidPoint", [2], [BIG, 1.6e308], [None, 1.65e308]),
]


@pytest.mark.parametrize("name, params, closes, expected", HAND_WORKED)
def test_hand_worked_values(name, params, closes, expected):
    got = run(name, params, [float(c) for c in closes])
    assert [g is None for g in got] == [e is None for e in expected]
    for g, e in zip(got, expected):
        if e is not None:
            assert g == pytest.approx(e, rel=1e-15, abs=0.0)


@pytest.mark.parametrize(
    "name, params, n",
    [("Hma", [4], 8), ("Hma", [9], 14), ("Ehma", [4], 8), ("Ehma", [9], 14)],
)
def test_hull_averages_remove_the_lag_of_a_linear_series(name, params, n):
    # WMA(n) and EMA(n) lag a linear series by a constant; 2·fast − slow
    # over-shoots by exactly what the final smoother lags.
    xs = [float(i) for i in range(1, n + 1)]
    got = run(name, params, xs)
    warmup = indicators.Indicator(name, params).warmup_period
    assert got[: warmup - 1] == [None] * (warmup - 1)
    assert got[warmup - 1 :] == pytest.approx(xs[warmup - 1 :], rel=1e-13)


def test_alma_gaussian_weights():
    # m = 1, s = 3: weights e, 1, e with e = exp(−1/18), normalised
    e = math.exp(-1.0 / 18.0)
    got = run("Alma", [3, 0.5, 1.0], [1.0, 2.0, 4.0])
    assert got[:2] == [None, None]
    assert got[2] == pytest.approx((e * 1 + 2 + e * 4) / (2 * e + 1), rel=1e-15)


@pytest.mark.parametrize(
    "params, expected_index",
    [
        # sigma so large that 2·s² is 0: the centre weight would be 0/0
        ([10, 1.0, 1e300], 9),
        ([10, 0.0, 1e300], 0),
        # every weight underflows (centre 7.65 falls between bars, width
        # 1e-3 or 0): the kernel's limit, the bar nearest the centre, is used
        ([10, 0.85, 1e4], 8),
        ([10, 0.85, 1e300], 8),
        # narrow but representable: the normal weights already put all of
        # the mass on that bar
        ([10, 0.85, 1e3], 8),
    ],
)
def test_alma_kernel_narrower_than_one_bar(params, expected_index):
    closes = [float(3 * i + 1) for i in range(12)]
    got = run("Alma", params, closes)
    assert got[9] == closes[expected_index]
    assert got[11] == closes[expected_index + 2]


def test_sine_weights():
    r = math.sin(math.pi / 4)
    got = run("SineWeightedMa", [3], [1.0, 2.0, 4.0])
    assert got[2] == pytest.approx((r * 1 + 2 + r * 4) / (2 * r + 1), rel=1e-15)


def test_kama_flat_window_uses_the_slow_constant():
    got = run("Kama", [2, 2, 30], [1.0, 3.0, 3.0, 3.0])
    first = 1 + 4 / 9 * 2  # prev = 1 (two bars back), ER = 2/2
    slow2 = (2 / 31) ** 2
    assert got[2] == pytest.approx(first, rel=1e-15)
    assert got[3] == pytest.approx(first + slow2 * (3 - first), rel=1e-15)


def test_frama_flat_window_moves_one_percent_of_the_gap():
    got = run("Frama", [4], [1, 3, 1, 3] + [10.0] * 8)
    # zig-zag: N1 = N2 = 1, N3 = 1/2, D = 2, alpha = exp(−4.6)
    assert got[3] == pytest.approx(3.0, rel=1e-15)
    flat = got[7:]
    for before, after in zip(flat, flat[1:]):
        assert after - before == pytest.approx(0.01 * (10.0 - before), rel=1e-9)


def test_jma_second_value_and_phase_clamp():
    beta = 0.45 * 6 / (0.45 * 6 + 2)
    alpha = beta * beta
    ma1 = alpha * 10 + (1 - alpha) * 12
    det0 = (1 - beta) * (12 - ma1)
    det1 = (1 - alpha) ** 2 * (ma1 + 2.0 * det0 - 10)  # phase 50: ratio 2
    assert run("Jma", [7, 50, 2], [10.0, 12.0])[1] == pytest.approx(10 + det1, rel=1e-14)
    # the ratio is clamped to [0.5, 2.5]: phases beyond ±100 change nothing
    series = [10.0, 12.0, 11.0, 15.0, 14.0]
    assert run("Jma", [7, 100, 2], series) == run("Jma", [7, 1e6, 2], series)
    assert run("Jma", [7, -100, 2], series) == run("Jma", [7, -1e6, 2], series)
    assert run("Jma", [7, 100, 2], series) != run("Jma", [7, 50, 2], series)


def test_vidya_reads_zero_momentum_on_a_flat_window():
    # Carried gain sums leave residue (0.3 − 0.1 then 0.6 − 0.3 enter and
    # leave); a window of flat closes must still read momentum 0, so the
    # value freezes instead of creeping towards the close at full alpha.
    closes = [0.5, 0.5, 0.5, 0.1, 0.3, 0.6, 0.6, 0.6, 0.6, 0.6]
    got = run("Vidya", [3, 2], closes)
    assert got[:2] == [None, None]
    assert got[2:7] == pytest.approx([0.5, 0.3, 0.3, 0.45, 0.525], rel=1e-15)
    assert got[7:] == [got[6]] * 3


CANDLES_HAND_WORKED = [
    ("MidPrice", [2], [(2, 5, 1, 3, 0), (3, 4, 2, 3, 0), (3, 9, 3, 4, 0)], [None, 3.0, 5.5]),
    ("Vwma", [2], close_candles([1, 3, 5], [1, 3, 0]), [None, (1 + 9) / 4, 3.0]),
    ("Vwma", [2], close_candles([1, 3, 5], [0, 0, 0]), [None, 2.0, 4.0]),
    # first value: prev is the close, so (v·c + (V − v)·c) / V = c
    ("Evwma", [2], close_candles([1, 3, 5], [1, 1, 2]), [None, 3.0, (2 * 5 + 1 * 3) / 3]),
    ("Evwma", [2], close_candles([1, 2, 3, 4], [0, 0, 0, 0]), [None, 2.0, 2.0, 2.0]),
    ("AvgPrice", [], [(1, 4, 0.5, 2.5, 0)], [2.0]),
    ("MedianPrice", [], [(1, 4, 0.5, 2.5, 0), (BIG, BIG, BIG, BIG, 0)], [2.25, BIG]),
    ("TypicalPrice", [], [(1, 4, 0.5, 2.5, 0)], [7 / 3]),
    ("WeightedClose", [], [(1, 4, 0.5, 2.5, 0)], [2.375]),
]


@pytest.mark.parametrize("name, params, candles, expected", CANDLES_HAND_WORKED)
def test_candle_members(name, params, candles, expected):
    got = run_candles(name, params, [tuple(map(float, c)) for c in candles])
    assert [g is None for g in got] == [e is None for e in expected]
    for g, e in zip(got, expected):
        if e is not None:
            assert g == pytest.approx(e, rel=1e-15)


def carried_sum(values, n):
    """Sum of the last n values carried forward, new + (sum − leaving)."""
    s, out = 0.0, []
    for i, v in enumerate(values):
        s = v + (s - values[i - n]) if i >= n else v + s
        out.append(s)
    return out


def test_vwma_window_without_volume_is_the_plain_mean():
    # Re-summed after bar 6 (window 0.4, 0.2, 0); once those two have left,
    # at bar 8, the carried sums hold only rounding residue, whose ratio is
    # meaningless (0 here). A window without volume is the plain mean.
    volumes = [1.0, 1.0, 1.0, 0.4, 0.2, 0.0, 0.0, 0.0]
    assert carried_sum([0.4, 0.2, 0.0, 0.0, 0.0], 3)[-1] != 0.0  # the fixture has residue
    closes = [10.0, 11.0, 12.0, 16.88, 9.22, 15.0, 16.0, 17.0]
    got = run_candles("Vwma", [3], close_candles(closes, volumes))
    assert got[7] == 16.0


# ---- re-summation cadences -------------------------------------------------

def test_sma_resums_every_16n_inputs():
    # n = 2: 1e16 swallows the 1 beside it; once 1e16 has left, the carried
    # sum is short by 1 until the recomputation at input 32 = 16·n.
    got = run("Sma", [2], [1e16] + [1.0] * 33)
    assert got[2:31] == [0.5] * 29
    assert got[31:] == [1.0] * 3


def test_wma_recomputes_on_the_16th_wrap():
    # n = 2: the fill is the first wrap, so the 16th is at input 32. Until
    # then the carried total is 0 instead of 2 and the numerator climbs by 2
    # per input.
    got = run("Wma", [2], [1e16] + [1.0] * 33)
    assert got[1] == (1e16 + 2) / 3
    assert got[2:31] == [2.0 * k / 3 for k in range(2, 31)]
    assert got[31:] == [1.0] * 3


def test_geometric_ma_resums_every_n_accepted_closes():
    # n = 2 with a huge first log: the carried sum is left inexact once it
    # has gone, until the recomputation after every second accepted close.
    # Skipped closes do not count toward the cadence.
    closes = [1e304, 1.5, -1.0, 1.5, 1.5, 0.0, 1.5, 1.5]
    got = run("GeometricMa", [2], closes)
    exact = math.exp((math.log(1.5) + math.log(1.5)) / 2)
    assert got[2] is None and got[5] is None
    assert got[3] != exact  # 3rd accepted: carried, still holding residue
    assert got[4] == exact  # 4th accepted: recomputed from the ring
    assert got[7] == exact  # 6th accepted


# ---- fused multiply-adds and chaining --------------------------------------

def fma(a, b, c):
    """a·b + c with one rounding, exactly."""
    return float(Fraction(a) * Fraction(b) + Fraction(c))


class EmaRef:
    def __init__(self, n, fused=True):
        self.n, self.alpha = n, 2.0 / (n + 1.0)
        self.beta = 1.0 - self.alpha
        self.fused, self.total, self.count, self.value = fused, 0.0, 0, None

    def update(self, x):
        if self.value is None:
            self.total = self.total + x
            self.count += 1
            if self.count < self.n:
                return None
            self.value = self.total / self.n
        elif self.fused:
            self.value = fma(self.alpha, x, self.beta * self.value)
        else:
            self.value = self.alpha * x + self.beta * self.value
        return self.value


def chain_ref(closes, n, stages, combine, fused=True):
    emas = [EmaRef(n, fused) for _ in range(stages)]
    out = []
    for x in closes:
        vals, v = [], x
        for e in emas:
            v = e.update(v)
            if v is None:
                break
            vals.append(v)
        out.append(combine(vals) if len(vals) == stages else None)
    return out


def t3_combine(v):
    v2, v3 = v * v, v * v * v
    c1, c2, c3, c4 = -v3, 3 * v2 + 3 * v3, -6 * v2 - 3 * v - 3 * v3, 1 + 3 * v + 3 * v2 + v3
    return lambda e: c1 * e[5] + c2 * e[4] + c3 * e[3] + c4 * e[2]


CHAINS = [
    ("Ema", [2], 2, 1, lambda e: e[0]),
    ("Ema", [20], 20, 1, lambda e: e[0]),
    ("Dema", [5], 5, 2, lambda e: 2.0 * e[0] - e[1]),
    ("Tema", [4], 4, 3, lambda e: 3.0 * e[0] - 3.0 * e[1] + e[2]),
    ("GeneralizedDema", [5, 0.7], 5, 2, lambda e: e[0] * (1.0 + 0.7) - e[1] * 0.7),
    ("T3", [5, 0.7], 5, 6, t3_combine(0.7)),
]


@pytest.mark.parametrize("name, params, n, stages, combine", CHAINS)
def test_exponential_stages_use_one_rounding_per_update(orcl, name, params, n, stages, combine):
    closes = [float(x) for x in orcl["close"][:600]]
    fused = chain_ref(closes, n, stages, combine)
    assert run(name, params, closes) == fused
    # the fixture tells a fused update from a separately rounded one
    assert chain_ref(closes, n, stages, combine, fused=False) != fused


def test_zlema_delag_is_fused_and_a_non_finite_one_is_skipped():
    # 2·1.7e308 overflows on its own; fused with −1.7e308 it does not.
    assert run("Zlema", [1], [BIG]) == [BIG]
    # lag 1: bar 2's d = 3.4e308 + 1.7e308 is infinite, so the EMA does not
    # see it and seeds two bars later from the three finite d's that follow.
    got = run("Zlema", [3], [-BIG, BIG, 1e307, 1e307, 1e307])
    d = [2 * 1e307 - BIG, 2 * 1e307 - 1e307, 2 * 1e307 - 1e307]
    assert got == [None, None, None, None, ((0.0 + d[0]) + d[1] + d[2]) / 3]


@pytest.mark.parametrize(
    "name, params",
    [("Dema", [2]), ("Tema", [2]), ("T3", [2, 0.7]), ("GeneralizedDema", [2, 0.5]), ("Trima", [3]),
     ("Hma", [4]), ("Ehma", [4]), ("Zlema", [3]), ("Dema", [1]), ("Trima", [1])],
)
def test_chained_members_never_yield_an_overflowed_value(name, params):
    got = run(name, params, [BIG, -BIG, BIG, BIG, 1.0, BIG, BIG] * 3)
    assert all(math.isfinite(v) for v in got if v is not None)


# ---- warm-up ---------------------------------------------------------------

WARMUPS = [
    ("Sma", [7], 7), ("Wma", [7], 7), ("Ema", [7], 7), ("Smma", [7], 7),
    ("Dema", [7], 13), ("Tema", [7], 19), ("T3", [7, 0.7], 37), ("GeneralizedDema", [7, 0.7], 13),
    ("Zlema", [7], 10), ("Zlema", [8], 11), ("Zlema", [2], 2), ("Trima", [7], 7), ("Trima", [8], 8),
    ("Hma", [2], 2), ("Hma", [7], 9), ("Hma", [12], 14), ("Hma", [13], 16), ("Ehma", [16], 19),
    ("Alma", [7, 0.85, 6], 7), ("SineWeightedMa", [7], 7), ("Kama", [7, 2, 30], 8), ("Vidya", [20, 7], 8),
    ("Frama", [8], 8), ("Jma", [7, 0, 2], 1), ("McGinleyDynamic", [7], 7), ("HoltWinters", [0.3, 0.2], 2),
    ("GeometricMa", [7], 7), ("MedianMa", [7], 7), ("MidPoint", [7], 7),
]


@pytest.mark.parametrize("name, params, warmup", WARMUPS)
def test_first_value_at_the_warmup_length(name, params, warmup):
    ind = indicators.Indicator(name, params)
    assert ind.warmup_period == warmup
    rng = np.random.default_rng(3)
    closes = 100 + np.cumsum(rng.normal(0, 1, 60))
    got = [ind.update(0, c, c, c, c) for c in closes]
    assert got.index(next(v for v in got if v is not None)) + 1 == warmup


@pytest.mark.parametrize(
    "name, params, warmup",
    [("Sma", [MAX_PERIOD], MAX_PERIOD), ("T3", [MAX_PERIOD, 0.5], 6 * MAX_PERIOD - 5),
     ("Kama", [MAX_PERIOD, 2, 30], MAX_PERIOD + 1), ("Zlema", [MAX_PERIOD], MAX_PERIOD + (MAX_PERIOD - 1) // 2),
     ("Alma", [MAX_PERIOD, 0.85, 6], MAX_PERIOD), ("Vidya", [10**15, MAX_PERIOD], MAX_PERIOD + 1)],
)
def test_longest_windows_build(name, params, warmup):
    ind = indicators.Indicator(name, params)
    assert ind.warmup_period == warmup
    assert ind.update(0, 1.0, 1.0, 1.0, 1.0) is None


def test_geometric_ma_skips_non_positive_closes_without_a_trace(orcl):
    closes = [float(x) for x in orcl["close"][:300]]
    dirty = []
    for i, c in enumerate(closes):
        dirty.append(c)
        if i % 7 == 3:
            dirty += [0.0, -c, -0.0]
    clean_out = run("GeometricMa", [10], closes)
    dirty_out = [v for v, c in zip(run("GeometricMa", [10], dirty), dirty) if c > 0]
    assert dirty_out == clean_out


# ---- constructor checks ----------------------------------------------------

def invalid(name, text):
    return f"invalid parameters for indicator {name}: invalid period: {text}"


ERRORS = [
    *[(name, [MAX_PERIOD + 1, *rest], f"invalid parameters for indicator {name}: {MAX_PERIOD_TEXT}")
      for name, rest in [("Sma", []), ("Wma", []), ("Ema", []), ("Smma", []), ("Dema", []), ("Tema", []),
                         ("T3", [0.7]), ("GeneralizedDema", [0.7]), ("Zlema", []), ("Trima", []), ("Hma", []),
                         ("Ehma", []), ("Alma", [0.85, 6]), ("SineWeightedMa", []), ("Kama", [2, 30]),
                         ("Frama", []), ("Jma", [0, 2]), ("McGinleyDynamic", []), ("GeometricMa", []),
                         ("MedianMa", []), ("MidPoint", []), ("MidPrice", []), ("Vwma", []), ("Evwma", [])]],
    ("Vidya", [20, MAX_PERIOD + 1], f"invalid parameters for indicator Vidya: {MAX_PERIOD_TEXT}"),
    # the period is checked before anything else
    ("Alma", [MAX_PERIOD + 1, 2.0, 0.0], f"invalid parameters for indicator Alma: {MAX_PERIOD_TEXT}"),
    ("Alma", [9, -0.1, 6], invalid("Alma", "ALMA offset must be a finite value in [0, 1]")),
    ("Alma", [9, 1.1, 6], invalid("Alma", "ALMA offset must be a finite value in [0, 1]")),
    ("Alma", [9, 2.0, 0.0], invalid("Alma", "ALMA offset must be a finite value in [0, 1]")),
    ("Alma", [9, 0.85, 0.0], invalid("Alma", "ALMA sigma must be a finite positive value")),
    ("Alma", [9, 0.85, -6], invalid("Alma", "ALMA sigma must be a finite positive value")),
    ("T3", [5, 1.5], invalid("T3", "T3 volume factor must be a finite value in [0.0, 1.0]")),
    ("T3", [5, -0.01], invalid("T3", "T3 volume factor must be a finite value in [0.0, 1.0]")),
    ("GeneralizedDema", [5, 1.01], invalid("GeneralizedDema", "GD volume factor must be a finite value in [0.0, 1.0]")),
    ("GeneralizedDema", [5, -1], invalid("GeneralizedDema", "GD volume factor must be a finite value in [0.0, 1.0]")),
    ("Kama", [10, 30, 30], invalid("Kama", "KAMA fast period must be strictly less than slow")),
    ("Kama", [10, 31, 30], invalid("Kama", "KAMA fast period must be strictly less than slow")),
    ("Frama", [1], invalid("Frama", "FRAMA period must be at least 2")),
    ("Frama", [3], invalid("Frama", "FRAMA period must be even")),
    ("Frama", [15], invalid("Frama", "FRAMA period must be even")),
    ("Jma", [7, 50, 0], invalid("Jma", "JMA power must be in 1..=4")),
    ("Jma", [7, 50, 5], invalid("Jma", "JMA power must be in 1..=4")),
    ("HoltWinters", [0.0, 0.5], invalid("HoltWinters", "HoltWinters alpha must be in (0.0, 1.0]")),
    ("HoltWinters", [1.5, 0.5], invalid("HoltWinters", "HoltWinters alpha must be in (0.0, 1.0]")),
    ("HoltWinters", [-1.0, 0.0], invalid("HoltWinters", "HoltWinters alpha must be in (0.0, 1.0]")),
    ("HoltWinters", [0.5, 0.0], invalid("HoltWinters", "HoltWinters beta must be in (0.0, 1.0]")),
    ("HoltWinters", [1.0, 1.0000001], invalid("HoltWinters", "HoltWinters beta must be in (0.0, 1.0]")),
]


@pytest.mark.parametrize("name, params, text", ERRORS)
def test_constructor_error_texts(name, params, text):
    assert error_text(name, params) == text


@pytest.mark.parametrize(
    "name, params",
    [("Sma", [MAX_PERIOD]), ("Frama", [MAX_PERIOD]), ("Frama", [2]), ("T3", [5, 0.0]), ("T3", [5, 1.0]),
     ("GeneralizedDema", [5, 0.0]), ("GeneralizedDema", [5, 1.0]), ("Alma", [9, 0.0, 1e-300]), ("Alma", [9, 1.0, 1e300]),
     ("Kama", [10, 29, 30]), ("Kama", [10, 2, 10**12]), ("Vidya", [10**12, 9]), ("Jma", [7, -1e9, 1]),
     ("Jma", [7, 1e9, 4]), ("HoltWinters", [1.0, 1.0]), ("HoltWinters", [1e-12, 1e-12])],
)
def test_boundary_parameters_are_accepted(name, params):
    assert indicators.Indicator(name, params).warmup_period >= 1


# ---- agreement with TA-Lib -------------------------------------------------

def agree(ours, ref):
    """Same bars with a value, and values equal to 1e-9 relative."""
    has = ours["has_value"]
    assert np.array_equal(has, ~np.isnan(ref)), "the first value (seeding) is on a different bar"
    v = ours["value"][has]
    r = ref[has]
    rel = np.abs(v - r) / np.maximum(np.abs(r), np.finfo(float).tiny)
    assert rel.max() <= 1e-9, f"largest relative difference {rel.max():.3g}"


TALIB_CLOSE = [
    *[("Sma", [n], lambda c, n=n: talib.SMA(c, n)) for n in (2, 5, 20, 200)],
    *[("Ema", [n], lambda c, n=n: talib.EMA(c, n)) for n in (2, 5, 20, 200)],
    *[("Wma", [n], lambda c, n=n: talib.WMA(c, n)) for n in (2, 5, 20, 200)],
    *[("Dema", [n], lambda c, n=n: talib.DEMA(c, n)) for n in (2, 5, 20, 60)],
    *[("Tema", [n], lambda c, n=n: talib.TEMA(c, n)) for n in (2, 5, 20, 60)],
    *[("Trima", [n], lambda c, n=n: talib.TRIMA(c, n)) for n in (2, 3, 4, 5, 20, 21, 200)],
    ("T3", [5, 0.7], lambda c: talib.T3(c, 5, 0.7)),
    ("T3", [2, 0.0], lambda c: talib.T3(c, 2, 0.0)),
    ("T3", [10, 1.0], lambda c: talib.T3(c, 10, 1.0)),
    ("T3", [8, 0.35], lambda c: talib.T3(c, 8, 0.35)),
    *[("MidPoint", [n], lambda c, n=n: talib.MIDPOINT(c, n)) for n in (2, 14)],
]


@pytest.mark.parametrize("name, params, ta", TALIB_CLOSE, ids=lambda x: str(x) if not callable(x) else "")
def test_agrees_with_talib_on_closes(orcl, name, params, ta):
    agree(indicators.compute(name, params, orcl), ta(orcl["close"]))


TALIB_CANDLE = [
    ("MidPrice", [14], lambda d: talib.MIDPRICE(d["high"], d["low"], 14)),
    ("MidPrice", [2], lambda d: talib.MIDPRICE(d["high"], d["low"], 2)),
    ("AvgPrice", [], lambda d: talib.AVGPRICE(d["open"], d["high"], d["low"], d["close"])),
    ("MedianPrice", [], lambda d: talib.MEDPRICE(d["high"], d["low"])),
    ("TypicalPrice", [], lambda d: talib.TYPPRICE(d["high"], d["low"], d["close"])),
    ("WeightedClose", [], lambda d: talib.WCLPRICE(d["high"], d["low"], d["close"])),
]


@pytest.mark.parametrize("name, params, ta", TALIB_CANDLE, ids=lambda x: str(x) if not callable(x) else "")
def test_agrees_with_talib_on_candles(orcl, name, params, ta):
    agree(indicators.compute(name, params, orcl), ta(orcl))


@pytest.mark.parametrize("n", [10, 30])
def test_kama_agrees_with_talib_once_the_start_has_decayed(orcl, n):
    ours = indicators.compute("Kama", [n, 2, 30], orcl)
    ref = talib.KAMA(orcl["close"], n)
    assert np.array_equal(ours["has_value"], ~np.isnan(ref))  # same first bar
    # the starts differ: the close n bars back here, the previous one there
    c = orcl["close"]
    assert ours["value"][n] != ref[n]
    tail = slice(1000, None)
    rel = np.abs(ours["value"][tail] - ref[tail]) / np.abs(ref[tail])
    assert rel.max() <= 1e-9
    # and the start is what differs: it is the value n bars back, not before
    er = abs(c[n] - c[0]) / np.sum(np.abs(np.diff(c[: n + 1])))
    sc = (er * (2 / 3 - 2 / 31) + 2 / 31) ** 2
    assert ours["value"][n] == pytest.approx(c[0] + sc * (c[n] - c[0]), rel=1e-14)
