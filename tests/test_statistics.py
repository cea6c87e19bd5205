"""The statistics family: rolling moments, regression, order statistics,
entropy and long memory, return and risk ratios, drawdowns, labels and the
calendar members. Values are checked against hand-worked windows, exact
rational arithmetic or TA-Lib on recorded closes."""

import csv
import datetime as dt
import math
import random
import resource
from fractions import Fraction
from pathlib import Path

import numpy as np
import pytest
import talib

from tarsel_plenko import indicators

INF = math.inf
NAN = math.nan
DATA_DIR = Path(__file__).resolve().parents[2] / "shared" / "data"


def run(name, params, closes):
    """Every output of a fresh indicator fed the closes (None = no value)."""
    ind = indicators.Indicator(name, params)
    return [ind.update(0, c, c, c, c) for c in closes]


def last(name, params, closes):
    return run(name, params, closes)[-1]


def approx(x, rel=1e-12, abs=1e-15):
    return pytest.approx(x, rel=rel, abs=abs)


def error_text(name, params):
    with pytest.raises(ValueError) as info:
        indicators.Indicator(name, params)
    return str(info.value)


def fma(a, b, c):
    """Correctly rounded a*b + c."""
    return float(Fraction(a) * Fraction(b) + Fraction(c))


def series(seed, count, low=-1.0, high=1.0):
    rng = random.Random(seed)
    return [rng.uniform(low, high) for _ in range(count)]


# ---- shifted-moment window ------------------------------------------------

SKEW_WINDOW = [1.0, 1.0, 1.0, 5.0]  # mean 2; central m2 = 3, m3 = 6, m4 = 21


@pytest.mark.parametrize(
    "name, params, closes, want",
    [
        ("Variance", [4], [1, 2, 3, 4], 1.25),
        ("StdDev", [4], [1, 2, 3, 4], math.sqrt(1.25)),
        ("ZScore", [4], [1, 2, 3, 4], 1.5 / math.sqrt(1.25)),
        ("ZScore", [4], [4, 3, 2, 1], -1.5 / math.sqrt(1.25)),
        ("CoefficientOfVariation", [4], [1, 2, 3, 4], math.sqrt(1.25) / 2.5),
        ("CoefficientOfVariation", [2], [-1, -3], 1.0 / -2.0),  # signed by the mean
        ("Skewness", [4], SKEW_WINDOW, 6 / 3**1.5),
        ("Skewness", [4], [1, 2, 3, 4], 0.0),
        ("Kurtosis", [4], SKEW_WINDOW, 21 / 9 - 3),
        ("Kurtosis", [4], [1, 2, 3, 4], (2 * 1.5**4 + 2 * 0.5**4) / 4 / 1.25**2 - 3),
        ("SharpeRatio", [4, 0.0], [1, 2, 3, 4], 2.5 / math.sqrt(5 / 3)),
        ("SharpeRatio", [4, 0.5], [1, 2, 3, 4], 2.0 / math.sqrt(5 / 3)),
        ("M2Measure", [4, 0.5, 2.0], [1, 2, 3, 4], 2.0 / math.sqrt(5 / 3) * 2.0 + 0.5),
        # the window slides: only the last n values count
        ("Variance", [3], [100, -50, 7, 1, 2, 3], 2 / 3),
        ("Skewness", [4], [9, -9, 4, *SKEW_WINDOW], 6 / 3**1.5),
    ],
)
def test_moment_members_on_hand_worked_windows(name, params, closes, want):
    out = run(name, params, closes)
    warm = params[0]
    assert out[: warm - 1] == [None] * (warm - 1)
    assert out[-1] == approx(want)


@pytest.mark.parametrize(
    "name, params, want",
    [
        ("Variance", [7], 0.0),
        ("StdDev", [7], 0.0),
        ("ZScore", [7], 0.0),
        ("CoefficientOfVariation", [7], 0.0),
        ("Skewness", [7], 0.0),
        ("Kurtosis", [7], 0.0),
        ("SharpeRatio", [7, 0.0], 0.0),
        ("M2Measure", [7, 0.0, 0.2], 0.0),
        ("JarqueBera", [7], 0.0),
        ("RSquared", [7], 1.0),
        ("LinRegSlope", [7], 0.0),
        ("LinRegAngle", [7], 0.0),
        ("LinearRegression", [7], 0.1),
        ("Tsf", [7], 0.1),
        ("StandardError", [7], 0.0),
        ("DetrendedStdDev", [7], 0.0),
        ("TrendLabel", [7], 0.0),
        ("Autocorrelation", [7, 2], 0.0),
        ("ShannonEntropy", [7, 3], 0.0),
        ("SampleEntropy", [7, 2, 0.2], 0.0),
        ("HurstExponent", [7, 3], 0.5),
    ],
)
def test_a_constant_window_gives_the_degenerate_value_exactly(name, params, want):
    # The flat stretch begins between two recentrings of the running sums,
    # whose residue from the departed values must not pose as spread; and
    # 0.1 is not representable, so seven copies do not sum to 0.7.
    closes = [float(i) for i in range(1, 11)] + [0.1] * 15
    out = run(name, params, closes)
    flat = out[10 + 7 - 1 :]
    assert flat == [want] * len(flat)


def test_coefficient_of_variation_is_zero_at_a_zero_mean():
    assert last("CoefficientOfVariation", [2], [-1.0, 1.0]) == 0.0


def exact_moments(window):
    n = len(window)
    xs = [Fraction(x) for x in window]
    mean = sum(xs) / n
    m = [sum((x - mean) ** k for x in xs) / n for k in (2, 3, 4)]
    return mean, m[0], m[1], m[2]


def test_moments_track_a_sliding_window_far_from_zero():
    # Values near 1e9 with a spread near 1: raw power sums would cancel
    # catastrophically; the sums about the moving shift must not.
    n = 7
    closes = [1e9 + x for x in series(5, 60, -1, 1)]
    out = {name: run(name, [n], closes) for name in ("Variance", "ZScore", "Skewness", "Kurtosis")}
    for i in range(n - 1, len(closes)):
        mean, m2, m3, m4 = exact_moments(closes[i - n + 1 : i + 1])
        assert out["Variance"][i] == approx(float(m2), rel=1e-6)
        z = (Fraction(closes[i]) - mean) / Fraction(math.sqrt(m2))
        assert out["ZScore"][i] == approx(float(z), rel=1e-6, abs=1e-6)
        assert out["Skewness"][i] == approx(float(m3 / Fraction(float(m2) ** 1.5)), rel=1e-5, abs=1e-5)
        assert out["Kurtosis"][i] == approx(float(m4 / m2**2 - 3), rel=1e-5, abs=1e-5)


