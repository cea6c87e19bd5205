"""The shared streaming building blocks, checked bit for bit against
straightforward Python transcriptions of their definitions (Python floats are
IEEE doubles, so the same operations in the same order give the same bits)."""

from fractions import Fraction
import math
import random
import struct

import pytest

from tarsel_plenko import _indicators as native


def probe(block, args, values):
    return native._blocks_probe(block, args, values)


def bits(x):
    return None if x is None else struct.pack("<d", x)


def same_bits(a, b):
    return [bits(x) for x in a] == [bits(x) for x in b]


def fma(a, x, b):
    """Correctly rounded a*x + b (int/int true division rounds correctly)."""
    return float(Fraction(a) * Fraction(x) + Fraction(b))


def series(seed, count, scale=100.0):
    rng = random.Random(seed)
    return [rng.uniform(-scale, scale) for _ in range(count)]


# ---- window length ---------------------------------------------------------

@pytest.mark.parametrize(
    "n, text",
    [
        (0, "period must be greater than zero"),
        (1, None),
        (16777216, None),
        (16777217, "invalid period: period exceeds the maximum supported window length (see MAX_PERIOD)"),
        (2**64 - 1, "invalid period: period exceeds the maximum supported window length (see MAX_PERIOD)"),
    ],
)
def test_window_length_check(n, text):
    assert native._check_period(n) == text


# ---- ring window -----------------------------------------------------------

def test_ring_keeps_last_n_in_arrival_order_and_returns_the_displaced_value():
    out = probe("ring", [3], [1, 2, 3, 4, 5])
    assert [(gone, contents) for gone, contents, _ in out] == [
        (None, (1.0,)),
        (None, (1.0, 2.0)),
        (None, (1.0, 2.0, 3.0)),
        (1.0, (2.0, 3.0, 4.0)),
        (2.0, (3.0, 4.0, 5.0)),
    ]


@pytest.mark.parametrize("block", ["ring", "sorted"])
def test_huge_window_allocates_only_for_the_values_it_holds(block):
    # A length parameter alone must not reserve storage for the whole window.
    out = probe(block, [16777216], [float(i) for i in range(100)])
    reserved = [entry[-1] for entry in out]
    slots_per_value = 2 if block == "sorted" else 1
    for count, r in enumerate(reserved, start=1):
        assert count * slots_per_value <= r <= max(8, 2 * count) * slots_per_value


def test_ring_storage_never_exceeds_its_length():
    out = probe("ring", [5], [float(i) for i in range(40)])
    assert all(r <= 5 for _, _, r in out)


# ---- simple average --------------------------------------------------------

def sma_reference(n, xs):
    ring, head, count, total, since = [0.0] * n, 0, 0, 0.0, 0
    out = []
    for x in xs:
        if count == n:
            total = x + (total - ring[head])
        else:
            total = x + total
            count += 1
        ring[head] = x
        head = (head + 1) % n
        since += 1
        if since == 16 * n:
            s = 0.0
            for i in range(n):
                s += ring[(head + i) % n]
            total, since = s, 0
        out.append(total / n if count == n else None)
    return out


@pytest.mark.parametrize(
    "n, xs, expected",
    [
        (3, [1, 2, 3, 4], [None, None, 2.0, 3.0]),
        (1, [5.5, -2.0, 7.25], [5.5, -2.0, 7.25]),
    ],
)
def test_sma_small_cases(n, xs, expected):
    assert probe("sma", [n], xs) == expected


def test_sma_of_length_one_is_the_input_through_many_resummations():
    xs = series(1, 200, 1e6)
    assert same_bits(probe("sma", [1], xs), xs)


@pytest.mark.parametrize("n", [1, 2, 3, 7, 20])
def test_sma_matches_reference_bit_for_bit(n):
    rng = random.Random(n)
    xs = [rng.choice([1e15, -1e15, 1e-3, 3.0, 0.1]) * rng.random() for _ in range(40 * n + 5)]
    assert same_bits(probe("sma", [n], xs), sma_reference(n, xs))


