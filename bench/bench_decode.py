"""Decoding a command of 1,000,000 candles: tarsel_plenko vs orjson.loads vs json.loads.

The command is a `match` on an engine without an index, so the engine decodes every candle of
`current` (the same decoder `index` uses for `history`), reads `k` and stops with
"no index"; what is timed is the command text turned into candles. Each contender runs in a
fresh subprocess; its peak resident memory during the call, above what the process held
before it (the text included), is read from the kernel's high-water mark.

    python bench/bench_decode.py [--candles N] [--repeat R]
"""

import argparse
import json
import subprocess
import sys
import textwrap

CHILD = textwrap.dedent(
    r"""
    import json, random, sys, time
    n, repeat, who = int(sys.argv[1]), int(sys.argv[2]), sys.argv[3]
    rng = random.Random(7)
    price = 100.0
    parts = []
    t = 1_500_000_000_000
    for i in range(n):
        o = price
        c = round(o * (1 + rng.gauss(0, 0.01)), 2)
        h = round(max(o, c) * (1 + abs(rng.gauss(0, 0.004))), 2)
        l = round(min(o, c) * (1 - abs(rng.gauss(0, 0.004))), 2)
        v = rng.randint(1000, 5_000_000)
        parts.append(f'{{"time":{t},"open":{o},"high":{h},"low":{l},"close":{c},"volume":{v}}}')
        price = c
        t += 60_000
    text = '{"cmd":"match","current":[' + ",".join(parts) + '],"k":5}'
    del parts
    if who == "tarsel_plenko":
        from tarsel_plenko import Plenko
        engine = Plenko('{"features":[{"kind":"price","field":"close"}]}')
        run = lambda: engine.command(text)
        expect = '{"error":"data: no index; call `index` first","ok":false}'
    elif who == "orjson":
        import orjson
        run = lambda: orjson.loads(text)
    else:
        run = lambda: json.loads(text)
    def status(field):
        with open("/proc/self/status") as f:
            for line in f:
                if line.startswith(field):
                    return int(line.split()[1])
    best, peak = float("inf"), 0
    for _ in range(repeat):
        before = status("VmRSS:")
        with open("/proc/self/clear_refs", "w") as f:
            f.write("5")  # restart the high-water mark from the current size
        t0 = time.perf_counter()
        out = run()
        best = min(best, time.perf_counter() - t0)
        peak = max(peak, status("VmHWM:") - before)
        out_text = out if isinstance(out, str) else None
        del out
    if who == "tarsel_plenko":
        assert out_text == expect, out_text
    print(json.dumps({"seconds": best, "peak_kib": peak, "text_bytes": len(text)}))
    """
)


def measure(who, n, repeat):
    out = subprocess.run([sys.executable, "-c", CHILD, str(n), str(repeat), who], check=True,
                         capture_output=True, text=True).stdout
    return json.loads(out)


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--candles", type=int, default=1_000_000)
    ap.add_argument("--repeat", type=int, default=3)
    args = ap.parse_args()
    rows = {who: measure(who, args.candles, args.repeat) for who in ("tarsel_plenko", "orjson", "json")}
    text_mb = rows["tarsel_plenko"]["text_bytes"] / 1e6
    ours = rows["tarsel_plenko"]["seconds"]
    print(f"{args.candles} candles, {text_mb:.1f} MB of command text, best of {args.repeat}")
    print(f"| decoder | seconds | MB/s | vs tarsel_plenko | peak memory above baseline (× text) |")
    print(f"|---|---|---|---|---|")
    for who, r in rows.items():
        ratio = r["seconds"] / ours
        peak = r["peak_kib"] * 1024 / r["text_bytes"]
        print(f"| {who} | {r['seconds']:.3f} | {text_mb / r['seconds']:.0f} | {ratio:.2f}× | {peak:.2f} |")


if __name__ == "__main__":
    main()