def test_sample_variance_is_formed_with_a_fused_multiply_add():
    # Before the next recentring the shift K is stale and S1 is large, so
    # S2 − n·m² cancels; the product n·m² must be fused into the subtraction.
    n = 5
    closes = [0.9014274576114836, 0.030589983033553536, 0.0254458609934608, 0.5414124727934966,
              0.9391491627785106, 10.381204237688213, 10.216599397130613, 10.422116575582717,
              10.029040787574868]
    total = 0.0
    for x in closes[:n]:
        total = total + x
    k = total / n  # the first recentring, when the window fills
    s1 = s2 = 0.0
    for x in closes[:n]:
        s1, s2 = s1 + (x - k), s2 + (x - k) * (x - k)
    for old, new in zip(closes, closes[n:]):
        s1, s2 = s1 - (old - k), s2 - (old - k) * (old - k)
        s1, s2 = s1 + (new - k), s2 + (new - k) * (new - k)
    m = s1 / n
    fused = fma(-n, m * m, s2) / (n - 1)
    plain = (s2 - n * (m * m)) / (n - 1)
    want = (k + m) / math.sqrt(fused)
    assert want != (k + m) / math.sqrt(plain)  # the case tells the two apart
    assert last("SharpeRatio", [n, 0.0], closes) == want
    assert last("M2Measure", [n, 0.0, 1.0], closes) == want * 1.0 + 0.0


# ---- sliding regression window --------------------------------------------

def exact_fit(window):
    n = len(window)
    ys = [Fraction(y) for y in window]
    sx = Fraction(n * (n - 1), 2)
    sxx = sum(Fraction(i * i) for i in range(n))
    sy = sum(ys)
    sxy = sum(i * y for i, y in enumerate(ys))
    b = (n * sxy - sx * sy) / (n * sxx - sx * sx)
    a = (sy - b * sx) / n
    return a, b


@pytest.mark.parametrize(
    "name, closes, want",
    [
        ("LinRegSlope", [1, 2, 3, 4, 5], 1.0),
        ("LinRegIntercept", [1, 2, 3, 4, 5], 1.0),
        ("LinearRegression", [1, 2, 3, 4, 5], 5.0),
        ("Tsf", [1, 2, 3, 4, 5], 6.0),
        ("LinRegAngle", [1, 2, 3, 4, 5], 45.0),
        ("RSquared", [1, 2, 3, 4, 5], 1.0),
        ("TrendLabel", [1, 2, 3, 4, 5], 1.0),
        # y = 2, 4, 6, 5: b = 1.1, a = 2.6, fitted 2.6 … 5.9, R² = 0.6914…
        ("LinRegSlope", [2, 4, 6, 5], 1.1),
        ("LinRegIntercept", [2, 4, 6, 5], 2.6),
        ("LinearRegression", [2, 4, 6, 5], 5.9),
        ("Tsf", [2, 4, 6, 5], 7.0),
        ("RSquared", [2, 4, 6, 5], 1.1**2 * 5 / 8.75),
        ("Cfo", [2, 4, 6, 5], (5 - 5.9) * 100 / 5),
        ("TsfOscillator", [2, 4, 6, 5], (5 - 7.0) * 100 / 5),
        ("LinRegAngle", [5, 4, 3], -45.0),
        ("TrendLabel", [5, 4, 3], -1.0),
        # a flat window: a perfect fit with no slope
        ("RSquared", [2, 2, 2], 1.0),
        ("LinRegSlope", [2, 2, 2], 0.0),
        ("LinRegAngle", [2, 2, 2], 0.0),
        ("TrendLabel", [2, 2, 2], 0.0),
        ("TrendLabel", [1, 3, 1], 0.0),
        # an up-and-down window can have no linear fit at all
        ("RSquared", [1, 3, 1], 0.0),
    ],
)
def test_regression_members_on_hand_worked_windows(name, closes, want):
    out = run(name, [len(closes)], [float(c) for c in closes])
    assert out[:-1] == [None] * (len(closes) - 1)
    assert out[-1] == approx(want, abs=1e-12)


def test_regression_tracks_a_sliding_window_far_from_zero():
    n = 9
    closes = [5e8 + 3 * x for x in series(11, 80, -1, 1)]
    slope = run("LinRegSlope", [n], closes)
    intercept = run("LinRegIntercept", [n], closes)
    value = run("LinearRegression", [n], closes)
    for i in range(n - 1, len(closes)):
        a, b = exact_fit(closes[i - n + 1 : i + 1])
        assert slope[i] == approx(float(b), rel=1e-6, abs=1e-6)
        assert intercept[i] == approx(float(a), rel=1e-14)
        assert value[i] == approx(float(a + b * (n - 1)), rel=1e-14)


def test_regression_constants_do_not_overflow_for_long_windows():
    # n·Σx² exceeds 2^64 from n ≈ 100000 on; the constants must still be exact.
    n = 200_000
    closes = 3.0 + 0.25 * np.arange(n + 5, dtype=np.float64)
    out = indicators.compute("LinRegSlope", [n], {"close": closes})["value"]
    assert out[-1] == approx(0.25, rel=1e-9)
    detrended = indicators.compute("DetrendedStdDev", [n], {"close": closes})["value"]
    assert detrended[-1] == approx(0.0, abs=1e-6)


@pytest.mark.parametrize("name", ["TsfOscillator", "Cfo"])
def test_percentage_oscillators_repeat_their_value_at_a_zero_close(name):
    out = run(name, [3], [1.0, 2.0, 4.0, 0.0, 0.0, 5.0])
    assert out[2] is not None
    assert out[3] == out[2] and out[4] == out[2]
    # the zero closes still entered the regression window
    assert out[5] == run(name, [3], [0.0, 0.0, 5.0])[-1]
    # with no earlier value there is nothing to repeat
    assert run(name, [3], [1.0, 2.0, 0.0]) == [None, None, None]


