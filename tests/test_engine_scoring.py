"""Similarity measures, normalization and parallel scoring against a plain
Python reference.

Price features pass candle values through untouched, so a history of
candles is a set of fingerprints the test fully controls: with the five
price fields and window W, fingerprint n holds rows n .. n+W-1 feature-major.
The reference adds its terms one at a time in index order, as the engine
must, so similarities are compared for exact equality.
"""

import ctypes
import json
import math
import os
import random
import select
import warnings

import numpy as np
import pytest

from tarsel_plenko import Plenko, _tarsel_plenko

FIELDS = ["open", "high", "low", "close", "volume"]


# ---- reference ---------------------------------------------------------------


def round8(s):
    if s != s:
        return s
    x = s * 100000000.0
    return math.trunc(x + math.copysign(0.49999999999999994, x)) / 100000000.0


def cosine(q, c, _w):
    dot = sq = sc = 0.0
    for a, b in zip(q, c):
        dot += a * b
        sq += a * a
        sc += b * b
    den = math.sqrt(sq) * math.sqrt(sc)
    cos = 0.0 if den == 0.0 else dot / den
    return (cos + 1.0) * 0.5 if abs(cos) <= 8.988465674311579e307 else cos * 0.5 + 0.5


def distance(q, c):
    s = 0.0
    for a, b in zip(q, c):
        d = a - b
        s += d * d
    return math.sqrt(s)


def euclid(q, c, _w):
    return 1.0 / (distance(q, c) + 1.0)


def steps(values, w):
    per = len(values) // w
    return [[values[i + m * w] for m in range(per)] for i in range(w)]


def smaller(p, x):
    return x if x < p else p


def dtw(q, c, w):
    a, b = steps(q, w), steps(c, w)
    inf = math.inf
    d = [[inf] * w for _ in range(w)]
    for j in range(w):
        for k in range(max(0, j - w), min(w - 1, j + w) + 1):
            if j == 0 and k == 0:
                prev = 0.0
            else:
                prev = inf
                if j > 0:
                    prev = inf if d[j - 1][k] != d[j - 1][k] else d[j - 1][k]
                if k > 0:
                    prev = smaller(prev, d[j][k - 1])
                if j > 0 and k > 0:
                    prev = smaller(prev, d[j - 1][k - 1])
            d[j][k] = distance(a[j], b[k]) + prev
    return 1.0 / (d[w - 1][w - 1] + 1.0)


MEASURES = {"cosine": cosine, "euclid": euclid, "dtw": dtw}


def fingerprints(rows, w):
    f = len(rows[0]) if rows else 0
    return [[rows[n + i][k] for k in range(f) for i in range(w)] for n in range(len(rows) - w + 1)]


def sequential_stats(fps):
    n, dim = len(fps), len(fps[0])
    stats = []
    for j in range(dim):
        s, lo, hi = 0.0, math.inf, -math.inf
        for fp in fps:
            v = fp[j]
            s += v
            if v < lo:
                lo = v
            if v > hi:
                hi = v
        mean = s / n
        m2 = 0.0
        for fp in fps:
            d = fp[j] - mean
            m2 += d * d
        stats.append((mean, math.sqrt(m2 / n), lo, hi))
    return stats


def rescale(fp, stats, mode):
    out = []
    for v, (mean, std, lo, hi) in zip(fp, stats):
        if mode == "z_score":
            out.append(0.0 if std == 0.0 else (v - mean) / std)
        else:
            rng = hi - lo
            out.append(0.0 if rng == 0.0 else (v - lo) / rng)
    return out


def ranked(times, sims, k):
    """Similarity descending (a NaN of either sign at its total-order place),
    then ts ascending, then index order."""

    def key(i):
        s = sims[i]
        if s != s:
            s_key = math.inf if math.copysign(1.0, s) > 0 else -math.inf
            nan_rank = 1 if s_key > 0 else -1
            return (-nan_rank, 0.0, times[i], i)
        return (0, -s, times[i], i)

    order = sorted(range(len(sims)), key=key)
    return order[:k]


