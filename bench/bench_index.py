"""`index` of 1,000,000 candles: features close, Sma(20) and Ema(20), window 16, z_score.

What is timed is the whole command: the JSON text of the history decoded into candles, every
candle fed to the indicators, the fingerprints cut, the statistics computed and every
fingerprint rescaled. Memory is the growth of the resident set after the command (the command text was allocated
before the first reading and is still alive), set against N × D × 8 bytes, the fingerprint
values alone: once as the process keeps it, and once after glibc's malloc_trim hands back the
free heap the allocator retained, which is what the index itself holds (values, timestamps and
cosine norms). The peak during the command is shown too. The run happens in a fresh subprocess so that earlier allocations do not blur the
readings.

    python bench/bench_index.py [--candles N] [--repeat R]
"""

import argparse
import json
import subprocess
import sys
import textwrap

CHILD = textwrap.dedent(
    r"""
    import json, random, sys, time
    n, repeat = int(sys.argv[1]), int(sys.argv[2])
    rng = random.Random(3)
    price, t, parts = 100.0, 1_500_000_000_000, []
    for i in range(n):
        o = price
        c = round(o * (1 + rng.gauss(0, 0.01)), 2)
        h = round(max(o, c) * (1 + abs(rng.gauss(0, 0.004))), 2)
        l = round(min(o, c) * (1 - abs(rng.gauss(0, 0.004))), 2)
        parts.append(f'[{t},{o},{h},{l},{c},{rng.randint(1000, 5_000_000)}]')
        price, t = c, t + 60_000
    text = '{"cmd":"index","history":[' + ",".join(parts) + ']}'
    del parts
    from tarsel_plenko import Plenko
    spec = {"features": [{"kind": "price", "field": "close"},
                         {"kind": "indicator", "name": "Sma", "params": [20]},
                         {"kind": "indicator", "name": "Ema", "params": [20]}],
            "window": 16, "normalize": "z_score"}

    def status(field):
        with open("/proc/self/status") as f:
            for line in f:
                if line.startswith(field):
                    return int(line.split()[1]) * 1024

    best, kept, peak = float("inf"), 0, 0
    for _ in range(repeat):
        engine = Plenko(json.dumps(spec))
        before = status("VmRSS:")
        with open("/proc/self/clear_refs", "w") as f:
            f.write("5")  # restart the high-water mark from the current size
        t0 = time.perf_counter()
        out = engine.command(text)
        best = min(best, time.perf_counter() - t0)
        kept = status("VmRSS:") - before
        peak = max(peak, status("VmHWM:") - before)
        held = kept
        try:  # what the index holds, without the free memory the allocator keeps
            import ctypes
            ctypes.CDLL("libc.so.6").malloc_trim(0)
            held = status("VmRSS:") - before
        except (OSError, AttributeError):
            pass
        indexed = json.loads(out)["indexed"]
        del engine
    print(json.dumps({"seconds": best, "kept": kept, "held": held, "peak": peak, "indexed": indexed, "dim": 48,
                      "text_bytes": len(text)}))
    """
)


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--candles", type=int, default=1_000_000)
    ap.add_argument("--repeat", type=int, default=3)
    args = ap.parse_args()
    out = subprocess.run([sys.executable, "-c", CHILD, str(args.candles), str(args.repeat)], check=True,
                         capture_output=True, text=True).stdout
    r = json.loads(out)
    n, dim = r["indexed"], r["dim"]
    values = n * dim * 8
    print(f"index: {args.candles:,} candles ({r['text_bytes'] / 1e6:.1f} MB of command text), "
          f"features close, Sma(20), Ema(20); window 16 (D = {dim}); z_score; best of {args.repeat}")
    print(f"| measure | value | target | ratio |")
    print(f"|---|---|---|---|")
    rate = args.candles / r["seconds"]
    print(f"| candles per second (decoding included) | {rate:,.0f} ({r['seconds']:.3f} s) | 1,000,000 | "
          f"{rate / 1e6:.2f}× |")
    print(f"| index memory kept (N = {n:,}) | {r['kept'] / 2**20:,.1f} MiB | N×D×8 = {values / 2**20:,.1f} MiB "
          f"| {r['kept'] / values:.3f}× |")
    print(f"| index memory after malloc_trim (what the index holds) | {r['held'] / 2**20:,.1f} MiB | "
          f"N×D×8 = {values / 2**20:,.1f} MiB | {r['held'] / values:.3f}× |")
    print(f"| peak during the command | {r['peak'] / 2**20:,.1f} MiB | | {r['peak'] / values:.3f}× |")


if __name__ == "__main__":
    main()
