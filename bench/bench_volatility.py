"""Volatility family: batch `compute` over 1,000,000 bars against TA-Lib.

Times Atr(14), BollingerBands(20, 2) and Keltner(20, 10, 2) against TA-Lib's
ATR(14) and BBANDS(20, 2, 2, SMA) on the same arrays in the same process.
TA-Lib has no Keltner channel; its nearest work is EMA(20) plus ATR(10), the
two smoothers the channel is made of, timed together. The cheapest
indicator, Sma(1), is timed as well: it is the cost of the batch path itself
(candle records, the evaluator call per bar, the output columns), which every
indicator pays on top of its own work.

The candles are the recorded ORCL daily history tiled to the requested
length; each copy is scaled by a random factor and every bar by a small
jitter (the same factor for its open, high, low and close, so every candle
stays valid) so that the series never repeats exactly. Times are CPU time of
this process (the machine may be shared), the best of R runs.

    PYTHONPATH=build/<dir>/stage python bench/bench_volatility.py [--bars N] [--repeat R]
"""

import argparse
import csv
import time
from pathlib import Path

import numpy as np
import talib

from tarsel_plenko import indicators

DATA = Path(__file__).resolve().parents[2] / "shared" / "data" / "orcl-daily.csv"


def candles(bars: int) -> dict:
    with DATA.open() as f:
        rows = list(csv.DictReader(f))
    base = {k: np.array([float(r[k]) for r in rows], dtype=np.float64) for k in ("open", "high", "low", "close",
                                                                              "volume")}
    size = base["close"].size
    rng = np.random.default_rng(20240601)
    copies = -(-bars // size)
    factor = np.repeat(rng.uniform(0.5, 2.0, copies), size) * (1.0 + rng.normal(0.0, 1e-4, copies * size))
    out = {k: np.ascontiguousarray((np.tile(v, copies) * factor)[:bars]) for k, v in base.items()
           if k != "volume"}
    out["volume"] = np.ascontiguousarray(np.tile(base["volume"], copies)[:bars])
    out["time"] = np.arange(bars, dtype=np.int64) * 86_400_000
    return out


def best_of(repeat: int, fn) -> float:
    best = float("inf")
    for _ in range(repeat):
        t0 = time.process_time()
        fn()
        best = min(best, time.process_time() - t0)
    return best


def main() -> None:
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument("--bars", type=int, default=1_000_000)
    ap.add_argument("--repeat", type=int, default=7)
    args = ap.parse_args()
    d = candles(args.bars)
    h, l, c = d["high"], d["low"], d["close"]
    cases = [
        ("Atr", [14], "ATR(14)", lambda: talib.ATR(h, l, c, 14)),
        ("BollingerBands", [20, 2], "BBANDS(20, 2, 2, SMA)", lambda: talib.BBANDS(c, 20, 2.0, 2.0, 0)),
        ("Keltner", [20, 10, 2], "EMA(20) + ATR(10)", lambda: (talib.EMA(c, 20), talib.ATR(h, l, c, 10))),
    ]
    floor = best_of(args.repeat, lambda: indicators.compute("Sma", [1], d))
    print(f"{args.bars:,} bars, best of {args.repeat}, CPU time")
    print(f"{'indicator':<24} {'ms':>8} {'ns/bar':>7} {'TA-Lib':<22} {'ms':>8} {'ratio':>6} "
          f"{'less floor':>10} {'ratio':>6}")
    for name, params, peer, ta in cases:
        t_ours = best_of(args.repeat, lambda: indicators.compute(name, params, d))
        t_ta = best_of(args.repeat, ta)
        label = f"{name}({', '.join(f'{p:g}' for p in params)})"
        own = max(t_ours - floor, 0.0)
        print(f"{label:<24} {t_ours * 1e3:>8.2f} {t_ours / args.bars * 1e9:>7.1f} {peer:<22} {t_ta * 1e3:>8.2f} "
              f"{t_ours / t_ta:>6.2f} {own * 1e3:>10.2f} {own / t_ta:>6.2f}")
    print(f"{'(Sma(1): batch floor)':<24} {floor * 1e3:>8.2f} {floor / args.bars * 1e9:>7.1f}")


if __name__ == "__main__":
    main()
