"""The volatility family: true range and Wilder's ATR bit for bit, hand-worked
bands, channels and estimators, their degenerate windows, the constructor
error texts, skipped inputs, and agreement with TA-Lib on recorded histories.

TA-Lib counterparts: TRANGE (from the second bar: TA-Lib has no value for
the first candle, which has no previous close), BBANDS with a simple
average (upper, middle, lower), ACCBANDS (factor 4, TA-Lib's constant), and
ATR / NATR. TA-Lib's ATR starts from the second candle's true range while
this one includes the first candle's high - low in its seed, so the two are
compared once the seed has decayed, from bar 25·n on."""

import csv
import math
import random
import resource
from fractions import Fraction
from pathlib import Path

import numpy as np
import pytest
import talib

from tarsel_plenko import indicators

DATA_DIR = Path(__file__).resolve().parents[2] / "shared" / "data"
DATA_FILES = ["amzn-daily.csv", "btcusd-monthly.csv", "goog-daily.csv", "nvda-daily.csv", "orcl-daily.csv",
              "solusdt-hourly.csv", "spy-daily.csv", "yhoo-daily.csv"]
MAX_PERIOD = 16777216
MAX = "invalid period: period exceeds the maximum supported window length (see MAX_PERIOD)"
ZERO = "period must be greater than zero"
MULT = "multiplier must be greater than zero"
DAY = 86_400_000
I64_MAX = 2**63 - 1
I64_MIN = -(2**63)


# ---- helpers ----------------------------------------------------------------

def candle(h, l, c=None, o=None, v=1.0, t=0):
    """A valid candle from a high and a low; open and close default to the midpoint."""
    mid = (h + l) / 2
    return (t, mid if o is None else o, h, l, mid if c is None else c, v)


def flat(c, v=1.0, t=0):
    return (t, c, c, c, c, v)


def feed(name, params, bars):
    """(value, fields) of a fresh indicator for every bar (value None = nothing)."""
    ind = indicators.Indicator(name, params)
    out = []
    for bar in bars:
        v = ind.update(*bar)
        out.append((v, ind.fields))
    return out


def values(name, params, bars):
    return [v for v, _ in feed(name, params, bars)]


def closes(name, params, xs):
    return values(name, params, [flat(x) for x in xs])


def approx(x, rel=1e-12, abs=1e-15):
    return pytest.approx(x, rel=rel, abs=abs)


def fma(a, b, c):
    """Correctly rounded a*b + c."""
    return float(Fraction(a) * Fraction(b) + Fraction(c))


def error_text(name, params):
    with pytest.raises(ValueError) as info:
        indicators.Indicator(name, params)
    return str(info.value)


def load(file):
    path = DATA_DIR / file
    if not path.exists():
        pytest.fail(f"recorded history {path} is missing")
    with path.open() as f:
        rows = list(csv.DictReader(f))
    out = {"time": np.array([int(r["time"]) for r in rows], dtype=np.int64)}
    for key in ("open", "high", "low", "close", "volume"):
        out[key] = np.array([float(r[key]) for r in rows], dtype=np.float64)
    return out


def bars_of(data, count=None):
    n = len(data["close"]) if count is None else count
    return [(int(data["time"][i]), float(data["open"][i]), float(data["high"][i]), float(data["low"][i]),
             float(data["close"][i]), float(data["volume"][i])) for i in range(n)]


@pytest.fixture(scope="module")
def orcl():
    return load("orcl-daily.csv")


def random_walk(seed, count, start=100.0):
    """Valid candles of a positive random walk."""
    rng = random.Random(seed)
    out, close = [], start
    for i in range(count):
        o = close * math.exp(rng.gauss(0, 0.01))
        c = o * math.exp(rng.gauss(0, 0.02))
        h = max(o, c) * math.exp(abs(rng.gauss(0, 0.01)))
        l = min(o, c) * math.exp(-abs(rng.gauss(0, 0.01)))
        out.append((i * DAY, o, h, l, c, rng.uniform(1, 1000)))
        close = c
    return out


def ema_ref(xs, n):
    """SMA-seeded exponential average with fma(alpha, x, beta*value); None before the seed."""
    alpha = 2.0 / (n + 1.0)
    beta = 1.0 - alpha
    out, total, value = [], 0.0, None
    for i, x in enumerate(xs):
        if value is None:
            total = total + x
            if i + 1 == n:
                value = total / n
            out.append(value)
        else:
            value = fma(alpha, x, beta * value)
            out.append(value)
    return out


# ---- true range and Wilder's ATR ----------------------------------------------

@pytest.mark.parametrize(
    "bars, want",
    [
        ([candle(12, 10, c=11)], 2.0),                        # first candle: high - low
        ([candle(12, 10, c=11), candle(11.5, 11)], 0.5),      # inside the previous close
        ([candle(12, 10, c=11), candle(15, 14)], 4.0),        # gap up: high - previous close
        ([candle(12, 10, c=11), candle(8, 7.5)], 3.5),        # gap down: previous close - low
        ([candle(12, 10, c=11), candle(20, 1)], 19.0),        # the bar's own range is widest
    ],
    ids=["first", "inside", "gap_up", "gap_down", "wide"],
)
def test_true_range(bars, want):
    assert values("TrueRange", [], bars)[-1] == want


def test_atr_hand_worked():
    # ranges 1, 2, 3 with no gaps: mean 2 at bar 3; a fourth range of 5: (2·2 + 5)/3 = 3
    bars = [candle(1, 0), candle(2.5, 0.5), candle(3, 0), candle(4, -1)]
    assert values("TrueRange", [], bars) == [1.0, 2.0, 3.0, 5.0]
    assert values("Atr", [3], bars) == [None, None, 2.0, 3.0]


def test_atr_is_a_fused_multiply_add_times_the_stored_reciprocal():
    bars = random_walk(7, 300)
    n = 7
    trs = values("TrueRange", [], bars)
    want, value = [], None
    for i, tr in enumerate(trs):
        if i + 1 < n:
            want.append(None)
            continue
        if value is None:
            value = sum(trs[:n][1:], trs[0]) / n  # summed in order
        else:
            value = fma(value, n - 1.0, tr) * (1.0 / n)
        want.append(value)
    got = values("Atr", [n], bars)
    assert got == want  # bit for bit
    # the plain (ATR·(n-1) + TR)/n differs in the last bits somewhere
    plain = [None] * (n - 1) + [want[n - 1]]
    for tr in trs[n:]:
        plain.append((plain[-1] * (n - 1.0) + tr) / n)
    assert plain != want