def test_sma_resummation_removes_drift_at_16n():
    # Large values pass through the window, leaving rounding debris in the
    # running sum; the re-summation at input 16·n replaces it by the exact
    # oldest-to-newest sum of the window.
    n = 4
    xs = [1e17, 3.0, -1e17, 1.0] * 15 + [0.1, 0.2, 0.3, 0.4]
    assert len(xs) == 16 * n
    out = probe("sma", [n], xs)
    window_sum = 0.0
    for v in xs[-n:]:
        window_sum += v
    assert bits(out[-1]) == bits(window_sum / n)
    # ...and right before it, the running sum still carried drift.
    drifted = probe("sma", [n], xs[:-1])[-1]
    exact_before = 0.0
    for v in xs[-n - 1:-1]:
        exact_before += v
    assert drifted != exact_before / n


# ---- exponential and Wilder smoothing ---------------------------------------

def ema_reference(n, xs, fused=True):
    alpha = 2 / (n + 1)
    beta = 1 - alpha
    total, count, value, out = 0.0, 0, None, []
    for x in xs:
        if value is None:
            total += x
            count += 1
            if count == n:
                value = total / n
            out.append(value)
        else:
            value = fma(alpha, x, beta * value) if fused else alpha * x + beta * value
            out.append(value)
    return out


def test_ema_seeds_with_the_mean_then_smooths():
    assert probe("ema", [3], [1, 2, 3, 4]) == [None, None, 2.0, 3.0]


@pytest.mark.parametrize("n", [2, 3, 10, 33])
def test_ema_uses_a_fused_multiply_add(n):
    xs = series(n, 300)
    got = probe("ema", [n], xs)
    assert same_bits(got, ema_reference(n, xs))
    if n != 3:  # alpha = 0.5 makes both products exact, fused or not
        # The data is long enough that an unfused update would differ somewhere.
        assert not same_bits(got, ema_reference(n, xs, fused=False))


def wilder_reference(n, xs):
    total, count, value, out = 0.0, 0, None, []
    for x in xs:
        if value is None:
            total += x
            count += 1
            if count == n:
                value = total / n
        else:
            value = (x + (float(n) - 1.0) * value) / n
        out.append(value)
    return out


def test_wilder_seeds_with_the_mean_then_smooths():
    assert probe("wilder", [2], [1, 3, 5]) == [None, 2.0, 3.5]


@pytest.mark.parametrize("n", [1, 2, 14])
def test_wilder_matches_reference(n):
    xs = series(7 * n, 100)
    assert same_bits(probe("wilder", [n], xs), wilder_reference(n, xs))


# ---- rolling mean and variance ----------------------------------------------

def variance_reference(n, xs):
    window, k, s1, s2, since, out = [], None, 0.0, 0.0, 0, []
    for x in xs:
        if len(window) == n:
            d = window.pop(0) - k
            s1 -= d
            s2 -= d * d
        window.append(x)
        if k is None:
            k = x
        d = x - k
        s1 += d
        s2 += d * d
        since += 1
        if since == n:
            total = 0.0
            for v in window:
                total += v
            k = total / len(window)
            s1 = s2 = 0.0
            for v in window:
                d = v - k
                s1 += d
                s2 += d * d
            since = 0
        if len(window) < n:
            out.append(None)
        else:
            m = s1 / n
            var = s2 / n - m * m
            out.append((k + s1 / n, var, math.sqrt(max(var, 0.0))))
    return out


@pytest.mark.parametrize("n", [1, 2, 5, 20])
def test_rolling_variance_matches_reference(n):
    xs = [1000.0 + v for v in series(n, 10 * n + 3, 5.0)]
    got = probe("variance", [n], xs)
    want = variance_reference(n, xs)
    assert [None if g is None else tuple(bits(v) for v in g) for g in got] == [
        None if w is None else tuple(bits(v) for v in w) for w in want
    ]


def test_rolling_variance_is_the_population_variance():
    xs = [2.0, 4.0, 4.0, 4.0, 5.0, 5.0, 7.0, 9.0]
    mean, var, sd = probe("variance", [8], xs)[-1]
    assert (mean, var, sd) == (5.0, 4.0, 2.0)


@pytest.mark.parametrize("c", [0.1, 330000.0, 10000000000.1])
def test_rolling_std_dev_of_a_constant_window_is_zero_never_nan(c):
    # After a value leaves, rounding makes S2/n - m² slightly negative over
    # these constant windows; the standard deviation clamps that to 0.
    full = probe("variance", [3], [1.0] + [c] * 12)[3:]
    assert any(var < 0 for _, var, _ in full)
    assert [sd for _, _, sd in full] == [0.0] * len(full)