# ---- residual regression --------------------------------------------------

@pytest.mark.parametrize(
    "name, closes, want",
    [
        # y = 1, 3, 2: ȳ = 2, b = 0.5, residuals −0.5, 1, −0.5, SSR = 1.5
        ("StandardError", [1, 3, 2], math.sqrt(1.5 / 1)),
        ("DetrendedStdDev", [1, 3, 2], math.sqrt(1.5 / 3)),
        # y = 2, 4, 6, 5: residuals −0.6, 0.3, 1.2, −0.9, SSR = 2.7
        ("StandardError", [2, 4, 6, 5], math.sqrt(2.7 / 2)),
        ("DetrendedStdDev", [2, 4, 6, 5], math.sqrt(2.7 / 4)),
        ("StandardError", [2, 4, 6, 8], 0.0),
        ("DetrendedStdDev", [7, 7], 0.0),
    ],
)
def test_residual_regression_members(name, closes, want):
    out = run(name, [len(closes)], [float(c) for c in closes])
    assert out[-1] == approx(want, abs=1e-12)


def test_residual_regression_slides_with_the_window():
    closes = [50.0, -20.0, 1.0, 3.0, 2.0]
    assert run("StandardError", [3], closes)[-1] == approx(math.sqrt(1.5))


@pytest.mark.parametrize(
    "closes, want",
    [
        ([1, 1, 1], 0.0),  # cumulated 1, 2, 3: a perfect line
        ([0.0, 0.0, 0.0, 0.0], 0.0),
    ],
)
def test_k_ratio_is_zero_on_a_perfect_fit(closes, want):
    assert last("KRatio", [len(closes)], closes) == want


def test_k_ratio_against_a_least_squares_fit_of_the_cumulated_returns():
    returns = series(17, 40, -0.02, 0.03)
    n = 12
    out = run("KRatio", [n], returns)
    for i in range(n - 1, len(returns)):
        c = np.cumsum(returns[i - n + 1 : i + 1])
        t = np.arange(1, n + 1, dtype=np.float64)
        (beta, alpha), (ssr,), *_ = np.polyfit(t, c, 1, full=True)
        se = math.sqrt(ssr / (n - 2) / np.sum((t - t.mean()) ** 2))
        assert out[i] == approx(beta / se, rel=1e-8)


# ---- autocorrelation, Jarque-Bera, Hurst, entropies ----------------------

@pytest.mark.parametrize(
    "name, params, closes, want",
    [
        ("Autocorrelation", [4, 1], [1, 2, 3, 4], 1.25 / 5),
        ("Autocorrelation", [4, 2], [1, 2, 3, 4], ((3 - 2.5) * (1 - 2.5) + (4 - 2.5) * (2 - 2.5)) / 5),
        ("Autocorrelation", [4, 1], [3, 3, 3, 3], 0.0),
        ("JarqueBera", [4], SKEW_WINDOW, 4 / 6 * ((6 / 3**1.5) ** 2 + (21 / 9 - 3) ** 2 / 4)),
        ("JarqueBera", [4], [2, 2, 2, 2], 0.0),
        # j = 1: R/S = 2/√1.25; j = 2: both chunks R/S = 1; slope of ln R/S on ln s
        ("HurstExponent", [4, 2], [1, 2, 3, 4], math.log(2 / math.sqrt(1.25)) / (math.log(4) - math.log(2))),
        ("HurstExponent", [8, 4], [5.0] * 8, 0.5),
        ("ShannonEntropy", [4, 2], [1, 2, 3, 4], 1.0),
        ("ShannonEntropy", [4, 4], [1, 2, 3, 4], 2.0),
        ("ShannonEntropy", [4, 100], [1, 2, 3, 4], 2.0),  # more bins than values
        ("ShannonEntropy", [4, 3], [1, 1, 1, 4], -(0.75 * math.log2(0.75) + 0.25 * math.log2(0.25))),
        ("ShannonEntropy", [4, 3], [2, 2, 2, 2], 0.0),
        # exact matches only (tolerance 0.1·σ < 1): B = 3 pairs, A = 1 of them
        ("SampleEntropy", [6, 1, 0.1], [1, 2, 1, 3, 1, 2], math.log(3)),
        ("SampleEntropy", [6, 1, 0.1], [1, 2, 1, 3, 1, 4], math.log(3)),  # A = 0 gives ln B
        ("SampleEntropy", [5, 1, 0.5], [1, 2, 1, 2, 1], 0.0),  # A = B
        ("SampleEntropy", [5, 2, 0.1], [1, 2, 3, 4, 5], 0.0),  # B = 0
        ("SampleEntropy", [5, 2, 0.2], [4, 4, 4, 4, 4], 0.0),
    ],
)
def test_window_statistics_on_hand_worked_windows(name, params, closes, want):
    out = run(name, params, [float(c) for c in closes])
    assert out[-1] == approx(want, abs=1e-12)
    assert out[-1] == 0.0 or math.copysign(1.0, out[-1]) == math.copysign(1.0, want)


def histogram_entropy(window, bins):
    lo, hi = min(window), max(window)
    if hi <= lo:
        return 0.0
    width = (hi - lo) / bins
    counts = {}
    for x in window:
        b = min(int(math.floor((x - lo) / width)), bins - 1)
        counts[b] = counts.get(b, 0) + 1
    return -sum(c / len(window) * math.log2(c / len(window)) for _, c in sorted(counts.items()))


@pytest.mark.parametrize("bins", [2, 7, 30, 1000])
def test_shannon_entropy_over_a_sliding_window(bins):
    # 1000 bins exceed the 25 values: the sparse path must agree.
    closes = [round(x, 1) for x in series(23, 120, 0, 5)]
    out = run("ShannonEntropy", [25, bins], closes)
    for i in range(24, len(closes)):
        assert out[i] == approx(histogram_entropy(closes[i - 24 : i + 1], bins), rel=1e-14)


def test_hurst_exponent_stays_in_range_and_trends_high():
    trending = [float(i * i) for i in range(64)]
    rough = series(3, 64)
    for closes in (trending, rough):
        out = run("HurstExponent", [64, 4], closes)[-1]
        assert 0.0 <= out <= 1.0
    assert run("HurstExponent", [64, 4], trending)[-1] > run("HurstExponent", [64, 4], rough)[-1]