@pytest.mark.parametrize(
    "name, bars, want",
    [
        ("Natr", [candle(2, 1, c=1.5), candle(2, 0, o=1, c=0)], [None, 0.0]),  # close 0: exactly 0
        ("Natr", [candle(2, 1, c=1.5), candle(3, 1, c=2)], [None, 100 * 1.5 / 2]),
        ("HighLowRange", [candle(3, 1, c=2)], [1.0]),
        ("HighLowRange", [candle(1, 0, o=0.5, c=0)], [0.0]),
    ],
)
def test_normalised_ranges(name, bars, want):
    assert values(name, [2] if name == "Natr" else [], bars) == want


# ---- average daily range --------------------------------------------------------

def test_average_daily_range_groups_by_utc_date():
    h = 3_600_000
    bars = [
        candle(10, 9, t=0), candle(12, 10, t=5 * h), candle(11, 8, t=23 * h),  # day 0: 12 - 8 = 4
        candle(20, 19, t=DAY), candle(21, 20, t=DAY + h),                       # day 1: 2
        candle(5, 4, t=2 * DAY),                                                # day 2: 1
        candle(7, 4, t=3 * DAY),
    ]
    got = values("AverageDailyRange", [2, 0], bars)
    assert got == [None, None, None, 4.0, 4.0, 3.0, 1.5]


def test_average_daily_range_offset_moves_the_date_boundary():
    h = 3_600_000
    bars = [candle(10, 9, t=22 * h), candle(30, 29, t=23 * h), candle(50, 49, t=DAY + 2 * h)]
    # UTC: 22:00 and 23:00 share a date; 02:00 opens the next one
    assert values("AverageDailyRange", [5, 0], bars) == [None, None, 21.0]
    # two hours ahead: all three fall on the next local date
    assert values("AverageDailyRange", [5, 120], bars) == [None, None, None]
    # an hour and a half behind: 02:00 is 00:30 of the next local date
    assert values("AverageDailyRange", [5, -90], bars) == [None, None, 21.0]
    # two and a half hours behind: 02:00 is 23:30 of the same local date
    assert values("AverageDailyRange", [5, -150], bars) == [None, None, None]


def test_average_daily_range_before_the_epoch_and_at_the_ends_of_time():
    # -1 ms is 1969-12-31: a different date from 0 ms
    assert values("AverageDailyRange", [3, 0], [candle(2, 1, t=-1), candle(9, 1, t=0)]) == [None, 1.0]
    # -1 day + 1 ms and -1 ms are both 1969-12-31
    assert values("AverageDailyRange", [3, 0], [candle(2, 1, t=-DAY + 1), candle(9, 1, t=-1)]) == [None, None]
    # shifting the largest times by whole days must not wrap around in milliseconds
    far = [candle(2, 1, t=I64_MAX - 1), candle(5, 1, t=I64_MAX), candle(9, 8, t=I64_MIN)]
    for offset in (2**31 - 1, -(2**31), 0):
        assert values("AverageDailyRange", [3, offset], far) == [None, None, 4.0]


def test_average_daily_range_mean_follows_the_last_n_days():
    rng = random.Random(3)
    days = [(rng.uniform(10, 20), rng.uniform(0, 5)) for _ in range(80)]
    bars = [candle(h, h - r, t=i * DAY + 3_600_000) for i, (h, r) in enumerate(days)]
    got = values("AverageDailyRange", [5, 0], bars)
    ranges = [bars[i][2] - bars[i][3] for i in range(len(bars))]
    for i in range(1, len(bars)):
        held = ranges[max(0, i - 5):i]
        assert got[i] == approx(sum(held) / len(held))


# ---- volatility ratio -------------------------------------------------------------

def test_volatility_ratio_primes_on_the_first_candle():
    # the first candle's range (100) never enters the ring
    bars = [candle(100, 0, c=50), candle(51, 49), candle(51, 49), candle(56, 49, c=55)]
    got = values("VolatilityRatio", [2], bars)
    assert indicators.Indicator("VolatilityRatio", [2]).warmup_period == 4
    assert got == [None, None, None, 7.0 / 2.0]


def test_volatility_ratio_is_zero_after_flat_candles():
    assert values("VolatilityRatio", [2], [flat(5.0)] * 3 + [candle(6, 5)]) == [None, None, None, 0.0]


# ---- standard-deviation bands --------------------------------------------------------

@pytest.mark.parametrize("level", [100.0, 0.1, -3.7, 0.0])
def test_bollinger_members_on_a_constant_series(level):
    # 0.1 and 3.7 are not representable, so n copies do not sum to n times them
    xs = [float(i) for i in range(1, 30)] + [level] * 45
    out = feed("BollingerBands", [20, 2], [flat(x) for x in xs])
    for v, f in out[-25:]:
        assert f == {"upper": level, "middle": level, "lower": level, "stddev": 0.0}
    assert closes("PercentB", [20, 2], xs)[-25:] == [0.5] * 25
    assert closes("BollingerBandwidth", [20, 2], xs)[-25:] == [0.0] * 25
    for v, f in feed("DoubleBollinger", [20, 1, 2], [flat(x) for x in xs])[-25:]:
        assert set(f.values()) == {level}


def test_bollinger_bands_hand_worked():
    sd = math.sqrt(1.25)
    out = feed("BollingerBands", [4, 2], [flat(x) for x in (1, 2, 3, 4)])
    assert [v for v, _ in out[:3]] == [None] * 3
    v, f = out[3]
    assert v == f["upper"]
    assert f == {"upper": approx(2.5 + 2 * sd), "middle": 2.5, "lower": approx(2.5 - 2 * sd), "stddev": approx(sd)}
    assert closes("PercentB", [4, 2], [1, 2, 3, 4])[-1] == approx((4 - (2.5 - 2 * sd)) / (4 * sd))
    assert closes("BollingerBandwidth", [4, 2], [1, 2, 3, 4])[-1] == approx(4 * sd / 2.5)
    # a zero middle gives 0 instead of a division by zero
    assert closes("BollingerBandwidth", [2, 2], [-1, 1]) == [None, 0.0]
    # k = 0: the bands coincide whatever the spread
    assert closes("PercentB", [2, 0], [1, 5]) == [None, 0.5]


def test_double_bollinger_fields():
    sd = math.sqrt(1.25)
    _, f = feed("DoubleBollinger", [4, 1, 3], [flat(x) for x in (1, 2, 3, 4)])[-1]
    assert list(f) == ["upper_outer", "upper_inner", "middle", "lower_inner", "lower_outer"]
    assert list(f.values()) == [approx(2.5 + 3 * sd), approx(2.5 + sd), 2.5, approx(2.5 - sd), approx(2.5 - 3 * sd)]


