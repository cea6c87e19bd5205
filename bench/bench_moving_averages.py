"""Batch moving averages over 1,000,000 bars: tarsel_plenko `compute` vs TA-Lib.

The closes are the recorded ORCL daily history tiled to the requested length;
each copy is scaled by a small random factor and jittered so that the series
never repeats exactly. Both libraries get the same float64 array in the same
process; each timing is the best of R runs.

    PYTHONPATH=build/<dir>/stage python bench/bench_moving_averages.py [--bars N] [--repeat R]
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
    ("Sma", [20], lambda c: talib.SMA(c, 20)),
    ("Ema", [20], lambda c: talib.EMA(c, 20)),
    ("Wma", [20], lambda c: talib.WMA(c, 20)),
    ("Dema", [20], lambda c: talib.DEMA(c, 20)),
    ("Tema", [20], lambda c: talib.TEMA(c, 20)),
    ("Trima", [20], lambda c: talib.TRIMA(c, 20)),
    ("T3", [5, 0.7], lambda c: talib.T3(c, 5, 0.7)),
]


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
        t0 = time.perf_counter()
        fn()
        best = min(best, time.perf_counter() - t0)
    return best


def main() -> None:
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument("--bars", type=int, default=1_000_000)
    ap.add_argument("--repeat", type=int, default=7)
    args = ap.parse_args()

    close = closes(args.bars)
    data = {"close": close}
    print(f"{args.bars:,} bars, best of {args.repeat}")
    print(f"{'indicator':<12} {'tarsel_plenko ms':>17} {'TA-Lib ms':>10} {'ratio':>7} {'max rel diff':>13}")
    for name, params, ta in CASES:
        ours = indicators.compute(name, params, data)["value"]
        ref = ta(close)
        both = ~np.isnan(ref)
        rel = float(np.max(np.abs(ours[both] - ref[both]) / np.abs(ref[both])))
        t_ours = best_of(args.repeat, lambda: indicators.compute(name, params, data))
        t_ta = best_of(args.repeat, lambda: ta(close))
        label = f"{name}({', '.join(f'{p:g}' for p in params)})"
        print(f"{label:<12} {t_ours * 1e3:>17.2f} {t_ta * 1e3:>10.2f} {t_ours / t_ta:>7.2f} {rel:>13.1e}")


if __name__ == "__main__":
    main()
