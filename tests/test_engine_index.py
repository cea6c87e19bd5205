"""The index through its lifetime, its labels, and the ranking of matches."""

import json

import pytest

from tarsel_plenko import Plenko

NO_INDEX = '{"error":"data: no index; call `index` first","ok":false}'


def spec(fields=("close",), **kw):
    return {"features": [{"kind": "price", "field": f} for f in fields], **kw}


def bars(closes, times=None):
    times = list(range(len(closes))) if times is None else times
    return [[t, 1.0, 1.0, 1.0, float(c)] for t, c in zip(times, closes)]


class Engine:
    def __init__(self, s):
        self.p = Plenko(json.dumps(s))

    def __call__(self, **cmd):
        return json.loads(self.p.command(json.dumps(cmd)))

    def index(self, history):
        return self(cmd="index", history=history)

    def match(self, current, k=100):
        return self(cmd="match", current=current, k=k)

    def label(self, ts, text):
        return self(cmd="label", ts=ts, label=text)


# ---- building ----------------------------------------------------------------


@pytest.mark.parametrize("n, window, want", [(10, 3, 8), (2, 3, 0), (3, 3, 1), (0, 1, 0), (1, 1, 1)])
def test_one_fingerprint_per_full_window(n, window, want):
    e = Engine(spec(window=window))
    assert e.index(bars(range(n))) == {"indexed": want, "ok": True}


def test_fingerprint_times_are_the_newest_candle_of_each_window():
    e = Engine(spec(window=3, metric="euclid"))
    times = [50 + 7 * i for i in range(10)]
    e.index(bars(range(10), times))
    got = e.match(bars(range(3)), k=100)
    assert sorted(m["ts"] for m in got["matches"]) == times[2:]
    assert got["indexed"] == 8


def test_index_validates_the_spec_first():
    assert Engine({}).index([]) == {"error": "bad spec: features is empty", "ok": False}


def test_empty_index_scores_nothing_but_still_needs_a_query():
    e = Engine(spec(window=2))
    assert e.index(bars([1])) == {"indexed": 0, "ok": True}
    assert e.match(bars([1, 2])) == {"matches": [], "indexed": 0}
    assert e.match(bars([1])) == {"error": "data: not enough current bars to form a fingerprint", "ok": False}


def test_indexing_again_replaces_the_index():
    e = Engine(spec(metric="euclid"))
    e.index(bars([1, 2, 3]))
    e.index(bars([7, 8], [100, 101]))
    assert e.match(bars([7])) == {"matches": [{"ts": 100, "similarity": 1.0}, {"ts": 101, "similarity": 0.5}], "indexed": 2}


def test_a_failed_index_keeps_the_previous_one():
    e = Engine(spec(metric="euclid"))
    e.index(bars([1, 2, 3]))
    before = e.match(bars([2]))
    assert e.index([[1, 2, 3]])["ok"] is False
    assert e.index({"x": 1})["ok"] is False
    assert e.match(bars([2])) == before


def test_set_spec_removes_the_index_until_the_next_index():
    e = Engine(spec())
    e.index(bars([1, 2, 3]))
    assert e(cmd="set_spec", spec=spec(window=2)) == {"ok": True}
    assert e.p.command('{"cmd":"match","current":[],"k":1}') == NO_INDEX
    assert e.index(bars([1, 2, 3])) == {"indexed": 2, "ok": True}


def test_match_with_the_index_spec_and_not_a_rejected_one():
    e = Engine(spec(window=2, metric="euclid"))
    e.index(bars([1, 2, 3]))
    assert e(cmd="set_spec", spec={"features": []})["ok"] is False  # refused: nothing changes
    assert e.match(bars([2, 3]))["matches"][0] == {"ts": 2, "similarity": 1.0}


# ---- labels --------------------------------------------------------------------


def test_labels_through_the_index_lifetime():
    e = Engine(spec(metric="euclid"))
    e.label(0, "before")  # set while no index exists
    e.index(bars([5, 6, 7]))
    e.label(2, "after")  # reaches the index without re-indexing
    e.label(99, "nowhere")  # no fingerprint has ts 99
    got = e.match(bars([5]))["matches"]
    assert got == [
        {"ts": 0, "similarity": 1.0, "label": "before"},
        {"ts": 1, "similarity": 0.5},
        {"ts": 2, "similarity": 0.33333333, "label": "after"},
    ]
    e.label(2, "second")  # the later text replaces the earlier
    assert e.match(bars([5]))["matches"][2]["label"] == "second"
    # set_spec keeps the labels for the next index; reset removes them.
    e(cmd="set_spec", spec=spec(metric="euclid"))
    e.index(bars([5, 6, 7, 8], [0, 1, 2, 99]))
    assert [m.get("label") for m in e.match(bars([5]))["matches"]] == ["before", None, "second", "nowhere"]
    assert e(cmd="reset") == {"ok": True}
    assert e.p.command('{"cmd":"match","current":[],"k":1}') == NO_INDEX
    e.index(bars([5, 6, 7]))
    assert all("label" not in m for m in e.match(bars([5]))["matches"])


