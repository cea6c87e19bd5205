"""Feature rows and windows, observed end to end.

An engine whose features are price fields stores exactly the values it is
given, so it serves as a proxy: the feature rows of an indicator
specification, computed here with the streaming `Indicator` objects, are
written into the price fields of proxy candles. Both engines must then
report the same matches bit for bit, which pins the row values, the candles
they belong to, the skipped candles and the window assembly.
"""

import csv
import json
import pathlib

import pytest

from tarsel_plenko import Plenko
from tarsel_plenko.indicators import Indicator

DATA = pathlib.Path(__file__).resolve().parents[1] / "python" / "tarsel_plenko" / "data" / "orcl-daily.csv"
PRICE_FIELDS = ["open", "high", "low", "close", "volume"]


def load_orcl(n):
    with DATA.open() as f:
        rows = list(csv.DictReader(f))[:n]
    return [
        [int(r["time"]), float(r["open"]), float(r["high"]), float(r["low"]), float(r["close"]), float(r["volume"])]
        for r in rows
    ]


@pytest.fixture(scope="module")
def orcl():
    return load_orcl(400)


def ind(name, params, field=None):
    f = {"kind": "indicator", "name": name, "params": params}
    if field is not None:
        f["field"] = field
    return f


def price(field):
    return {"kind": "price", "field": field}


def oracle_rows(features, candles):
    """(time, row) for every candle on which every feature has a value."""
    streams = [Indicator(f["name"], f.get("params", [])) if f["kind"] != "price" else None for f in features]
    out = []
    for c in candles:
        values, ok = [], True
        results = [s.update(*c) if s is not None else None for s in streams]
        for f, s, v in zip(features, streams, results):
            if s is None:
                values.append(c[1 + PRICE_FIELDS.index(f["field"])])
            elif v is None:
                ok = False
            elif f.get("field") is None:
                values.append(v)
            elif f["field"] in s.fields:
                values.append(s.fields[f["field"]])
            else:
                ok = False
        if ok:
            out.append((c[0], values))
    return out


def proxy_candles(rows):
    return [[t] + vals + [0.0] * (5 - len(vals)) for t, vals in rows]


def run(spec, history, current, k=10**6):
    p = Plenko(json.dumps(spec))
    indexed = json.loads(p.command(json.dumps({"cmd": "index", "history": history})))
    matched = json.loads(p.command(json.dumps({"cmd": "match", "current": current, "k": k})))
    return indexed, matched


def assert_same_as_proxy(features, history, current, **spec_kw):
    spec = {"features": features, "metric": "euclid", **spec_kw}
    width = len(features)
    proxy_spec = {"features": [price(f) for f in PRICE_FIELDS[:width]], "metric": "euclid", **spec_kw}
    h_rows, c_rows = oracle_rows(features, history), oracle_rows(features, current)
    got = run(spec, history, current)
    want = run(proxy_spec, proxy_candles(h_rows), proxy_candles(c_rows))
    assert got == want
    assert got[0]["indexed"] == max(0, len(h_rows) - spec_kw.get("window", 1) + 1)
    return got


@pytest.mark.parametrize(
    "features, window, normalize",
    [
        ([ind("Sma", [3]), price("close")], 4, "none"),
        ([price("close"), ind("Sma", [20]), ind("Ema", [20])], 16, "z_score"),
        ([ind("Ema", [5]), ind("Sma", [7]), price("volume")], 3, "min_max"),
        ([ind("Wma", [4]), ind("MedianPrice", [])], 2, "none"),
        ([ind("OvernightIntradayReturn", [0], "overnight"), ind("OvernightIntradayReturn", [0], "intraday")], 3, "none"),
    ],
)
def test_rows_equal_the_indicator_values(orcl, features, window, normalize):
    got = assert_same_as_proxy(features, orcl[:300], orcl[250:330], window=window, normalize=normalize)
    assert got[0]["indexed"] > 0


def test_features_that_share_an_evaluator_read_the_same_values(orcl):
    # 3 and 3.0 give the same parameter text, hence one shared evaluator.
    features = [ind("Sma", [3]), ind("Sma", [3.0]), ind("Sma", [3, 99])]
    rows = oracle_rows(features, orcl[:50])
    assert all(r[0] == r[1] for _, r in rows)
    assert_same_as_proxy(features, orcl[:50], orcl[:10], window=2)


def test_price_rows_start_with_the_first_candle(orcl):
    indexed, matched = run({"features": [price("close")], "metric": "euclid"}, orcl[:5], orcl[:1])
    assert indexed == {"indexed": 5, "ok": True}
    assert sorted(m["ts"] for m in matched["matches"]) == [c[0] for c in orcl[:5]]