def expected_matches(history_rows, history_times, query_rows, spec, k):
    w = spec.get("window", 1)
    mode = spec.get("normalize", "none")
    measure = MEASURES[spec.get("metric", "cosine")]
    fps = fingerprints(history_rows, w)
    times = [history_times[n + w - 1] for n in range(len(fps))]
    q = fingerprints(query_rows[-w:], w)[0]
    if mode != "none" and fps:
        stats = sequential_stats(fps)
        fps = [rescale(fp, stats, mode) for fp in fps]
        q = rescale(q, stats, mode)
    sims = [round8(measure(q, c, w)) for c in fps]
    return [(times[i], sims[i]) for i in ranked(times, sims, k)], len(fps)


# ---- engine ------------------------------------------------------------------


def price_spec(width, **kw):
    return {"features": [{"kind": "price", "field": f} for f in FIELDS[:width]], **kw}


def candles(rows, times):
    """Rows of up to five values as candles; missing fields are zero."""
    return [[t] + list(r) + [0.0] * (5 - len(r)) for t, r in zip(times, rows)]


def engine_matches(spec, history_rows, history_times, query_rows, k):
    p = Plenko(json.dumps(spec))
    r = json.loads(p.command(json.dumps({"cmd": "index", "history": candles(history_rows, history_times)})))
    assert r["ok"], r
    qt = list(range(len(query_rows)))
    resp = p.command(json.dumps({"cmd": "match", "current": candles(query_rows, qt), "k": k}))
    r = json.loads(resp)
    assert "matches" in r, r
    sims = [math.nan if m["similarity"] is None else m["similarity"] for m in r["matches"]]
    return [(m["ts"], s) for m, s in zip(r["matches"], sims)], r["indexed"]


def same(a, b):
    """Pairs equal bit for bit; NaNs equal each other."""
    assert len(a) == len(b)
    for (ta, sa), (tb, sb) in zip(a, b):
        assert ta == tb
        assert (sa != sa and sb != sb) or sa == sb, (ta, sa, sb)


def random_rows(rng, n, width, scale=1.0):
    return [[rng.uniform(-scale, scale) for _ in range(width)] for _ in range(n)]


# ---- the measures on their own -------------------------------------------------


@pytest.mark.parametrize(
    "metric, q, c, want",
    [
        ("cosine", [1.0, 0.0], [1.0, 0.0], 1.0),
        ("cosine", [1.0, 0.0], [-1.0, 0.0], 0.0),
        ("cosine", [1.0, 0.0], [0.0, 1.0], 0.5),
        ("cosine", [0.0, 0.0], [3.0, 4.0], 0.5),
        ("cosine", [3.0, 4.0], [0.0, 0.0], 0.5),
        ("cosine", [1.0, 2.0], [2.0, 4.0], 1.0),
        ("euclid", [0.0, 0.0], [3.0, 4.0], 0.16666667),
        ("euclid", [1.5, -2.0], [1.5, -2.0], 1.0),
        ("euclid", [0.0, 0.0], [2.0, 0.0], 0.33333333),
        ("dtw", [0.0, 0.0], [3.0, 4.0], 0.16666667),
    ],
)
def test_measure_table(metric, q, c, want):
    # Window 1, two price features: the fingerprints are exactly q and c.
    spec = price_spec(2, metric=metric)
    got, n = engine_matches(spec, [c], [7], [q], 1)
    assert n == 1
    assert got == [(7, want)]


@pytest.mark.parametrize("metric", ["cosine", "euclid", "dtw"])
@pytest.mark.parametrize("width, window", [(1, 1), (1, 6), (3, 4), (5, 2), (2, 9)])
def test_measures_match_reference(metric, width, window):
    rng = random.Random(hash((metric, width, window)) & 0xFFFF)
    rows = random_rows(rng, 60, width, scale=50.0)
    times = [1000 + 3 * i for i in range(len(rows))]
    query = random_rows(rng, window + 3, width, scale=50.0)
    spec = price_spec(width, window=window, metric=metric)
    want = expected_matches(rows, times, query, spec, 1000)
    assert engine_matches(spec, rows, times, query, 1000) == want