def test_bollinger_alias_is_the_same_indicator():
    xs = [math.sin(i) * 10 + 50 for i in range(60)]
    assert feed("Bollinger", [10, 1.5], [flat(x) for x in xs]) == feed("BollingerBands", [10, 1.5], [flat(x) for x in xs])
    assert indicators.describe("Bollinger")["name"] == "BollingerBands"
    assert error_text("Bollinger", [0, 2]) == (
        "invalid parameters for indicator BollingerBands: parameter #0 must be a positive integer, got 0")


# ---- ATR bands ---------------------------------------------------------------------------

def test_keltner_starc_and_atr_bands_hand_worked():
    bars = [candle(11, 9, c=10), candle(12, 10, c=11), candle(13, 11, c=13)]  # true ranges 2, 2, 2
    # EMA(2) of 10, 11, 13: 10.5, then fma(2/3, 13, (1/3)·10.5)
    ema = fma(2 / 3, 13, (1 - 2 / 3) * 10.5)
    out = feed("Keltner", [2, 3, 1.5], bars)
    assert [v for v, _ in out] == [None, None, ema + 3.0]
    assert out[-1][1] == {"upper": ema + 3.0, "middle": ema, "lower": ema - 3.0}
    out = feed("StarcBands", [3, 2, 2], bars)
    assert out[-1][1] == {"upper": approx(34 / 3 + 4), "middle": approx(34 / 3), "lower": approx(34 / 3 - 4)}
    out = feed("AtrBands", [2, 0.5], bars)
    assert [v for v, _ in out] == [None, 12.0, 14.0]
    assert out[-1][1] == {"upper": 14.0, "middle": 13.0, "lower": 12.0}


@pytest.mark.parametrize("name, params, warmup", [("Keltner", [20, 10, 2], 20), ("Keltner", [5, 30, 2], 30),
                                                   ("StarcBands", [6, 15, 2], 15), ("StarcBands", [16, 15, 2], 16)])
def test_atr_band_warmup_is_the_longer_length(name, params, warmup):
    assert indicators.Indicator(name, params).warmup_period == warmup
    got = values(name, params, random_walk(1, 40))
    assert got.index(next(v for v in got if v is not None)) + 1 == warmup


# ---- envelopes and channels -----------------------------------------------------------------

def test_ma_envelope():
    _, f = feed("MaEnvelope", [2, 0.1], [flat(10), flat(30)])[-1]
    assert f == {"upper": approx(22.0), "middle": 20.0, "lower": approx(18.0)}


def test_acceleration_bands_hand_worked_and_zero_sum():
    bars = [candle(12, 8, c=10), candle(1, -1, c=0)]  # f = 0.2, then high + low = 0: f = 0
    _, f = feed("AccelerationBands", [2, 4], bars)[-1]
    assert f == {"upper": approx((12 * 1.8 + 1) / 2), "middle": 5.0, "lower": approx((8 * 0.2 - 1) / 2)}


def test_donchian():
    bars = [candle(5, 1), candle(9, 4), candle(7, 2), candle(3, 2.5)]
    out = feed("Donchian", [3], bars)
    assert [v for v, _ in out] == [None, None, 9.0, 9.0]
    assert out[2][1] == {"upper": 9.0, "middle": 5.0, "lower": 1.0}
    assert out[3][1] == {"upper": 9.0, "middle": 5.5, "lower": 2.0}
    # the midpoint of two huge extremes does not overflow
    huge = [candle(1.7e308, 1.6e308, o=1.65e308, c=1.65e308), candle(1.65e308, 1.5e308, o=1.6e308, c=1.6e308)]
    _, f = feed("Donchian", [2], huge)[-1]
    assert f["middle"] == approx(1.6e308)


def test_fractal_chaos_bands_before_and_after_the_first_fractals():
    # n = 1: a pivot needs one candle on each side, strictly beyond both
    highs = [4, 6, 6, 5, 7, 5, 5, 5, 5]
    lows = [3, 2.5, 2, 1.5, 1, 0.5, 0.25, 0.75, 0.1]
    out = feed("FractalChaosBands", [1], [candle(h, l) for h, l in zip(highs, lows)])
    assert indicators.Indicator("FractalChaosBands", [1]).warmup_period == 3
    assert [v for v, _ in out[:2]] == [None, None]
    # the tied highs 6, 6 are no fractal: until the 7 is confirmed (one candle
    # after it) the upper band is the highest high held; the falling lows
    # make no fractal until 0.25, after which the band stays at 0.25 even
    # when a lower low (0.1) arrives
    assert [f["upper"] for _, f in out[2:]] == [6.0, 6.0, 7.0, 7.0, 7.0, 7.0, 7.0]
    assert [f["lower"] for _, f in out[2:]] == [2.0, 1.5, 1.0, 0.5, 0.25, 0.25, 0.25]
    assert all(v == f["upper"] for v, f in out[2:])


def test_fractal_chaos_bands_take_the_latest_fractal():
    highs = [1, 2, 3, 2, 1, 2, 5, 2, 1]
    out = feed("FractalChaosBands", [2], [candle(h, h - 0.5) for h in highs])
    assert [v for v, _ in out[:4]] == [None] * 4
    assert [f["upper"] for _, f in out[4:]] == [3.0, 3.0, 3.0, 3.0, 5.0]


def test_quartile_and_median_channel():
    _, f = feed("QuartileBands", [5], [flat(x) for x in (5, 1, 4, 2, 3)])[-1]
    assert f == {"upper": 4.0, "middle": 3.0, "lower": 2.0}
    _, f = feed("QuartileBands", [4], [flat(x) for x in (1, 2, 3, 4)])[-1]
    assert f == {"upper": 3.25, "middle": 2.5, "lower": 1.75}
    # median 3; deviations 2, 1, 0, 1, 97: their median is 1
    _, f = feed("MedianChannel", [5, 2], [flat(x) for x in (1, 2, 3, 4, 100)])[-1]
    assert f == {"upper": 5.0, "middle": 3.0, "lower": 1.0}


@pytest.mark.parametrize("coverage, width", [(0.5, 1.0), (1.0, 2.0), (0.6, 1.4), (0.1, 0.4)])
def test_bomar_bands_hand_worked(coverage, width):
    # mean 3; distances 2, 1, 0, 1, 2 sorted 0, 1, 1, 2, 2
    _, f = feed("BomarBands", [5, coverage], [flat(x) for x in (4, 1, 3, 5, 2)])[-1]
    assert f == {"upper": approx(3 + width), "middle": 3.0, "lower": approx(3 - width)}