# ---- sorted-window quantiles ----------------------------------------------

@pytest.mark.parametrize(
    "name, params, closes, want",
    [
        ("RollingQuantile", [4, 0.5], [1, 2, 3, 4], 2.5),
        ("RollingQuantile", [5, 0.25], [5, 1, 4, 2, 3], 2.0),
        ("RollingQuantile", [4, 0.0], [3, -1, 7, 2], -1.0),
        ("RollingQuantile", [4, 1.0], [3, -1, 7, 2], 7.0),
        ("RollingQuantile", [4, 0.9], [3, -1, 7, 2], 3 + (7 - 3) * (3 * 0.9 - 2)),
        ("RollingQuantile", [1, 0.3], [9, 8], 8.0),
        ("RollingIqr", [5], [5, 1, 4, 2, 3], 4.0 - 2.0),
        ("RollingIqr", [1], [42], 0.0),
        ("MedianAbsoluteDeviation", [5], [1, 2, 3, 4, 100], 1.0),
        ("MedianAbsoluteDeviation", [4], [1, 2, 4, 8], 1.5),  # median 3, deviations 2, 1, 1, 5
        ("MedianAbsoluteDeviation", [3], [7, 7, 7], 0.0),
        ("RollingPercentileRank", [4], [1, 2, 3, 4], (3 + 0.5) / 4 * 100),
        ("RollingPercentileRank", [4], [4, 3, 2, 1], 0.5 / 4 * 100),
        ("RollingPercentileRank", [4], [5, 5, 5, 5], 50.0),
        ("RollingPercentileRank", [4], [2, 5, 5, 5], (1 + 1.5) / 4 * 100),
        ("RollingPercentileRank", [2], [-0.0, 0.0], 50.0),  # −0.0 and +0.0 are equal ranks
    ],
)
def test_order_statistics_on_hand_worked_windows(name, params, closes, want):
    assert last(name, params, [float(c) for c in closes]) == approx(want)


def test_rolling_quantile_agrees_with_numpy_linear_quantiles():
    closes = [round(x, 2) for x in series(7, 300, -3, 3)]  # many ties
    n = 30
    for q in (0.0, 0.05, 0.37, 0.5, 0.95, 1.0):
        out = run("RollingQuantile", [n, q], closes)
        want = [np.quantile(closes[i - n + 1 : i + 1], q) for i in range(n - 1, len(closes))]
        assert out[n - 1 :] == pytest.approx(want, rel=1e-13, abs=1e-13)


@pytest.mark.parametrize("n", [1, 2, 5, 6, 31])
def test_median_absolute_deviation_equals_the_direct_definition(n):
    # Ties, signed zeros and a far outlier: the bisection over the two sorted
    # runs of deviations must pick the same middle values as a full sort.
    rng = random.Random(n)
    closes = [rng.choice([-0.0, 0.0, 1.0, -2.5, 3.25, 1e6, rng.uniform(-5, 5)]) for _ in range(200)]
    out = run("MedianAbsoluteDeviation", [n], closes)
    for i in range(n - 1, len(closes)):
        w = np.array(closes[i - n + 1 : i + 1])
        want = float(np.median(np.abs(w - np.median(w))))
        assert out[i] == want


@pytest.mark.parametrize(
    "name, params, closes, want",
    [
        # p = 4·(1 − 0.8): between the two worst returns
        ("ValueAtRisk", [5, 0.8], [0.01, -0.05, 0.04, -0.02, 0.03], 0.05 - 0.03 * (4 * (1 - 0.8))),
        ("ValueAtRisk", [5, 0.75], [0.01, -0.05, 0.04, -0.02, 0.03], 0.02),  # an exact rank
        ("ValueAtRisk", [5, 0.9], [0.01, 0.05, 0.04, 0.02, 0.03], 0.0),
        ("ConditionalValueAtRisk", [5, 0.6], [0.01, -0.05, 0.04, -0.02, 0.03], 0.035),
        ("ConditionalValueAtRisk", [5, 0.95], [0.01, -0.05, 0.04, -0.02, 0.03], 0.05),  # h raised to 1
        ("ConditionalValueAtRisk", [5, 0.5], [0.01, 0.05, 0.04, 0.02, 0.03], 0.0),
        ("TailRatio", [21], [float(i) for i in range(-10, 11)], 1.0),
        ("TailRatio", [21], [float(i) for i in range(-5, 16)], 14.0 / 4.0),
        ("TailRatio", [3], [0.0, 0.0, 1.0], 0.0),  # Q(0.05) = 0
        ("CommonSenseRatio", [21], [float(i) for i in range(-5, 16)], 14.0 / 4.0 * 120 / 15),
        ("CommonSenseRatio", [3], [1.0, 2.0, 3.0], 0.0),  # no losses
    ],
)
def test_tail_risk_members(name, params, closes, want):
    assert last(name, params, closes) == approx(want)


# ---- return ratios on running sums ----------------------------------------

WINDOW = [0.1, -0.2, 0.3, -0.1]  # mean 0.025; gains 0.4, losses 0.3