def test_labels_follow_timestamps_shared_by_several_fingerprints():
    e = Engine(spec(metric="euclid"))
    e.index(bars([1, 2, 3], [4, 4, 5]))
    e.label(4, "twice")
    got = e.match(bars([1]))["matches"]
    assert [(m["ts"], m.get("label")) for m in got] == [(4, "twice"), (4, "twice"), (5, None)]


def test_labels_outside_the_top_k_are_not_reported():
    e = Engine(spec(metric="euclid"))
    e.index(bars([1, 2, 3]))
    for ts in range(3):
        e.label(ts, f"l{ts}")
    assert e.match(bars([1]), k=1)["matches"] == [{"ts": 0, "similarity": 1.0, "label": "l0"}]


def test_label_text_is_written_escaped():
    e = Engine(spec())
    e.index(bars([1]))
    e.label(0, 'a"b\\c\n\u00e9\x01')
    assert e.p.command(json.dumps({"cmd": "match", "current": bars([1]), "k": 1})) == (
        '{"matches":[{"ts":0,"similarity":1.0,"label":"a\\"b\\\\c\\n\u00e9\\u0001"}],"indexed":1}'
    )


# ---- ranking -------------------------------------------------------------------


@pytest.mark.parametrize("metric", ["cosine", "euclid", "dtw"])
def test_the_history_itself_finds_its_last_window(metric):
    closes = [3.0, 1.0, 4.0, 1.0, 5.0, 9.0, 2.0, 6.0]
    e = Engine(spec(("open", "close"), window=3, metric=metric))
    history = [[t, 1.0 + t, 1.0, 1.0, c] for t, c in enumerate(closes)]
    e.index(history)
    best = e.match(history, k=1)["matches"]
    assert best[0]["similarity"] == 1.0
    # Under cosine other windows may also score 1.0; the last window is among
    # the entries at 1.0 either way.
    tops = [m["ts"] for m in e.match(history)["matches"] if m["similarity"] == 1.0]
    assert 7 in tops


def test_self_match_of_all_zero_values_under_cosine_is_one_half():
    e = Engine(spec())
    e.index(bars([0, 0, 0]))
    assert e.match(bars([0]))["matches"] == [{"ts": t, "similarity": 0.5} for t in range(3)]


def test_ties_rank_the_smaller_timestamp_first():
    # Equal closes give equal similarities; times are not sorted in the
    # history, the ranking sorts them.
    e = Engine(spec(metric="euclid"))
    e.index(bars([2, 5, 2, 2, 9], [30, 10, -5, 20, 0]))
    got = e.match(bars([2]))["matches"]
    assert [m["ts"] for m in got] == [-5, 20, 30, 10, 0]


def test_ties_on_rounded_similarity():
    # 1/(1+1e-9) and 1/(1+2e-9) differ as floats but round to the same 1.0.
    e = Engine(spec(metric="euclid"))
    e.index(bars([1.000000002, 1.000000001], [9, 8]))
    got = e.match(bars([1.0]))["matches"]
    assert got == [{"ts": 8, "similarity": 1.0}, {"ts": 9, "similarity": 1.0}]


@pytest.mark.parametrize("k", [1, 2, 5, 6, 18446744073709551615])
def test_k_caps_the_result_but_not_indexed(k):
    e = Engine(spec(metric="euclid"))
    e.index(bars([1, 2, 3, 4, 5]))
    got = e.match(bars([3]), k=k)
    assert got["indexed"] == 5
    assert [m["ts"] for m in got["matches"]] == [2, 1, 3, 0, 4][:k]


def test_k_zero_is_refused_after_the_index_check():
    e = Engine(spec())
    assert e.p.command('{"cmd":"match","current":[],"k":0}') == NO_INDEX
    e.index(bars([1]))
    assert e.match([], k=0) == {"error": "bad spec: k must be > 0", "ok": False}


@pytest.mark.parametrize("k", [1, 3, 10, 50, 200])
def test_top_k_is_the_head_of_the_full_ranking(k):
    import random

    rng = random.Random(k)
    closes = [rng.randint(0, 6) for _ in range(120)]
    times = [rng.randint(-20, 20) for _ in closes]
    e = Engine(spec(metric="euclid"))
    e.index(bars(closes, times))
    full = e.match(bars([3]), k=1000)["matches"]
    assert e.match(bars([3]), k=k)["matches"] == full[:k]
    keys = [(-m["similarity"], m["ts"]) for m in full]
    assert keys == sorted(keys)


def test_match_changes_nothing():
    e = Engine(spec(metric="euclid"))
    e.index(bars([1, 2, 3]))
    e.label(1, "x")
    first = e.match(bars([2]))
    e.match(bars([100, 200]))
    assert e.match(bars([2])) == first


def test_only_the_last_window_of_the_current_candles_counts():
    e = Engine(spec(window=2, metric="euclid"))
    e.index(bars([1, 2, 3, 4]))
    assert e.match(bars([9, 9, 9, 2, 3])) == e.match(bars([2, 3]))