@pytest.mark.parametrize("n, coverage", [(7, 0.85), (20, 0.5), (31, 0.999), (8, 1.0)])
def test_bomar_bands_width_is_the_quantile_of_the_distances(n, coverage):
    rng = random.Random(n)
    xs = [rng.uniform(50, 150) for _ in range(120)]
    out = feed("BomarBands", [n, coverage], [flat(x) for x in xs])
    for i in range(n - 1, len(xs)):
        w = np.array(xs[i - n + 1:i + 1])
        f = out[i][1]
        want = np.quantile(np.abs(w - f["middle"]), coverage)
        assert f["middle"] == approx(w.mean())
        assert f["upper"] - f["middle"] == approx(want, rel=1e-9, abs=1e-9)


def test_hurst_channel():
    bars = [candle(10, 6), candle(12, 9), candle(11, 7)]
    _, f = feed("HurstChannel", [3, 2], bars)[-1]
    # midpoints 8, 10.5, 9: mean 9.1666…; half range (12 - 6)/2 = 3
    assert f == {"upper": approx(27.5 / 3 + 6), "middle": approx(27.5 / 3), "lower": approx(27.5 / 3 - 6)}


def test_vwap_std_dev_bands_wait_for_volume():
    bars = [candle(11, 9, c=10, v=0), candle(12, 9, c=9, v=0), candle(12, 6, c=9, v=2), candle(16, 14, c=15, v=1)]
    out = feed("VwapStdDevBands", [2], bars)
    assert [v for v, _ in out[:2]] == [None, None]
    assert out[2][1] == {"upper": 9.0, "middle": 9.0, "lower": 9.0, "stddev": 0.0}
    mean = (2 * 9 + 15) / 3
    sd = math.sqrt((2 * (9 - mean) ** 2 + (15 - mean) ** 2) / 3)
    assert out[3][1] == {"upper": approx(mean + 2 * sd), "middle": approx(mean), "lower": approx(mean - 2 * sd),
                         "stddev": approx(sd)}


def test_vwap_std_dev_keeps_its_precision_far_from_zero():
    # typical prices near 1e8 with a spread of about 1: Σv·tp² − (Σv·tp)²/Σv
    # would cancel to noise; the deviation must stay accurate
    rng = random.Random(11)
    bars, tps, vols = [], [], []
    for i in range(2000):
        price = 1e8 + rng.uniform(-1, 1)
        v = rng.uniform(1, 10)
        bars.append(flat(price, v=v))
        tps.append(Fraction((price + price + price) / 3))
        vols.append(Fraction(v))
    _, f = feed("VwapStdDevBands", [1], bars)[-1]
    w = sum(vols)
    mean = sum(v * p for v, p in zip(vols, tps)) / w
    var = sum(v * (p - mean) ** 2 for v, p in zip(vols, tps)) / w
    assert f["middle"] == approx(float(mean))
    assert f["stddev"] == approx(math.sqrt(float(var)), rel=1e-7)


# ---- regression bands ------------------------------------------------------------------------

@pytest.mark.parametrize("name, n, k, divisor", [("StandardErrorBands", 6, 2.0, lambda n: n - 2),
                                                 ("LinRegChannel", 5, 1.5, lambda n: n)])
def test_regression_bands_against_a_least_squares_fit(name, n, k, divisor):
    rng = random.Random(n)
    xs = [100 + rng.gauss(0, 3) + 0.2 * i for i in range(60)]
    out = feed(name, [n, k], [flat(x) for x in xs])
    assert [v for v, _ in out[: n - 1]] == [None] * (n - 1)
    t = np.arange(n)
    for i in range(n - 1, len(xs)):
        w = np.array(xs[i - n + 1:i + 1])
        slope, intercept = np.polyfit(t, w, 1)
        ssr = float(np.sum((w - (intercept + slope * t)) ** 2))
        width = k * math.sqrt(ssr / divisor(n))
        centre = intercept + slope * (n - 1)
        v, f = out[i]
        assert v == f["upper"]
        assert list(f) == ["upper", "middle", "lower"]
        assert f["middle"] == approx(centre, rel=1e-10)
        assert f["upper"] - f["middle"] == approx(width, rel=1e-8)
        assert f["middle"] - f["lower"] == approx(width, rel=1e-8)


@pytest.mark.parametrize("name", ["StandardErrorBands", "LinRegChannel"])
def test_regression_bands_on_a_line_and_a_flat_window(name):
    for xs, centre in (([1, 3, 5, 7, 9], 9.0), ([float(i) for i in range(7)] + [0.1] * 5, 0.1)):
        _, f = feed(name, [5, 2], [flat(x) for x in xs])[-1]
        assert f["middle"] == approx(centre)
        assert f["upper"] == f["middle"] == f["lower"]


def test_projection_bands_hand_worked():
    # highs 10, 12, 11: slope 0.5; projected 11, 12.5, 11 -> 12.5
    # lows 6, 9, 7: slope 0.5; projected 7, 9.5, 7 -> 7
    out = feed("ProjectionBands", [3], [candle(10, 6), candle(12, 9), candle(11, 7, c=8)])
    assert [v for v, _ in out[:2]] == [None, None]
    assert out[-1][0] == out[-1][1]["upper"]
    assert out[-1][1] == {"upper": approx(12.5), "middle": approx(9.75), "lower": approx(7.0)}
    assert values("ProjectionOscillator", [3], [candle(10, 6), candle(12, 9), candle(11, 7, c=8)])[-1] == \
        approx(100 * (8 - 7) / 5.5)


def test_projection_oscillator_degenerate_windows():
    # n = 1: no slope, the bands are the candle's own high and low
    assert values("ProjectionOscillator", [1], [candle(10, 6, c=7), candle(4, 2, c=4)]) == [25.0, 100.0]
    # flat candles: the bands coincide
    assert values("ProjectionOscillator", [3], [flat(5.0)] * 4) == [None, None, 50.0, 50.0]
    assert values("ProjectionOscillator", [1], [flat(5.0)]) == [50.0]


# ---- squeeze and expansion ----------------------------------------------------------------------