def test_dtw_of_one_feature_is_classic_dtw_with_absolute_differences():
    def classic(x, y):
        n = len(x)
        d = [[math.inf] * (n + 1) for _ in range(n + 1)]
        d[0][0] = 0.0
        for i in range(1, n + 1):
            for j in range(1, n + 1):
                d[i][j] = abs(x[i - 1] - y[j - 1]) + min(d[i - 1][j], d[i][j - 1], d[i - 1][j - 1])
        return d[n][n]

    x = [0.0, 1.0, 2.0, 1.0, 0.0, -1.0]
    y = [0.0, 0.0, 1.0, 2.0, 1.0, 0.0]
    w = len(x)
    # One close per candle: history x (one fingerprint), query y.
    spec = price_spec(1, window=w, metric="dtw")
    got, _ = engine_matches(spec, [[v] for v in x], list(range(w)), [[v] for v in y], 1)
    assert got == [(w - 1, round8(1.0 / (classic(x, y) + 1.0)))]
    assert classic(x, y) == 1.0  # the shift costs one step of size 1


@pytest.mark.parametrize("metric", ["cosine", "euclid", "dtw"])
def test_measures_are_symmetric(metric):
    rng = random.Random(5)
    a = random_rows(rng, 4, 3, scale=10.0)
    b = random_rows(rng, 4, 3, scale=10.0)
    spec = price_spec(3, window=4, metric=metric)
    ab, _ = engine_matches(spec, a, [0, 1, 2, 3], b, 1)
    ba, _ = engine_matches(spec, b, [0, 1, 2, 3], a, 1)
    assert ab[0][1] == ba[0][1]


def test_dtw_window_one_equals_euclid():
    rng = random.Random(9)
    rows = random_rows(rng, 30, 4, scale=3.0)
    query = random_rows(rng, 1, 4, scale=3.0)
    times = list(range(30))
    d, _ = engine_matches(price_spec(4, metric="dtw"), rows, times, query, 30)
    e, _ = engine_matches(price_spec(4, metric="euclid"), rows, times, query, 30)
    assert d == e


@pytest.mark.parametrize(
    "s, want",
    [
        (1.0 / 3.0, 0.33333333),
        (1.0, 1.0),
        (0.5, 0.5),
        (0.123456785, round8(0.123456785)),
        (2.0 / 3.0, 0.66666667),
    ],
)
def test_rounding_reference(s, want):
    # The reference itself against the values the rounding rule names.
    assert round8(s) == want


def test_overflowing_values_give_null_similarity_ranked_by_total_order():
    # 1e308 squared overflows: cosine divides inf by inf. The NaN the
    # hardware makes has a sign, and the ranking puts a positive NaN first
    # and a negative one last; the reference makes its NaN the same way.
    rows = [[1.0, 2.0], [1e308, 1e308], [2.0, 1.0]]
    spec = price_spec(2)
    got, n = engine_matches(spec, rows, [10, 20, 30], [[1.0, 1.0]], 3)
    want, _ = expected_matches(rows, [10, 20, 30], [[1.0, 1.0]], spec, 3)
    assert n == 3
    same(got, want)
    nan_ts = [t for t, s in got if s != s]
    assert nan_ts == [20]
    produced = math.inf / math.inf
    assert got[0 if math.copysign(1.0, produced) > 0 else -1][0] == 20


@pytest.mark.parametrize("metric", ["cosine", "euclid", "dtw"])
def test_overflowing_statistics_make_every_score_nan(metric):
    # The running sum of the second feature at the older window position
    # overflows: its mean is infinite and every rescaled value there NaN.
    # Cosine and euclid carry the NaN into every score. Under dtw that value
    # lies in the oldest step, so every cell but the last has a NaN cost; the
    # last cell passes its NaN predecessors over, finds only +inf and scores
    # 0.0. Equal scores rank by ts.
    rows = [[1.0, 1e308], [2.0, 1e308], [3.0, 1.0], [4.0, 5.0]]
    times = [40, 10, 30, 20]
    spec = price_spec(2, window=2, metric=metric, normalize="z_score")
    got, n = engine_matches(spec, rows, times, [[1.0, 2.0], [3.0, 4.0]], 10)
    want, _ = expected_matches(rows, times, [[1.0, 2.0], [3.0, 4.0]], spec, 10)
    assert n == 3
    same(got, want)
    if metric == "dtw":
        assert [s for _, s in got] == [0.0, 0.0, 0.0]
    else:
        assert all(s != s for _, s in got)
    assert [t for t, _ in got] == [10, 20, 30]