@pytest.mark.parametrize(
    "name, params, closes, want",
    [
        ("SortinoRatio", [4, 0.0], WINDOW, 0.025 / math.sqrt((0.04 + 0.01) / 4)),
        ("SortinoRatio", [4, 0.2], WINDOW, (0.025 - 0.2) / math.sqrt((0.01 + 0.16 + 0.09) / 4)),
        ("SortinoRatio", [3, 0.0], [0.1, 0.2, 0.3], 0.0),
        ("UpsidePotentialRatio", [4, 0.0], WINDOW, (0.4 / 4) / math.sqrt(0.05 / 4)),
        ("UpsidePotentialRatio", [3, 0.0], [0.1, 0.2, 0.3], 0.0),
        ("OmegaRatio", [4, 0.0], WINDOW, 0.4 / 0.3),
        ("OmegaRatio", [4, 0.1], WINDOW, 0.2 / 0.5),
        ("OmegaRatio", [3, 0.0], [0.0, 0.0, 0.0], 1.0),
        ("OmegaRatio", [3, 0.0], [0.0, 0.1, 0.0], INF),
        ("ProfitFactor", [4], WINDOW, 0.4 / 0.3),
        ("ProfitFactor", [3], [0.0, 0.0, 0.0], 1.0),
        ("ProfitFactor", [3], [0.0, 0.1, 0.0], INF),
        ("GainLossRatio", [4], WINDOW, (0.4 / 2) / (0.3 / 2)),
        ("GainLossRatio", [3], [0.0, 0.0, 0.0], 1.0),
        ("GainLossRatio", [3], [0.0, 0.1, 0.0], INF),
        ("GainLossRatio", [3], [0.0, -0.1, 0.0], 0.0),
        ("KellyCriterion", [4], WINDOW, 0.5 - 0.5 / ((0.4 / 2) / (0.3 / 2))),
        ("KellyCriterion", [4], [0.1, 0.0, 0.2, 0.0], 0.5),  # no loss: the win fraction
        ("KellyCriterion", [3], [-0.1, 0.0, -0.2], -1.0),  # no win
        ("Expectancy", [4], WINDOW, 0.025 / (0.3 / 2)),
        ("Expectancy", [3], [0.1, 0.0, 0.2], 0.0),
        ("WinRate", [4], WINDOW, 0.5),
        ("WinRate", [3], [0.0, -1.0, 0.0], 0.0),
        ("GainToPainRatio", [4], WINDOW, 0.1 / 0.3),
        ("GainToPainRatio", [3], [0.1, 0.0, 0.2], 0.0),
    ],
)
def test_return_ratios_on_hand_worked_windows(name, params, closes, want):
    out = last(name, params, closes)
    assert out == want if math.isinf(want) else out == approx(want)


@pytest.mark.parametrize("name, params", [("GainToPainRatio", [3]), ("UpsidePotentialRatio", [3, 0.0]),
                                          ("Expectancy", [3])])
def test_running_loss_sums_leave_no_residue_when_the_losses_leave(name, params):
    # 0.1 + 0.2 + 0.3 − 0.1 − 0.2 − 0.3 is 5.6e-17 in doubles; that residue
    # must not pose as a loss and turn a window of gains into a huge ratio.
    out = run(name, params, [-0.1, -0.2, -0.3, 0.1, 0.1, 0.1])
    assert out[-1] == 0.0


@pytest.mark.parametrize("name", ["SortinoRatio", "CalmarRatio"])
def test_resummed_mean_forgets_huge_values_exactly(name):
    # A running sum that saw 1e17 cannot represent the small values that
    # follow; the periodic re-summation restores the exact mean.
    n = 4
    small = [0.1, -0.2, 0.3, -0.1]
    params = [n, 0.0] if name == "SortinoRatio" else [n]
    closes = [1e17, -1e17, 3.0, 1e17] + small * 5
    assert last(name, params, closes) == last(name, params, small)


# ---- drawdowns ------------------------------------------------------------

# equity 1.1, 0.88, 1.144, 1.0296; peaks 1.1, 1.1, 1.144, 1.144; episodes of
# depth 0.2 (closed) and 0.1 (still open); percentage drawdowns 0, 20, 0, 10.
@pytest.mark.parametrize(
    "name, closes, want",
    [
        ("CalmarRatio", WINDOW, 0.025 / 0.2),
        ("SterlingRatio", WINDOW, 0.025 / 0.15),
        ("BurkeRatio", WINDOW, 0.025 / math.sqrt(0.2**2 + 0.1**2)),
        ("MartinRatio", WINDOW, 0.025 / math.sqrt((20**2 + 10**2) / 4)),
        ("CalmarRatio", [0.1, 0.2, 0.0], 0.0),
        ("SterlingRatio", [0.1, 0.2, 0.0], 0.0),
        ("BurkeRatio", [0.1, 0.2, 0.0], 0.0),
        ("MartinRatio", [0.1, 0.2, 0.0], 0.0),
        # a loss of everything: equity 0, drawdown 1
        ("CalmarRatio", [0.5, -1.0], -0.25 / 1.0),
    ],
)
def test_compounded_drawdown_ratios(name, closes, want):
    assert last(name, [len(closes)], closes) == approx(want)


LEVELS = [100.0, 80.0, 95.0, 110.0, 99.0, 120.0]  # drawdowns 0, .2, .05, 0, .1, 0


@pytest.mark.parametrize(
    "name, closes, want",
    [
        ("PainIndex", LEVELS, 0.35 / 6),
        ("MaxDrawdown", LEVELS, 0.2),
        ("AverageDrawdown", LEVELS, (0.2 + 0.1) / 2),
        ("AverageDrawdown", [100.0, 80.0, 90.0], 0.2),  # the open episode counts
        ("AverageDrawdown", [1.0, 2.0, 3.0], 0.0),
        ("MaxDrawdown", [1.0, 2.0, 3.0], 0.0),
        ("PainIndex", [-3.0, -5.0, -1.0], 0.0),  # no positive peak: nothing counts
        ("MaxDrawdown", [-3.0, -5.0, 2.0, 1.0], 0.5),
    ],
)
def test_level_drawdowns(name, closes, want):
    assert last(name, [len(closes)], closes) == approx(want)


def test_ulcer_index_starts_at_2n_minus_1():
    # n = 2: highs 10, 9, 9; drawdowns −20 %, 0 %, −11.1 %
    out = run("UlcerIndex", [2], [10.0, 8.0, 9.0, 8.0])
    assert indicators.Indicator("UlcerIndex", [2]).warmup_period == 3
    assert out[:2] == [None, None]
    assert out[2] == approx(math.sqrt((400 + 0) / 2))
    assert out[3] == approx(math.sqrt((0 + (100 * (8 - 9) / 9) ** 2) / 2))


def test_ulcer_index_high_follows_the_last_n_closes():
    closes = series(31, 200, 50, 60)
    n = 6
    out = run("UlcerIndex", [n], closes)
    squares = [(100 * (closes[i] - max(closes[i - n + 1 : i + 1])) / max(closes[i - n + 1 : i + 1])) ** 2
               for i in range(n - 1, len(closes))]
    for i in range(2 * n - 2, len(closes)):
        window = squares[i - (2 * n - 2) : i - (n - 2)]
        assert out[i] == approx(math.sqrt(sum(window) / n), rel=1e-12)