def ttm_reference(bars, n, kb, kk):
    cl = [b[4] for b in bars]
    atr = values("Atr", [n], bars)
    out, deltas = [], []
    for i in range(len(bars)):
        if i + 1 < n:
            out.append(None)
            continue
        w = np.array(cl[i - n + 1:i + 1])
        sma = float(w.mean())
        dmid = (max(b[2] for b in bars[i - n + 1:i + 1]) + min(b[3] for b in bars[i - n + 1:i + 1])) / 2
        deltas.append(cl[i] - (dmid + sma) / 2)
        if len(deltas) < n:
            out.append(None)
            continue
        d = np.array(deltas[-n:])
        slope, intercept = np.polyfit(np.arange(n), d, 1)
        sd = float(w.std())
        inside = sma + kb * sd < sma + kk * atr[i] and sma - kb * sd > sma - kk * atr[i]
        out.append((1.0 if inside else 0.0, intercept + slope * (n - 1)))
    return out


def test_ttm_squeeze_against_its_definition():
    bars = random_walk(5, 200)
    # a quiet stretch: the Bollinger bands contract inside the Keltner bands
    level = bars[99][4]
    for i in range(100, 140):
        c = level * (1 + 0.0005 * math.sin(i))
        bars[i] = (bars[i][0], c, c * 1.002, c * 0.998, c, 1.0)
    n = 10
    out = feed("TtmSqueeze", [n, 2, 1.5], bars)
    ref = ttm_reference(bars, n, 2, 1.5)
    assert indicators.Indicator("TtmSqueeze", [n, 2, 1.5]).warmup_period == 2 * n - 1
    assert [v for v, _ in out[: 2 * n - 2]] == [None] * (2 * n - 2)
    squeezes = set()
    for (v, f), r in zip(out[2 * n - 2:], ref[2 * n - 2:]):
        assert v == f["squeeze"] == r[0]
        assert f["momentum"] == approx(r[1], rel=1e-8, abs=1e-9)
        squeezes.add(v)
    assert squeezes == {0.0, 1.0}


def test_mass_index_against_its_definition_and_on_flat_candles():
    bars = random_walk(9, 150)
    e, s = 9, 25
    e1 = ema_ref([b[2] - b[3] for b in bars], e)
    e2 = ema_ref([x for x in e1 if x is not None], e)
    ratios = [a / b for a, b in zip([x for x in e1 if x is not None][e - 1:], e2[e - 1:])]
    got = values("MassIndex", [e, s], bars)
    warm = s + 2 * e - 2
    assert got[: warm - 1] == [None] * (warm - 1)
    for i in range(warm - 1, len(bars)):
        j = i - (2 * e - 2)
        assert got[i] == approx(sum(ratios[j - s + 1:j + 1]))
    # flat candles: both averages are 0 and every ratio counts as 1
    assert values("MassIndex", [3, 4], [flat(7.0)] * 12)[-1] == 4.0


def test_chaikin_volatility():
    bars = [candle(h, 0) for h in (2, 4, 6, 8, 10, 12)]
    # EMA(2) of the ranges: 3, then fma(2/3, x, value/3)
    e = [None, 3.0]
    for x in (6, 8, 10, 12):
        e.append(fma(2 / 3, x, (1 - 2 / 3) * e[-1]))
    got = values("ChaikinVolatility", [2, 3], bars)
    assert got[:4] == [None] * 4
    assert got[4:] == [approx(100 * (e[i] - e[i - 3]) / e[i - 3]) for i in (4, 5)]
    # an earlier average of 0 gives 0
    assert values("ChaikinVolatility", [1, 1], [flat(3.0), candle(4, 2)]) == [None, 0.0]


# ---- return-based estimators ----------------------------------------------------------------------

def log_returns(xs):
    return [math.log(b / a) for a, b in zip(xs, xs[1:])]


def test_historical_volatility_hand_worked():
    r = math.log(1.1)
    got = closes("HistoricalVolatility", [2, 252], [100, 110, 100])
    assert got == [None, None, approx(math.sqrt(2) * r * math.sqrt(252) * 100)]


def test_return_estimators_against_their_definitions():
    rng = random.Random(2)
    xs = [100.0]
    for _ in range(200):
        xs.append(xs[-1] * math.exp(rng.gauss(0, 0.02)))
    r = log_returns(xs)
    n = 10
    hv = closes("HistoricalVolatility", [n, 365], xs)
    rv = closes("RealizedVolatility", [n], xs)
    bv = closes("BipowerVariation", [n], xs)
    vov = closes("VolatilityOfVolatility", [n, 7], xs)
    for out, warm in ((hv, n + 1), (rv, n + 1), (bv, n + 1), (vov, n + 7)):
        assert out[: warm - 1] == [None] * (warm - 1) and out[warm - 1] is not None
    for i in range(n, len(xs)):
        w = np.array(r[i - n:i])
        assert hv[i] == approx(float(w.std(ddof=1)) * math.sqrt(365) * 100, rel=1e-10)
        assert rv[i] == approx(math.sqrt(float(np.sum(w * w))), rel=1e-12)
        assert bv[i] == approx(math.pi / 2 * float(np.sum(np.abs(w[1:]) * np.abs(w[:-1]))), rel=1e-12)
    inner = [float(np.array(r[j - n:j]).std()) for j in range(n, len(r) + 1)]
    for i in range(n + 6, len(xs)):
        j = i - n
        assert vov[i] == approx(float(np.array(inner[j - 6:j + 1]).std()), rel=1e-8, abs=1e-12)


def test_ewma_volatility_and_garch():
    xs = [100, 110, 99, 105]
    r = log_returns(xs)
    lam = 0.9
    v = r[0] ** 2
    want = [None, math.sqrt(v)]
    for x in r[1:]:
        v = lam * v + (1 - lam) * x * x
        want.append(math.sqrt(v))
    assert closes("EwmaVolatility", [lam], xs) == [None] + [approx(w) for w in want[1:]]
    om, a, b = 1e-4, 0.1, 0.8
    s2 = om / (1 - a - b)
    want = [None, math.sqrt(s2)]
    for prev in r[:-1]:
        s2 = om + a * prev * prev + b * s2
        want.append(math.sqrt(s2))
    got = closes("Garch11", [om, a, b], xs)
    assert got[1] == math.sqrt(om / (1 - a - b))
    assert got == [None] + [approx(w) for w in want[1:]]


def test_jump_indicator_flags_returns_beyond_the_threshold():
    rng = random.Random(4)
    xs = [100.0]
    for _ in range(30):
        xs.append(xs[-1] * math.exp(rng.gauss(0, 0.01)))
    xs += [xs[-1] * 1.2, xs[-1] * 1.2 * 0.8, xs[-1] * 1.2 * 0.8 * 1.001]
    got = closes("JumpIndicator", [20, 3], xs)
    assert indicators.Indicator("JumpIndicator", [20, 3]).warmup_period == 22
    assert got[:21] == [None] * 21 and got[21] is not None
    assert got[-3:] == [1.0, -1.0, 0.0]
    r = log_returns(xs)
    for i in range(21, len(xs) - 3):
        w = np.array(r[i - 21:i - 1])
        z = r[i - 1] - w.mean()
        bound = 3 * w.std(ddof=1)
        assert got[i] == (1.0 if z > bound else -1.0 if z < -bound else 0.0)