# ---- normalization -----------------------------------------------------------


@pytest.mark.parametrize("mode", ["z_score", "min_max"])
@pytest.mark.parametrize("metric", ["cosine", "euclid", "dtw"])
def test_normalized_scores_match_reference(mode, metric):
    rng = random.Random(17)
    # Features on very different scales, as normalization is meant for.
    rows = [[rng.uniform(39000, 41000), rng.uniform(0, 100), rng.uniform(1e6, 5e6)] for _ in range(80)]
    times = list(range(100, 180))
    query = [[rng.uniform(39000, 41000), rng.uniform(0, 100), rng.uniform(1e6, 5e6)] for _ in range(5)]
    spec = price_spec(3, window=3, metric=metric, normalize=mode)
    want = expected_matches(rows, times, query, spec, 80)
    assert engine_matches(spec, rows, times, query, 80) == want


@pytest.mark.parametrize("mode", ["z_score", "min_max"])
def test_normalization_statistics_agree_with_numpy(mode):
    # The statistics per (feature, position) dimension, computed directly
    # with numpy (population deviation), predict the engine's euclid scores
    # to within the rounding of the similarities.
    rng = random.Random(23)
    w, width = 4, 2
    rows = [[rng.gauss(100.0, 15.0), rng.gauss(0.0, 0.01)] for _ in range(50)]
    query = [[rng.gauss(100.0, 15.0), rng.gauss(0.0, 0.01)] for _ in range(w)]
    fps = np.array(fingerprints(rows, w))
    q = np.array(fingerprints(query, w)[0])
    if mode == "z_score":
        mean, std = fps.mean(axis=0), fps.std(axis=0)
        fps_n, q_n = (fps - mean) / std, (q - mean) / std
    else:
        lo, hi = fps.min(axis=0), fps.max(axis=0)
        fps_n, q_n = (fps - lo) / (hi - lo), (q - lo) / (hi - lo)
    sims = 1.0 / (np.sqrt(((fps_n - q_n) ** 2).sum(axis=1)) + 1.0)
    spec = price_spec(width, window=w, metric="euclid", normalize=mode)
    got, n = engine_matches(spec, rows, list(range(len(rows))), query, len(fps))
    by_ts = dict(got)
    assert n == len(fps)
    for i, s in enumerate(sims):
        assert by_ts[i + w - 1] == pytest.approx(s, abs=1.5e-8)


def test_min_max_maps_outside_the_indexed_range():
    # One dimension holding 1, 2, 3: min 1, max 3; the query value 5 maps to
    # 2.0, so the distances to the stored 0, 0.5, 1 are 2, 1.5 and 1.
    spec = price_spec(1, metric="euclid", normalize="min_max")
    got, _ = engine_matches(spec, [[1.0], [2.0], [3.0]], [1, 2, 3], [[5.0]], 3)
    assert got == [(3, 0.5), (2, 0.4), (1, 0.33333333)]


def test_z_score_of_one_two_three():
    # mean 2, std √(2/3): the stored values are -√1.5, 0, √1.5.
    std = math.sqrt(2.0 / 3.0)
    stored = [(1.0 - 2.0) / std, 0.0, (3.0 - 2.0) / std]
    q = (5.0 - 2.0) / std
    spec = price_spec(1, metric="euclid", normalize="z_score")
    got, _ = engine_matches(spec, [[1.0], [2.0], [3.0]], [1, 2, 3], [[5.0]], 3)
    want = sorted(((i + 1, round8(1.0 / (abs(q - c) + 1.0))) for i, c in enumerate(stored)), key=lambda p: -p[1])
    assert got == want