def test_recovery_factor():
    assert run("RecoveryFactor", [], [100.0, 80.0, 120.0]) == [0.0, approx((0.8 - 1) / 0.2), approx(0.2 / 0.2)]
    assert run("RecoveryFactor", [], [0.0, 5.0, 3.0]) == [None, None, None]


# ---- labels and returns ----------------------------------------------------

def test_log_return_skips_non_positive_closes():
    out = run("LogReturn", [2], [1.0, 2.0, 0.0, 4.0, -3.0, 8.0])
    assert out == [None, None, None, approx(math.log(4.0)), None, approx(math.log(4.0))]


def test_regime_label_labels_volatility_against_its_own_quartiles():
    rng = random.Random(8)
    scales = [0.001] * 30 + [0.05] * 10 + [0.001] * 20 + [0.02] * 15
    closes = [100.0]
    for scale in scales:
        closes.append(closes[-1] * math.exp(scale * rng.uniform(-1, 1)))
    v, lookback = 5, 12
    out = run("RegimeLabel", [v, lookback], closes)
    assert indicators.Indicator("RegimeLabel", [v, lookback]).warmup_period == v + lookback
    assert out[: v + lookback - 1] == [None] * (v + lookback - 1)
    r = np.diff(np.log(closes))
    sigma = [float(np.std(r[i - v + 1 : i + 1], ddof=1)) for i in range(v - 1, len(r))]
    for k in range(lookback - 1, len(sigma)):
        recent = sigma[k - lookback + 1 : k + 1]
        q1, q3 = np.quantile(recent, 0.25), np.quantile(recent, 0.75)
        s = sigma[k]
        if min(abs(s - q1), abs(s - q3)) < 1e-12 * q3:
            continue  # too close to a quartile to call
        want = -1.0 if s < q1 else 1.0 if s > q3 else 0.0
        assert out[k + v] == want
    assert {-1.0, 0.0, 1.0} <= set(out)


@pytest.mark.parametrize("name, params", [("RegimeLabel", [3, 4]), ("LogReturn", [3])])
def test_non_positive_closes_leave_the_state_untouched(name, params):
    closes = [10 * math.exp(0.1 * x) for x in series(2, 30)]
    base = run(name, params, closes)
    for at in (0, 1, 4, 15, 30):
        for bad in (0.0, -2.0):
            out = run(name, params, closes[:at] + [bad] + closes[at:])
            assert out[at] is None
            assert out[:at] + out[at + 1 :] == base


# ---- calendar members -------------------------------------------------------

DAY = 86_400_000
HOUR = 3_600_000


def ms(year, month, day, hour=12, minute=0):
    t = dt.datetime(year, month, day, hour, minute, tzinfo=dt.timezone.utc)
    return int((t - dt.datetime(1970, 1, 1, tzinfo=dt.timezone.utc)).total_seconds()) * 1000


def feed(name, params, bars):
    """bars: (time, open, close); high/low span both."""
    ind = indicators.Indicator(name, params)
    out = []
    for t, o, c in bars:
        out.append((ind.update(t, o, max(o, c), min(o, c), c), ind.fields))
    return out


def daily_closes(dates, returns):
    """(time, open, close) with close(d) = close(d − 1)·(1 + return(d))."""
    close = 100.0
    bars = []
    for d, r in zip(dates, returns):
        close = close * (1 + r)
        bars.append((ms(*d), close, close))
    return bars


@pytest.mark.parametrize(
    "year, leap",
    [(2023, False), (2024, True), (1900, False), (2000, True), (1960, True), (1969, False)],
)
def test_turn_of_month_counts_the_first_and_last_day_of_the_month(year, leap):
    # f = g = 1: only the last day of February and March 1st count. A date's
    # return is booked when the next date begins.
    feb_end = [(year, 2, 27), (year, 2, 28)] + ([(year, 2, 29)] if leap else [])
    dates = feb_end + [(year, 3, 1), (year, 3, 2), (year, 3, 3)]
    returns = {(year, 2, 27): 0.0, (year, 2, 28): 0.01, (year, 2, 29): 0.02, (year, 3, 1): 0.03, (year, 3, 2): 0.04,
               (year, 3, 3): 0.05}
    out = [v for v, _ in feed("TurnOfMonth", [1, 1, 0], daily_closes(dates, [returns[d] for d in dates]))]
    last_feb = 0.02 if leap else 0.01
    assert out[len(feb_end)] == approx(last_feb)  # on March 1st: February's last day booked
    assert out[len(feb_end) + 1] == approx((last_feb + 0.03) / 2)
    assert out[-1] == approx((last_feb + 0.03) / 2)  # March 2nd is neither
    assert out[: len(feb_end)] == [None] * len(feb_end)


def test_turn_of_month_counts_every_day_when_the_last_days_exceed_the_month():
    dates = [(2024, 4, d) for d in range(10, 15)]
    out = feed("TurnOfMonth", [0, 40, 0], daily_closes(dates, [0.0, 0.01, 0.02, 0.03, 0.04]))
    assert out[-1][0] == approx((0.01 + 0.02 + 0.03) / 3)


def test_turn_of_month_uses_the_local_date_and_the_last_close_of_each_date():
    # With UTC+2 the 23:00 UTC candle of Jan 30 already belongs to Jan 31.
    bars = [
        (ms(2024, 1, 29, 12), 100.0, 100.0),
        (ms(2024, 1, 30, 12), 100.0, 101.0),
        (ms(2024, 1, 30, 23), 101.0, 110.0),  # local Jan 31
        (ms(2024, 1, 31, 12), 110.0, 121.0),  # local Jan 31, its last close
        (ms(2024, 2, 1, 12), 121.0, 121.0),
    ]
    out = [v for v, _ in feed("TurnOfMonth", [1, 1, 120], bars)]
    assert out[:4] == [None] * 4
    assert out[4] == approx(121.0 / 101.0 - 1)