def test_volatility_cone_fields():
    bars = random_walk(6, 120)
    window, lookback = 5, 30
    out = feed("VolatilityCone", [window, lookback], bars)
    warm = window + lookback
    assert [v for v, _ in out[: warm - 1]] == [None] * (warm - 1)
    r = log_returns([b[4] for b in bars])
    vols = [float(np.array(r[j - window:j]).std(ddof=1)) for j in range(window, len(r) + 1)]
    for i in range(warm - 1, len(bars)):
        coll = np.array(vols[i - warm + 1:i - window + 1])
        v, f = out[i]
        assert v == f["current"] == approx(coll[-1], rel=1e-9)
        assert list(f) == ["current", "min", "median", "max", "percentile"]
        assert (f["min"], f["median"], f["max"]) == (approx(coll.min(), rel=1e-9), approx(np.median(coll), rel=1e-9),
                                                      approx(coll.max(), rel=1e-9))
        assert f["percentile"] == approx(100 * (np.sum(coll < coll[-1]) + 0.5) / lookback)


def test_volatility_cone_counts_ties_half():
    # flat closes: every collected volatility is 0, current equals them all
    _, f = feed("VolatilityCone", [2, 4], [flat(5.0)] * 6)[-1]
    assert f == {"current": 0.0, "min": 0.0, "median": 0.0, "max": 0.0, "percentile": 50.0}


def test_rvi_volatility():
    rng = random.Random(8)
    xs = [100 + rng.gauss(0, 2) for _ in range(80)]
    n = 6
    got = closes("RviVolatility", [n], xs)
    sds = [float(np.array(xs[i - n + 1:i + 1]).std()) for i in range(n - 1, len(xs))]
    up = ema_ref([sd if xs[i] > xs[i - 1] else 0.0 for sd, i in zip(sds, range(n - 1, len(xs)))], n)
    down = ema_ref([sd if xs[i] < xs[i - 1] else 0.0 for sd, i in zip(sds, range(n - 1, len(xs)))], n)
    assert got[: 2 * n - 2] == [None] * (2 * n - 2)
    for i in range(2 * n - 2, len(xs)):
        u, d = up[i - n + 1], down[i - n + 1]
        assert got[i] == approx(100 * u / (u + d), rel=1e-9)
    assert closes("RviVolatility", [3], [4.0] * 8)[-1] == 50.0


def test_wave_pm():
    rng = random.Random(12)
    xs = [100 + rng.gauss(0, 2) for _ in range(60)]
    n, m = 3, 5
    o = [(xs[i] - xs[i - n]) ** 2 for i in range(n, len(xs))]
    a = ema_ref(o, m)
    u = [1 - math.exp(-oi / (2 * ai)) if ai > 0 else 0.0 for oi, ai in zip(o[m - 1:], a[m - 1:])]
    want = ema_ref(u, m)
    got = closes("WavePm", [n, m], xs)
    warm = n + 2 * m - 1
    assert got[: warm - 1] == [None] * (warm - 1)
    assert got[warm - 1:] == [approx(100 * w, rel=1e-10) for w in want[m - 1:]]
    # flat closes: A = 0 and u = 0
    assert closes("WavePm", [2, 2], [5.0] * 8)[-1] == 0.0


# ---- range-based estimators ----------------------------------------------------------------------

LN2 = math.log(2)


@pytest.mark.parametrize(
    "name, term, divisor",
    [
        ("ParkinsonVolatility", lambda o, h, l, c: math.log(h / l) ** 2, 4 * LN2),
        ("GarmanKlassVolatility", lambda o, h, l, c: 0.5 * math.log(h / l) ** 2
         - (2 * LN2 - 1) * math.log(c / o) ** 2, 1.0),
        ("RogersSatchellVolatility", lambda o, h, l, c: math.log(h / c) * math.log(h / o)
         + math.log(l / c) * math.log(l / o), 1.0),
    ],
)
def test_range_estimators_against_their_formulas(orcl, name, term, divisor):
    bars = bars_of(orcl, 400)
    n, periods = 14, 252
    got = values(name, [n, periods], bars)
    terms = [term(b[1], b[2], b[3], b[4]) for b in bars]
    assert got[: n - 1] == [None] * (n - 1)
    for i in range(n - 1, len(bars)):
        s2 = sum(terms[i - n + 1:i + 1]) / (n * divisor)
        assert got[i] == approx(math.sqrt(max(s2, 0.0)) * math.sqrt(periods) * 100, rel=1e-9, abs=1e-12)


def test_yang_zhang_against_its_formula(orcl):
    bars = bars_of(orcl, 300)
    n, periods = 10, 252
    got = values("YangZhangVolatility", [n, periods], bars)
    k = 0.34 / (1.34 + (n + 1) / (n - 1))
    assert got[:n] == [None] * n
    for i in range(n, len(bars)):
        w = bars[i - n + 1:i + 1]
        prev = bars[i - n:i]
        on = np.array([math.log(b[1] / p[4]) for b, p in zip(w, prev)])
        oc = np.array([math.log(b[4] / b[1]) for b in w])
        rs = np.mean([math.log(b[2] / b[4]) * math.log(b[2] / b[1]) + math.log(b[3] / b[4]) * math.log(b[3] / b[1])
                      for b in w])
        s2 = on.var(ddof=1) + k * oc.var(ddof=1) + (1 - k) * rs
        assert got[i] == approx(math.sqrt(s2) * math.sqrt(periods) * 100, rel=1e-9)


# ---- skipped inputs -----------------------------------------------------------------------------

NON_POSITIVE_CLOSE_SKIPPERS = [
    ("HistoricalVolatility", [5, 252]), ("RealizedVolatility", [5]), ("BipowerVariation", [5]),
    ("JumpIndicator", [5, 2]), ("EwmaVolatility", [0.9]), ("Garch11", [1e-5, 0.1, 0.8]),
    ("VolatilityOfVolatility", [3, 3]), ("VolatilityCone", [3, 4]),
]
NON_POSITIVE_LOW_SKIPPERS = [
    ("ParkinsonVolatility", [5, 252]), ("GarmanKlassVolatility", [5, 252]),
    ("RogersSatchellVolatility", [5, 252]), ("YangZhangVolatility", [5, 252]),
]
ZERO_LOW = (0, 1.0, 2.0, 0.0, 1.0, 1.0)
NEGATIVE = (0, -1.0, 1.0, -2.0, -1.0, 1.0)


