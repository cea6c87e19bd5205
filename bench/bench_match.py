"""`match` against brute-force scoring of the same fingerprints elsewhere.

- cosine and euclid: 1,000,000 stored fingerprints of dimension 32 (two price
  features, window 16) against the same scoring written in numpy float64
  (matrix-vector product with the stored norms computed once, as the engine
  does; euclid from the differences), rounding and top-k selection included.
- dtw: 100,000 stored fingerprints of one feature, window 32, against
  dtaidistance's C implementation (``distance_matrix_fast`` over one block
  row) computing the same number of length-32 distances.

Each engine match is a whole command: building the query from the current
candles, scoring on the worker pool, ranking, writing the response. Timings
are the best of --repeat runs, on all hardware threads and on one
(the engine's pool is resized through its test hook; numpy's BLAS and
dtaidistance's OpenMP are left as they come for "all", limited for "one").

    python bench/bench_match.py [--n N] [--dtw-n N] [--repeat R]
"""

import argparse
import ctypes
import json
import os
import time

import numpy as np

from tarsel_plenko import Plenko, _tarsel_plenko

K = 10


def best_of(repeat, fn):
    best = float("inf")
    out = None
    for _ in range(repeat):
        t0 = time.perf_counter()
        out = fn()
        best = min(best, time.perf_counter() - t0)
    return best, out


def set_engine_threads(n):
    lib = ctypes.CDLL(_tarsel_plenko.__file__)
    lib.plenko_testing_set_worker_count.argtypes = [ctypes.c_uint]
    lib.plenko_testing_set_worker_count(n)


def limit_library_threads(n):
    """numpy's BLAS limited to n threads (needs threadpoolctl; unlimited without it)."""
    try:
        from threadpoolctl import threadpool_limits
    except ImportError:
        print("note: threadpoolctl is not installed; numpy's BLAS keeps all its threads in the 'one' rows")
        return None
    return threadpool_limits(n)


def random_walk(rng, n, width):
    return np.cumsum(rng.normal(0.0, 1.0, size=(n, width)), axis=0)


def engine_for(metric, rows, window):
    fields = ["open", "high", "low", "close", "volume"][: rows.shape[1]]
    spec = {"features": [{"kind": "price", "field": f} for f in fields], "window": window, "metric": metric}
    p = Plenko(json.dumps(spec))
    candles = np.zeros((rows.shape[0], 6))
    candles[:, 1 : 1 + rows.shape[1]] = rows
    history = [[i] + c[1:].tolist() for i, c in enumerate(candles)]
    text = json.dumps({"cmd": "index", "history": history})
    del history
    r = json.loads(p.command(text))
    assert r["ok"], r
    current = [[i] + c[1:].tolist() for i, c in enumerate(candles[-window:])]
    return p, json.dumps({"cmd": "match", "current": current, "k": K}), r["indexed"]


def fingerprints(rows, window):
    # Feature-major: feature k at window position i sits at k * window + i.
    n = rows.shape[0] - window + 1
    view = np.lib.stride_tricks.sliding_window_view(rows, window, axis=0)  # (n, width, window)
    return np.ascontiguousarray(view[:n].reshape(n, -1))


def numpy_topk(sims):
    top = np.argpartition(-sims, K)[:K]
    return top[np.argsort(-sims[top], kind="stable")]


def numpy_cosine(X, norms, q):
    def run():
        dot = X @ q
        den = np.sqrt(q @ q) * norms
        cos = np.divide(dot, den, out=np.zeros_like(dot), where=den != 0.0)
        sims = np.round((cos + 1.0) * 0.5 * 1e8) / 1e8
        return numpy_topk(sims)

    return run


def numpy_euclid(X, q):
    def run():
        d = np.sqrt(((X - q) ** 2).sum(axis=1))
        sims = np.round(1.0 / (d + 1.0) * 1e8) / 1e8
        return numpy_topk(sims)

    return run


def dtai_block(series, parallel):
    from dtaidistance import dtw

    n = series.shape[0] - 1

    def run():
        return dtw.distance_matrix_fast(series, block=((0, 1), (1, n + 1)), compact=True, parallel=parallel)

    return run


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--n", type=int, default=1_000_000, help="stored fingerprints for cosine and euclid")
    ap.add_argument("--dtw-n", type=int, default=100_000, help="stored fingerprints for dtw")
    ap.add_argument("--repeat", type=int, default=5)
    args = ap.parse_args()
    rng = np.random.default_rng(11)
    threads = os.cpu_count() or 1
    table = []

    # cosine and euclid: width 2, window 16 -> dimension 32
    window = 16
    rows = random_walk(rng, args.n + window - 1, 2)
    X = fingerprints(rows, window)
    q = X[-1].copy()
    norms = np.sqrt((X * X).sum(axis=1))
    for metric in ["cosine", "euclid"]:
        p, cmd, indexed = engine_for(metric, rows, window)
        assert indexed == args.n
        contender = numpy_cosine(X, norms, q) if metric == "cosine" else numpy_euclid(X, q)
        for label, n_threads in [("all", 0), ("one", 1)]:
            set_engine_threads(n_threads)
            limiter = limit_library_threads(1) if n_threads == 1 else None
            t_engine, out = best_of(args.repeat, lambda: p.command(cmd))
            t_numpy, top = best_of(args.repeat, contender)
            if limiter is not None:
                limiter.restore_original_limits()
            got = [m["ts"] for m in json.loads(out)["matches"]]
            assert got[0] == args.n + window - 2, got[:3]  # the query's own window first
            table.append((f"{metric} N={args.n:,} D=32", label, t_engine, "numpy", t_numpy))
        del p

    # dtw: one feature, window 32
    window = 32
    rows = random_walk(rng, args.dtw_n + window - 1, 1)
    p, cmd, indexed = engine_for("dtw", rows, window)
    S = fingerprints(rows, window)
    series = np.vstack([S[-1:], S])
    for label, n_threads, parallel in [("all", 0, True), ("one", 1, False)]:
        set_engine_threads(n_threads)
        t_engine, out = best_of(args.repeat, lambda: p.command(cmd))
        t_dtai, d = best_of(args.repeat, dtai_block(series, parallel))
        assert len(d) == args.dtw_n
        table.append((f"dtw N={args.dtw_n:,} W=32 F=1", label, t_engine, "dtaidistance", t_dtai))
    set_engine_threads(0)

    print(f"match, best of {args.repeat} (hardware threads: {threads}; 'one' = a single thread each)")
    print(f"{'case':<26} {'threads':>7} {'tarsel_plenko':>14} {'contender':>13} {'time':>10} {'ratio':>7}")
    for case, label, t_e, who, t_c in table:
        print(f"{case:<26} {label:>7} {t_e * 1e3:>11.1f} ms {who:>13} {t_c * 1e3:>7.1f} ms {t_c / t_e:>6.2f}x")
    print("ratio = contender time / tarsel_plenko time (above 1: tarsel_plenko is faster)")


if __name__ == "__main__":
    main()