def test_warm_up_candles_give_no_rows(orcl):
    # Sma(5) has its first value on candle 4 (0-based): 6 rows from 10
    # candles, so window 2 cuts 5 fingerprints ending at candles 5 .. 9.
    spec = {"features": [ind("Sma", [5])], "window": 2, "metric": "euclid"}
    indexed, matched = run(spec, orcl[:10], orcl[:6])
    assert indexed["indexed"] == 5
    assert sorted(m["ts"] for m in matched["matches"]) == [c[0] for c in orcl[5:10]]


def test_match_needs_enough_candles_for_the_indicators_to_warm_up(orcl):
    spec = {"features": [ind("Sma", [5])], "window": 2}
    p = Plenko(json.dumps(spec))
    p.command(json.dumps({"cmd": "index", "history": orcl[:20]}))
    short = json.dumps({"cmd": "match", "current": orcl[:5], "k": 1})
    assert p.command(short) == '{"error":"data: not enough current bars to form a fingerprint","ok":false}'
    assert "matches" in json.loads(p.command(json.dumps({"cmd": "match", "current": orcl[:6], "k": 1})))


def test_windows_skip_candles_without_a_row():
    # AvgPrice refuses the invalid candles 4 and 5 (high below low), so with
    # window 3 the fingerprints end at candles 2, 3, 6 and 7 and the last one
    # is built from the rows of candles 3, 6 and 7.
    candles = [[100 + t, 10.0 + t, 12.0 + t, 9.0 + t, 11.0 + t, 1.0] for t in range(8)]
    for i in (4, 5):
        candles[i] = [100 + i, 10.0, 8.0, 9.0, 9.5, 1.0]
    features = [ind("AvgPrice", [])]
    rows = oracle_rows(features, candles)
    assert [t for t, _ in rows] == [100, 101, 102, 103, 106, 107]
    indexed, matched = assert_same_as_proxy(features, candles, candles, window=3)
    assert indexed["indexed"] == 4
    assert sorted(m["ts"] for m in matched["matches"]) == [102, 103, 106, 107]
    # The query is the history's own last window: rows 3, 6, 7 again.
    assert matched["matches"][0] == {"ts": 107, "similarity": 1.0}


@pytest.mark.parametrize(
    "feature",
    [
        ind("Sma", [3], "value"),  # a single-value indicator reports no fields
        ind("OvernightIntradayReturn", [0], "gap"),  # not one of its fields
    ],
)
def test_a_field_never_reported_gives_no_rows(orcl, feature):
    p = Plenko(json.dumps({"features": [price("close"), feature]}))
    assert p.command(json.dumps({"cmd": "index", "history": orcl[:100]})) == '{"indexed":0,"ok":true}'
    assert p.command(json.dumps({"cmd": "match", "current": orcl[:100], "k": 3})) == (
        '{"error":"data: not enough current bars to form a fingerprint","ok":false}'
    )


@pytest.mark.parametrize(
    "features, message",
    [
        ([ind("Foo", [])], "unknown feature: Foo: unknown indicator type: Foo"),
        ([ind("sma", [3])], "unknown feature: sma: unknown indicator type: sma"),
        ([ind("Sma", [])], "unknown feature: Sma: invalid parameters for indicator Sma: missing parameter #0"),
        (
            [price("close"), ind("Sma", [2.5]), ind("Foo", [])],
            "unknown feature: Sma: invalid parameters for indicator Sma: parameter #0 must be a positive integer, got 2.5",
        ),
        (
            [{"kind": "microstructure", "name": "Bar", "params": [1]}],
            "unknown feature: Bar: unknown indicator type: Bar",
        ),
    ],
)
def test_refused_features_fail_index_and_match(features, message):
    p = Plenko(json.dumps({"features": features}))
    want = json.dumps({"error": message, "ok": False}, separators=(",", ":"))
    assert p.command('{"cmd":"index","history":[]}') == want
    assert p.command('{"cmd":"match","current":[],"k":1}') == '{"error":"data: no index; call `index` first","ok":false}'


def test_microstructure_kind_is_built_like_an_indicator(orcl):
    as_indicator = {"features": [ind("Sma", [4])], "window": 3, "metric": "euclid"}
    as_micro = {"features": [{"kind": "microstructure", "name": "Sma", "params": [4]}], "window": 3, "metric": "euclid"}
    assert run(as_indicator, orcl[:60], orcl[:30]) == run(as_micro, orcl[:60], orcl[:30])


def test_match_starts_every_indicator_cold(orcl):
    # The same current candles give the same answer however often and after
    # whatever else they are matched: no evaluator state survives a command.
    p = Plenko(json.dumps({"features": [ind("Ema", [10])], "window": 4, "metric": "euclid"}))
    p.command(json.dumps({"cmd": "index", "history": orcl[:200]}))
    cmd = json.dumps({"cmd": "match", "current": orcl[100:140], "k": 5})
    first = p.command(cmd)
    p.command(json.dumps({"cmd": "match", "current": orcl[:200], "k": 5}))
    assert p.command(cmd) == first