@pytest.mark.parametrize(
    "name, params, bad",
    [(n, p, b) for n, p in NON_POSITIVE_CLOSE_SKIPPERS for b in (flat(0.0), NEGATIVE)]
    + [(n, p, b) for n, p in NON_POSITIVE_LOW_SKIPPERS for b in (ZERO_LOW, NEGATIVE)],
)
def test_log_based_members_skip_non_positive_prices(name, params, bad):
    # the rejected bar yields nothing and every later value is as if it had
    # never arrived (the previous close included)
    bars = random_walk(13, 40)
    base = feed(name, params, bars)
    for at in (0, 1, 6, 20):
        got = feed(name, params, bars[:at] + [bad] + bars[at:])
        assert got[at][0] is None
        assert got[:at] + got[at + 1:] == base


# ---- constructor errors -------------------------------------------------------------------------

@pytest.mark.parametrize(
    "name, params, text",
    [
        ("Atr", [16777217], MAX),
        ("Natr", [16777217], MAX),
        ("AverageDailyRange", [16777217, 0], MAX),
        ("AverageDailyRange", [5, 2**31], "parameter #1 must be an i32, got 2147483648"),
        ("VolatilityRatio", [16777217], MAX),
        ("BollingerBands", [16777217, 2], MAX),
        ("BollingerBands", [0, 2], "parameter #0 must be a positive integer, got 0"),
        ("PercentB", [16777217, 2], MAX),
        ("BollingerBandwidth", [16777217, 2], MAX),
        ("DoubleBollinger", [20, 2, 1], "invalid period: double bollinger requires k_outer > k_inner"),
        ("DoubleBollinger", [20, 1.5, 1.5], "invalid period: double bollinger requires k_outer > k_inner"),
        ("DoubleBollinger", [20, 0, 2], MULT),
        ("DoubleBollinger", [20, 1, -2], MULT),
        ("DoubleBollinger", [16777217, 0, 2], MULT),  # the multipliers come first
        ("DoubleBollinger", [16777217, 2, 1], "invalid period: double bollinger requires k_outer > k_inner"),
        ("DoubleBollinger", [16777217, 1, 2], MAX),
        ("Keltner", [16777217, 10, 2], MAX),
        ("Keltner", [20, 16777217, 2], MAX),
        ("StarcBands", [6, 16777217, 2], MAX),
        ("AtrBands", [16777217, 2], MAX),
        ("MaEnvelope", [16777217, 0.05], MAX),
        ("AccelerationBands", [16777217, 4], MAX),
        ("Donchian", [16777217], MAX),
        ("FractalChaosBands", [16777217], MAX),
        ("StandardErrorBands", [2, 2], "invalid period: standard error bands need period >= 3"),
        ("StandardErrorBands", [16777217, 2], MAX),
        ("LinRegChannel", [1, 2], "invalid period: linear regression channel needs period >= 2"),
        ("LinRegChannel", [1, 0], "invalid period: linear regression channel needs period >= 2"),
        ("LinRegChannel", [5, 0], MULT),
        ("LinRegChannel", [5, -1], MULT),
        ("ProjectionBands", [1], "invalid period: projection bands need period >= 2"),
        ("ProjectionOscillator", [16777217], MAX),
        ("QuartileBands", [16777217], MAX),
        ("MedianChannel", [16777217, 2], MAX),
        ("BomarBands", [20, 0], "invalid parameter: bomar bands coverage must be a finite value in (0.0, 1.0]"),
        ("BomarBands", [20, 1.0000001], "invalid parameter: bomar bands coverage must be a finite value in (0.0, 1.0]"),
        ("BomarBands", [20, -0.5], "invalid parameter: bomar bands coverage must be a finite value in (0.0, 1.0]"),
        ("BomarBands", [16777217, 0.5], MAX),
        ("HurstChannel", [16777217, 1], MAX),
        ("TtmSqueeze", [1, 2, 1.5], "invalid period: TTM squeeze needs period >= 2 for the momentum regression"),
        ("TtmSqueeze", [16777217, 2, 1.5], MAX),
        ("MassIndex", [9, 16777217], MAX),
        ("ChaikinVolatility", [16777217, 10], MAX),
        ("ChaikinVolatility", [10, 16777217], MAX),
        ("HistoricalVolatility", [1, 252], "invalid period: historical volatility period must be >= 2"),
        ("HistoricalVolatility", [16777217, 252], MAX),
        ("HistoricalVolatility", [20, 0], "parameter #1 must be a positive integer, got 0"),
        ("RealizedVolatility", [16777217], MAX),
        ("ParkinsonVolatility", [16777217, 252], MAX),
        ("GarmanKlassVolatility", [16777217, 252], MAX),
        ("RogersSatchellVolatility", [16777217, 252], MAX),
        ("YangZhangVolatility", [1, 252], "invalid period: Yang-Zhang period must be >= 2"),
        ("EwmaVolatility", [1], "invalid parameter: EWMA volatility lambda must be in the open interval (0, 1)"),
        ("EwmaVolatility", [0], "invalid parameter: EWMA volatility lambda must be in the open interval (0, 1)"),
        ("EwmaVolatility", [-0.5], "invalid parameter: EWMA volatility lambda must be in the open interval (0, 1)"),
        ("Garch11", [0, 0.1, 0.8], "invalid parameter: GARCH(1,1) omega must be > 0"),
        ("Garch11", [-1e-6, -0.1, 0.8], "invalid parameter: GARCH(1,1) omega must be > 0"),
        ("Garch11", [1e-6, -0.1, 0.8], "invalid parameter: GARCH(1,1) alpha and beta must be >= 0"),
        ("Garch11", [1e-6, 0.1, -0.8], "invalid parameter: GARCH(1,1) alpha and beta must be >= 0"),
        ("Garch11", [1e-6, 0.5, 0.5],
         "invalid parameter: GARCH(1,1) requires alpha + beta < 1 (covariance stationarity)"),
        ("Garch11", [1e-6, 2, -0.5], "invalid parameter: GARCH(1,1) alpha and beta must be >= 0"),
        ("Garch11", [1e-6, math.inf, 0.5], "parameter #1 must be finite"),
        ("BipowerVariation", [1], "invalid period: bipower variation period must be >= 2"),
        ("BipowerVariation", [16777217], MAX),
        ("JumpIndicator", [1, 3], "invalid period: jump indicator needs period >= 2"),
        ("JumpIndicator", [20, 0], "invalid parameter: jump indicator threshold must be finite and positive"),
        ("JumpIndicator", [20, -1], "invalid parameter: jump indicator threshold must be finite and positive"),
        ("JumpIndicator", [16777217, 3], MAX),
        ("VolatilityOfVolatility", [1, 20], "invalid period: vol-of-vol windows must both be >= 2"),
        ("VolatilityOfVolatility", [20, 1], "invalid period: vol-of-vol windows must both be >= 2"),
        ("VolatilityOfVolatility", [20, 16777217], MAX),
        ("VolatilityCone", [1, 20], "invalid period: volatility cone window and lookback must both be >= 2"),
        ("VolatilityCone", [20, 1], "invalid period: volatility cone window and lookback must both be >= 2"),
        ("VolatilityCone", [16777217, 20], MAX),
        ("RviVolatility", [1], "invalid period: RVI period must be >= 2"),
        ("RviVolatility", [16777217], MAX),
        ("WavePm", [16777217, 100], MAX),
        ("WavePm", [14, 16777217], MAX),
        ("Keltner", [20, 10], "missing parameter #2"),
    ],
)
def test_constructor_errors(name, params, text):
    assert error_text(name, params) == f"invalid parameters for indicator {name}: {text}"


