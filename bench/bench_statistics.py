"""Statistics family: batch `compute` over 1,000,000 bars against TA-Lib, and
how the order-statistic members scale with the window length.

Part 1 times StdDev(20), Variance(20), LinearRegression(14), LinRegSlope(14)
and ZScore(20) against TA-Lib's STDDEV, VAR, LINEARREG and LINEARREG_SLOPE
(ZScore against STDDEV, the closest TA-Lib work) on the same float64 array
in the same process. The cheapest indicator, Sma(1), is timed as well: it is
the cost of the batch path itself (candle records, the evaluator call per
bar, the output columns), which every indicator pays on top of its own work.

Part 2 times RollingQuantile and MedianAbsoluteDeviation for growing window
lengths. Both keep a sorted window (two bisections and a block move of at
most n values per bar); the median absolute deviation is then found by
bisection over the two sorted runs of deviations, O(log n). The per-bar cost
therefore grows with the block move, far below an O(n log n) re-sort, which
is shown for comparison by the numpy equivalent per bar at the same n.

The closes are the recorded ORCL daily history tiled to the requested length;
each copy is scaled by a small random factor and jittered so that the series
never repeats exactly. Times are CPU time of this process (the machine may be
shared), the best of R runs.

    PYTHONPATH=build/<dir>/stage python bench/bench_statistics.py [--bars N] [--repeat R]
"""

import argparse
import csv
import time
from pathlib import Path

import numpy as np
import talib

from tarsel_plenko import indicators

DATA = Path(__file__).resolve().parents[2] / "shared" / "data" / "orcl-daily.csv"

CASES = [
    ("StdDev", [20], "STDDEV(20)", lambda c: talib.STDDEV(c, 20, 1.0)),
    ("Variance", [20], "VAR(20)", lambda c: talib.VAR(c, 20, 1.0)),
    ("LinearRegression", [14], "LINEARREG(14)", lambda c: talib.LINEARREG(c, 14)),
    ("LinRegSlope", [14], "LINEARREG_SLOPE(14)", lambda c: talib.LINEARREG_SLOPE(c, 14)),
    ("ZScore", [20], "STDDEV(20)", lambda c: talib.STDDEV(c, 20, 1.0)),
]

ORDER_STATISTICS = [("RollingQuantile", lambda n: [n, 0.9]), ("MedianAbsoluteDeviation", lambda n: [n])]
LENGTHS = [20, 200, 2000, 20000]


def closes(bars: int) -> np.ndarray:
    with DATA.open() as f:
        base = np.array([float(r["close"]) for r in csv.DictReader(f)], dtype=np.float64)
    rng = np.random.default_rng(20240601)
    copies = -(-bars // base.size)
    scale = np.repeat(rng.uniform(0.5, 2.0, copies), base.size)
    jitter = 1.0 + rng.normal(0.0, 1e-4, copies * base.size)
    return np.ascontiguousarray((np.tile(base, copies) * scale * jitter)[:bars])


def best_of(repeat: int, fn) -> float:
    best = float("inf")
    for _ in range(repeat):
        t0 = time.process_time()
        fn()
        best = min(best, time.process_time() - t0)
    return best


def versus_talib(close: np.ndarray, repeat: int) -> None:
    data = {"close": close}
    print(f"{close.size:,} bars, best of {repeat}")
    print(f"{'indicator':<22} {'tarsel_plenko ms':>17} {'TA-Lib':<20} {'TA-Lib ms':>10} {'ratio':>7}")
    for name, params, peer, ta in CASES:
        t_ours = best_of(repeat, lambda: indicators.compute(name, params, data))
        t_ta = best_of(repeat, lambda: ta(close))
        label = f"{name}({', '.join(f'{p:g}' for p in params)})"
        print(f"{label:<22} {t_ours * 1e3:>17.2f} {peer:<20} {t_ta * 1e3:>10.2f} {t_ours / t_ta:>7.2f}")
    # The batch path itself: the cheapest possible indicator over the same bars.
    if "Sma" in indicators.names():
        t_floor = best_of(repeat, lambda: indicators.compute("Sma", [1], data))
        print(f"{'(Sma(1): batch floor)':<22} {t_floor * 1e3:>17.2f}")


def scaling(close: np.ndarray, repeat: int) -> None:
    print()
    print(f"order statistics over {close.size:,} bars, best of {repeat}: ns per bar")
    header = f"{'indicator':<26}" + "".join(f"{'n=' + str(n):>12}" for n in LENGTHS)
    print(header)
    for name, params in ORDER_STATISTICS:
        row = f"{name:<26}"
        for n in LENGTHS:
            t = best_of(repeat, lambda: indicators.compute(name, params(n), {"close": close}))
            row += f"{t / close.size * 1e9:>12.1f}"
        print(row)
    # A full re-sort per bar, for scale (numpy's sort on each window).
    row = f"{'(numpy sort per bar)':<26}"
    windows = 2000
    for n in LENGTHS:
        view = np.lib.stride_tricks.sliding_window_view(close[: n + windows], n)[:windows]
        t = best_of(max(1, repeat // 3), lambda: [np.sort(w) for w in view])
        row += f"{t / windows * 1e9:>12.1f}"
    print(row)


def main() -> None:
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument("--bars", type=int, default=1_000_000)
    ap.add_argument("--repeat", type=int, default=7)
    args = ap.parse_args()
    close = closes(args.bars)
    versus_talib(close, args.repeat)
    scaling(close, max(1, args.repeat // 2))


if __name__ == "__main__":
    main()