# ---- sorted window -------------------------------------------------------

@pytest.mark.parametrize(
    "xs, median",
    [
        ([3, 1, 2], 2.0),
        ([4, 1, 3, 2], 2.5),
        ([1.7976931348623157e308, 1.7976931348623157e308], 1.7976931348623157e308),
        ([-1.7976931348623157e308, -1.7976931348623157e308], -1.7976931348623157e308),
    ],
)
def test_median_of_a_full_window(xs, median):
    out = probe("median", [len(xs)], xs)
    assert out[:-1] == [None] * (len(xs) - 1)
    assert out[-1] == median


@pytest.mark.parametrize(
    "xs, p, q",
    [
        ([1, 2, 3, 4], 0.5, 2.5),
        ([1, 2, 3, 4, 5], 0.25, 2.0),
        ([5, 1, 4, 2, 3], 0.0, 1.0),
        ([5, 1, 4, 2, 3], 1.0, 5.0),
        ([1, 2, 3, 4], 0.9, 3.7),
        ([42.0], 0.3, 42.0),
    ],
)
def test_quantile_interpolates_between_ranks(xs, p, q):
    assert probe("quantile", [len(xs), p], xs)[-1] == pytest.approx(q, rel=0, abs=1e-15)


def test_quantile_formula_bits():
    xs = series(3, 9)
    s = sorted(xs)
    for p in (0.1, 0.33, 0.5, 0.77, 0.999):
        r = (len(s) - 1) * p
        i = math.floor(r)
        want = s[i] + (s[i + 1] - s[i]) * (r - i)
        assert bits(probe("quantile", [9, p], xs)[-1]) == bits(want)


def test_sorted_window_orders_negative_zero_first_and_removes_the_departing_one():
    out = probe("sorted", [2], [-0.0, 0.0, 1.0])
    assert [bits(v) for v in out[1][0]] == [bits(-0.0), bits(0.0)]
    # The departing value is the -0.0 that arrived first; the +0.0 stays.
    assert [bits(v) for v in out[2][0]] == [bits(0.0), bits(1.0)]


def test_sorted_window_follows_total_order_for_nan_and_infinities():
    nan = float("nan")
    xs = [nan, 1.0, float("inf"), -float("inf"), -nan, -0.0]
    got = probe("sorted", [6], xs)[-1][0]
    # -NaN sorts below -inf, +NaN above +inf.
    assert math.isnan(got[0]) and math.copysign(1.0, got[0]) == -1.0
    assert [bits(v) for v in got[1:5]] == [bits(v) for v in (-float("inf"), -0.0, 1.0, float("inf"))]
    assert math.isnan(got[5]) and math.copysign(1.0, got[5]) == 1.0


def test_sorted_window_slides_like_a_sorted_copy_of_the_last_n():
    rng = random.Random(11)
    xs = [rng.choice([0.0, -0.0, 1.0, 2.0, 2.0, 3.5, -1.25]) for _ in range(300)]
    n = 7
    for i, (sorted_values, _) in enumerate(probe("sorted", [n], xs)):
        window = xs[max(0, i + 1 - n): i + 1]
        want = sorted(window, key=lambda v: (v, math.copysign(1.0, v)))
        assert [bits(v) for v in sorted_values] == [bits(v) for v in want]


# ---- midpoint --------------------------------------------------------------

@pytest.mark.parametrize(
    "a, b, mid",
    [
        (1.0, 2.0, 1.5),
        (-3.0, 3.0, 0.0),
        (1.7976931348623157e308, 1.7976931348623157e308, 1.7976931348623157e308),
        (1.7976931348623157e308, -1.7976931348623157e308, 0.0),
        (8.988465674311579e307, 8.988465674311579e307, 8.988465674311579e307),
    ],
)
def test_midpoint_never_overflows(a, b, mid):
    assert native._midpoint(a, b) == mid


def test_midpoint_uses_the_plain_sum_below_half_max():
    a, b = 0.1, 0.7
    assert bits(native._midpoint(a, b)) == bits((a + b) * 0.5)
    big = 1.5e308
    assert bits(native._midpoint(big, 3.0)) == bits(big * 0.5 + 3.0 * 0.5)