def test_overnight_gap_across_local_dates_and_before_the_epoch():
    bars = [
        (-2 * HOUR, 10.0, 10.0),  # 1969-12-31 22:00
        (-1, 10.0, 12.0),  # 1969-12-31 23:59:59.999: the same date
        (0, 15.0, 14.0),  # 1970-01-01: a new date
        (5 * HOUR, 13.0, 16.0),
        (DAY + HOUR, 8.0, 8.0),
    ]
    out = [v for v, _ in feed("OvernightGap", [0], bars)]
    assert out == [None, None, approx(15 / 12 - 1), approx(15 / 12 - 1), approx(8 / 16 - 1)]
    # 60 minutes east, 23:00 UTC of Dec 31 is already Jan 1, local time
    shifted = [v for v, _ in feed("OvernightGap", [60], [(-2 * HOUR, 10.0, 10.0), (-HOUR, 11.0, 11.0)])]
    assert shifted == [None, approx(11 / 10 - 1)]


def test_overnight_intraday_return_fields():
    bars = [
        (ms(2024, 3, 1, 9), 10.0, 10.0),
        (ms(2024, 3, 1, 15), 10.0, 12.0),
        (ms(2024, 3, 4, 9), 15.0, 14.0),  # a weekend later
        (ms(2024, 3, 4, 15), 14.0, 18.0),
    ]
    out = feed("OvernightIntradayReturn", [0], bars)
    assert [v for v, _ in out] == [None, None, approx(0.25), approx(0.25)]
    assert out[2][1] == {"overnight": approx(0.25), "intraday": approx(14 / 15 - 1)}
    assert out[3][1] == {"overnight": approx(0.25), "intraday": approx(18 / 15 - 1)}


def test_overnight_gap_is_zero_after_a_zero_close():
    out = feed("OvernightGap", [0], [(0, 0.0, 0.0), (DAY, 5.0, 5.0)])
    assert out[1][0] == 0.0


@pytest.mark.parametrize(
    "time, offset, hour",
    [
        (DAY - 1000, 0, 23),  # 23:59:59 UTC
        (-1, 0, 23),  # 1 ms before the epoch: 23:59:59.999 of 1969-12-31
        (-DAY - 1, 0, 23),
        (30 * 60 * 1000, -60, 23),  # 00:30 UTC is 23:30 one hour west
        (23 * HOUR + 30 * 60 * 1000, 60, 0),  # 23:30 UTC is 00:30 one hour east
        (7 * HOUR, 0, 7),
    ],
)
def test_seasonal_z_score_scores_within_the_local_hour(time, offset, hour):
    # Two returns land in the given hour on earlier days; the probe candle
    # is scored only if it falls into that hour too.
    bars = [
        (-10 * DAY + hour * HOUR, 100.0, 100.0),
        (-9 * DAY + hour * HOUR - offset * 60_000, 101.0, 101.0),
        (-8 * DAY + hour * HOUR - offset * 60_000, 103.02, 103.02),
        (time, 100.0, 100.0),
    ]
    out = [v for v, _ in feed("SeasonalZScore", [offset], bars)]
    assert out[:3] == [None, None, None]
    r = [0.01, 103.02 / 101 - 1]
    mean = sum(r) / 2
    sd = math.sqrt(((r[0] - mean) ** 2 + (r[1] - mean) ** 2) / 1)
    assert out[3] == approx((100 / 103.02 - 1 - mean) / sd, rel=1e-9)


def test_seasonal_z_score_needs_two_earlier_returns_in_the_hour():
    bars = [(i * DAY, 100.0 + i, 100.0 + i) for i in range(5)]  # every bar at 00:00
    out = [v for v, _ in feed("SeasonalZScore", [0], bars)]
    assert out[:3] == [None, None, None] and out[3] is not None
    flat = [v for v, _ in feed("SeasonalZScore", [0], [(i * DAY, 5.0, 5.0) for i in range(5)])]
    assert flat[3:] == [0.0, 0.0]


# ---- errors -----------------------------------------------------------------

MAX = "invalid period: period exceeds the maximum supported window length (see MAX_PERIOD)"


@pytest.mark.parametrize(
    "name, params, text",
    [
        ("Variance", [16777217], MAX),
        ("ZScore", [2**24 + 1], MAX),
        ("RollingQuantile", [16777217, 0.5], MAX),
        ("Skewness", [2], "invalid period: skewness needs period >= 3"),
        ("Kurtosis", [3], "invalid period: kurtosis needs period >= 4"),
        ("JarqueBera", [3], "invalid period: Jarque-Bera needs period >= 4"),
        ("LinearRegression", [1], "invalid period: linear regression needs period >= 2"),
        ("Cfo", [1], "invalid period: linear regression needs period >= 2"),
        ("Tsf", [1], "invalid period: time series forecast needs period >= 2"),
        ("LinRegSlope", [1], "invalid period: linear regression slope needs period >= 2"),
        ("LinRegAngle", [1], "invalid period: linear regression slope needs period >= 2"),
        ("LinRegIntercept", [1], "invalid period: linear regression intercept needs period >= 2"),
        ("RSquared", [1], "invalid period: R² needs period >= 2"),
        ("TsfOscillator", [1], "invalid period: TSF oscillator needs period >= 2"),
        ("StandardError", [2], "invalid period: standard error needs period >= 3"),
        ("DetrendedStdDev", [1], "invalid period: detrended stddev needs period >= 2"),
        ("KRatio", [2], "invalid period: k-ratio needs period >= 3"),
        ("Autocorrelation", [5, 5], "invalid period: autocorrelation needs period > lag"),
        ("Autocorrelation", [16777217, 5], MAX),
        ("HurstExponent", [10, 1], "invalid period: Hurst chunks must be >= 2"),
        ("HurstExponent", [2**40, 16777217], MAX),
        ("HurstExponent", [9, 5], "invalid period: Hurst period must be >= 2 * chunks"),
        ("ShannonEntropy", [10, 1], "invalid period: Shannon entropy needs bins >= 2"),
        ("ShannonEntropy", [10, 16777217], MAX),
        ("ShannonEntropy", [16777217, 5], MAX),
        ("SampleEntropy", [3, 2, 0.2], "invalid period: sample entropy needs period >= m + 2"),
        ("SampleEntropy", [10, 1e30, 0.2], "invalid period: sample entropy needs period >= m + 2"),  # m + 2 overflows
        ("SampleEntropy", [10, 2, 0.0], "invalid parameter: sample entropy r_factor must be finite and positive"),
        ("SampleEntropy", [10, 2, -1.0], "invalid parameter: sample entropy r_factor must be finite and positive"),
        ("RollingQuantile", [5, 1.5], "invalid parameter: rolling quantile must be a finite value in [0.0, 1.0]"),
        ("RollingQuantile", [5, -0.0001], "invalid parameter: rolling quantile must be a finite value in [0.0, 1.0]"),
        ("SharpeRatio", [1, 0.0], "invalid period: sharpe ratio needs period >= 2"),
        ("M2Measure", [1, 0.0, 0.1], "invalid period: m2 measure needs period >= 2"),
        ("M2Measure", [5, 0.0, -0.1],
         "invalid parameter: risk_free must be finite and benchmark_stddev finite and non-negative"),
        ("SortinoRatio", [1, 0.0], "invalid period: sortino ratio needs period >= 2"),
        ("UpsidePotentialRatio", [1, 0.0], "invalid period: upside potential ratio needs period >= 2"),
        ("TailRatio", [1], "invalid period: tail ratio needs period >= 2"),
        ("CommonSenseRatio", [1], "invalid period: common sense ratio needs period >= 2"),
        ("ValueAtRisk", [1, 0.95], "invalid period: value-at-risk needs period >= 2"),
        ("ValueAtRisk", [5, 1.0], "invalid period: confidence must lie strictly between 0 and 1"),
        ("ValueAtRisk", [5, 0.0], "invalid period: confidence must lie strictly between 0 and 1"),
        ("ConditionalValueAtRisk", [1, 0.95], "invalid period: conditional value-at-risk needs period >= 2"),
        ("ConditionalValueAtRisk", [5, -0.5], "invalid period: confidence must lie strictly between 0 and 1"),
        ("CalmarRatio", [1], "invalid period: calmar ratio needs period >= 2"),
        ("SterlingRatio", [1], "invalid period: sterling ratio needs period >= 2"),
        ("BurkeRatio", [1], "invalid period: burke ratio needs period >= 2"),
        ("MartinRatio", [1], "invalid period: martin ratio needs period >= 2"),
        ("TrendLabel", [1], "invalid period: trend label needs period >= 2"),
        ("RegimeLabel", [1, 10], "invalid period: regime label needs vol_period >= 2"),
        ("RegimeLabel", [16777217, 10], MAX),
        ("RegimeLabel", [10, 1], "invalid period: regime label needs lookback >= 2"),
        ("RegimeLabel", [10, 16777217], MAX),
        ("TurnOfMonth", [0, 0, 0], "period must be greater than zero"),
        ("UlcerIndex", [16777217], MAX),
        ("LogReturn", [16777217], MAX),
    ],
)
def test_constructor_errors(name, params, text):
    assert error_text(name, params) == f"invalid parameters for indicator {name}: {text}"