@pytest.mark.parametrize(
    "name, params",
    [
        ("Atr", [MAX_PERIOD]),
        ("HistoricalVolatility", [20, 2**40]),  # periods per year are not a window length
        ("ParkinsonVolatility", [20, 2**40]),
        ("YangZhangVolatility", [2, 2**40]),
        ("DoubleBollinger", [20, 1, 1.0000001]),
        ("BomarBands", [20, 1.0]),
        ("BollingerBands", [20, -2]),  # band multipliers other than those listed are not checked
        ("EwmaVolatility", [0.999999]),
        ("Garch11", [1e-6, 0, 0]),
        ("AverageDailyRange", [1, -(2**31)]),
        ("StandardErrorBands", [3, 2]),
        ("ProjectionOscillator", [1]),
        ("FractalChaosBands", [MAX_PERIOD]),
    ],
)
def test_boundary_parameters_are_accepted(name, params):
    indicators.Indicator(name, params)


def test_large_annualisation_scales_exactly():
    xs = [100, 110, 100]
    assert closes("HistoricalVolatility", [2, 2**40], xs)[-1] == approx(
        closes("HistoricalVolatility", [2, 1], xs)[-1] * 2**20)


def test_a_huge_period_allocates_nothing_up_front():
    before = resource.getrusage(resource.RUSAGE_SELF).ru_maxrss
    keep = []
    for name in sorted(indicators.names()):
        d = indicators.describe(name)
        if d["family"] != "volatility" or d["name"] != name or not d["params"] or d["params"][0] != "usize":
            continue
        params = list(d["typical_params"])
        params[0] = MAX_PERIOD
        if name in ("VolatilityOfVolatility", "VolatilityCone", "Keltner", "StarcBands", "MassIndex",
                    "ChaikinVolatility", "WavePm"):
            params[1] = MAX_PERIOD
        ind = indicators.Indicator(name, params)
        for c in (1.0, 2.0, 3.0):
            assert ind.update(0, c, c, c, c, 1.0) is None
        keep.append(ind)
    grown_kib = resource.getrusage(resource.RUSAGE_SELF).ru_maxrss - before
    assert len(keep) > 30
    assert grown_kib < 64 * 1024


# ---- agreement with TA-Lib on recorded histories ---------------------------------------------------

def close_enough(got, want, scale):
    """1e-9 relative, with a floor of 1e-12 of the price level for values near 0."""
    return np.abs(got - want) <= 1e-9 * np.abs(want) + 1e-12 * scale


@pytest.mark.parametrize("file", DATA_FILES)
def test_true_range_agrees_with_talib(file):
    d = load(file)
    ours = indicators.compute("TrueRange", [], d)
    theirs = talib.TRANGE(d["high"], d["low"], d["close"])
    assert ours["has_value"].all()
    assert ours["value"][0] == d["high"][0] - d["low"][0]
    assert np.all(close_enough(ours["value"][1:], theirs[1:], np.median(d["close"])))


@pytest.mark.parametrize("file", DATA_FILES)
@pytest.mark.parametrize("n, k", [(20, 2.0), (5, 1.5), (50, 3.0)])
def test_bollinger_bands_agree_with_talib(file, n, k):
    d = load(file)
    ours = indicators.compute("BollingerBands", [n, k], d)
    upper, middle, lower = talib.BBANDS(d["close"], n, k, k, 0)
    assert np.array_equal(ours["has_value"], ~np.isnan(middle))
    has = ours["has_value"]
    scale = np.median(d["close"])
    for field, peer in (("upper", upper), ("middle", middle), ("lower", lower)):
        assert np.all(close_enough(ours[field][has], peer[has], scale)), field


@pytest.mark.parametrize("file", DATA_FILES)
@pytest.mark.parametrize("n", [20, 10])
def test_acceleration_bands_agree_with_talib(file, n):
    d = load(file)
    ours = indicators.compute("AccelerationBands", [n, 4], d)
    upper, middle, lower = talib.ACCBANDS(d["high"], d["low"], d["close"], n)
    assert np.array_equal(ours["has_value"], ~np.isnan(middle))
    has = ours["has_value"]
    scale = np.median(d["close"])
    for field, peer in (("upper", upper), ("middle", middle), ("lower", lower)):
        assert np.all(close_enough(ours[field][has], peer[has], scale)), field


ATR_CASES = [(f, 14) for f in DATA_FILES if f != "btcusd-monthly.csv"] + [(f, 5) for f in DATA_FILES]


@pytest.mark.parametrize("file, n", ATR_CASES)
@pytest.mark.parametrize("name, peer", [("Atr", talib.ATR), ("Natr", talib.NATR)])
def test_atr_and_natr_agree_with_talib_once_the_seed_has_decayed(file, n, name, peer):
    d = load(file)
    ours = indicators.compute(name, [n], d)
    theirs = peer(d["high"], d["low"], d["close"], n)
    assert ours["has_value"][n - 1:].all() and not ours["has_value"][: n - 1].any()
    start = 25 * n - 1  # bar 25·n
    assert len(d["close"]) > start + 10
    scale = np.median(ours["value"][n - 1:])
    assert np.all(close_enough(ours["value"][start:], theirs[start:], scale))