@pytest.mark.parametrize("mode", ["z_score", "min_max"])
@pytest.mark.parametrize("metric, want", [("cosine", 0.5), ("euclid", 1.0), ("dtw", 1.0)])
def test_single_fingerprint_normalizes_to_zeros(mode, metric, want):
    # Every deviation and every range is zero, so stored and query values
    # alike become 0.0, whatever the query was.
    spec = price_spec(2, window=2, metric=metric, normalize=mode)
    got, _ = engine_matches(spec, [[1.0, 5.0], [2.0, 7.0]], [1, 2], [[-40.0, 3.0], [9.0, 9.0]], 5)
    assert got == [(2, want)]


@pytest.mark.parametrize("mode", ["z_score", "min_max"])
def test_empty_index_with_normalization_scores_nothing(mode):
    p = Plenko(json.dumps(price_spec(1, window=3, normalize=mode)))
    assert p.command(json.dumps({"cmd": "index", "history": [[1, 1, 1, 1, 1]]})) == '{"indexed":0,"ok":true}'
    current = [[t, 1, 1, 1, 1] for t in range(3)]
    assert p.command(json.dumps({"cmd": "match", "current": current, "k": 2})) == '{"matches":[],"indexed":0}'


# ---- parallel scoring --------------------------------------------------------


def set_worker_count(n):
    # A test-only hook in the native module, not part of its Python surface.
    lib = ctypes.CDLL(_tarsel_plenko.__file__)
    lib.plenko_testing_set_worker_count.argtypes = [ctypes.c_uint]
    lib.plenko_testing_set_worker_count(n)


@pytest.fixture
def worker_count():
    yield set_worker_count
    set_worker_count(0)


@pytest.mark.parametrize(
    "metric, width, window, n",
    [("cosine", 2, 2, 40000), ("euclid", 1, 3, 40000), ("dtw", 2, 8, 3000)],
)
def test_scores_do_not_depend_on_the_number_of_threads(worker_count, metric, width, window, n):
    rng = random.Random(31)
    # Few distinct values, so equal similarities (ties) are common and the
    # ranking's tie order is exercised across piece boundaries.
    rows = [[float(rng.randint(0, 4)) for _ in range(width)] for _ in range(n + window - 1)]
    times = [rng.randint(0, 50) for _ in rows]
    query = [[float(rng.randint(0, 4)) for _ in range(width)] for _ in range(window)]
    spec = price_spec(width, window=window, metric=metric)
    want = expected_matches(rows, times, query, spec, 500)
    for threads in [1, 2, 3, 8]:
        worker_count(threads)
        assert engine_matches(spec, rows, times, query, 500) == want, threads


def test_matching_in_a_forked_child(worker_count):
    worker_count(3)
    rng = random.Random(41)
    rows = random_rows(rng, 20000, 2)
    times = list(range(len(rows)))
    spec = price_spec(2, window=2, metric="euclid")
    want = engine_matches(spec, rows, times, rows[-2:], 3)  # the parent's pool is up
    read_end, write_end = os.pipe()
    with warnings.catch_warnings():
        warnings.simplefilter("ignore", DeprecationWarning)  # fork with threads running
        pid = os.fork()
    if pid == 0:
        try:
            got = engine_matches(spec, rows, times, rows[-2:], 3)
            threads = len(os.listdir("/proc/self/task")) if os.path.isdir("/proc/self/task") else None
            os.write(write_end, json.dumps([got, threads]).encode())
        finally:
            os._exit(0)
    os.close(write_end)
    ready, _, _ = select.select([read_end], [], [], 60)
    if not ready:
        os.kill(pid, 9)
    os.waitpid(pid, 0)
    assert ready, "the child never finished its match"
    (matches, indexed), threads = json.loads(os.read(read_end, 1 << 16).decode())
    os.close(read_end)
    assert ([tuple(x) for x in matches], indexed) == want
    # The child scores on a pool of its own: the forking thread and two
    # fresh workers (the parent's workers do not exist in the child).
    assert threads in (None, 3)