@pytest.mark.parametrize(
    "name, params",
    [
        ("TurnOfMonth", [0, 1, 0]),
        ("TurnOfMonth", [1, 0, -720]),
        ("Variance", [16777216]),
        ("HurstExponent", [2**40, 4]),  # the period itself is not bounded
        ("SampleEntropy", [2**40, 2, 0.2]),
        ("RollingQuantile", [5, 0.0]),
        ("RollingQuantile", [5, 1.0]),
        ("M2Measure", [5, -0.01, 0.0]),
    ],
)
def test_boundary_parameters_are_accepted(name, params):
    indicators.Indicator(name, params)


def test_a_huge_period_allocates_nothing_up_front():
    # Every member with the largest window (2^24 values, 128 MiB per ring)
    # fed a few values: storage must grow with the values, not the period.
    before = resource.getrusage(resource.RUSAGE_SELF).ru_maxrss
    keep = []
    for name in sorted(indicators.names()):
        d = indicators.describe(name)
        if d["family"] != "statistics" or not d["params"] or d["input"] != "close":
            continue
        params = list(d["typical_params"])
        params[0] = 16777216
        if name in ("HurstExponent", "SampleEntropy"):
            params[0] = 2.0**40
        ind = indicators.Indicator(name, params)
        for c in (1.0, 2.0, 3.0):
            assert ind.update(0, c, c, c, c) is None
        keep.append(ind)
    grown_kib = resource.getrusage(resource.RUSAGE_SELF).ru_maxrss - before
    assert len(keep) > 40
    assert grown_kib < 64 * 1024


# ---- agreement with TA-Lib on recorded closes --------------------------------

def closes_of(file):
    path = DATA_DIR / file
    if not path.exists():
        pytest.skip(f"{path} is not available")
    with path.open() as f:
        return np.array([float(r["close"]) for r in csv.DictReader(f)], dtype=np.float64)


DATA_FILES = ["amzn-daily.csv", "btcusd-monthly.csv", "goog-daily.csv", "nvda-daily.csv", "orcl-daily.csv",
              "solusdt-hourly.csv", "spy-daily.csv", "yhoo-daily.csv"]


@pytest.mark.parametrize("file", DATA_FILES)
@pytest.mark.parametrize(
    "name, period, peer",
    [
        ("StdDev", 20, lambda c, n: talib.STDDEV(c, n, 1.0)),
        ("StdDev", 5, lambda c, n: talib.STDDEV(c, n, 1.0)),
        ("Variance", 20, lambda c, n: talib.VAR(c, n, 1.0)),
        ("LinearRegression", 14, talib.LINEARREG),
        ("LinRegSlope", 14, talib.LINEARREG_SLOPE),
        ("LinRegIntercept", 14, talib.LINEARREG_INTERCEPT),
        ("LinRegAngle", 14, talib.LINEARREG_ANGLE),
        ("Tsf", 14, talib.TSF),
        ("LinearRegression", 50, talib.LINEARREG),
        ("LinRegSlope", 3, talib.LINEARREG_SLOPE),
    ],
)
def test_agrees_with_talib(file, name, period, peer):
    closes = closes_of(file)
    ours = indicators.compute(name, [period], {"close": closes})
    theirs = peer(closes, period)
    assert np.array_equal(ours["has_value"], ~np.isnan(theirs))
    got, want = ours["value"][ours["has_value"]], theirs[ours["has_value"]]
    # Slopes and angles cross zero; there TA-Lib's running sums carry an
    # absolute error of the order of the price level times 1e-14.
    floor = 1e-11 * float(np.median(np.abs(closes)))
    assert np.all(np.abs(got - want) <= 1e-9 * np.abs(want) + floor)
