"""Mutated and random command texts: every answer is JSON of a documented shape, and a failed
command leaves the engine as it was."""

import json
import random

from tarsel_plenko import Plenko

SPEC = '{"features":[{"kind":"price","field":"close"},{"kind":"indicator","name":"Sma","params":[3]}],"window":2}'

CANDLES = ",".join(
    f'{{"time":{t},"open":{10 + t % 7},"high":{12 + t % 7},"low":{9 + t % 7},"close":{11 + t % 5},"volume":{t}}}'
    for t in range(12)
)
SEEDS = [
    '{"cmd":"version"}',
    '{"cmd":"reset"}',
    '{"cmd":"label","ts":3,"label":"three"}',
    '{"cmd":"index","history":[' + CANDLES + "]}",
    '{"cmd":"match","current":[' + CANDLES + '],"k":3}',
    '{"cmd":"set_spec","spec":' + SPEC + "}",
    '{"cmd":"set_spec","spec":[[["price","open"]],1,{"z_score":null},"dtw"]}',
    '{"cmd":"index","history":[[1,2,3,1,2],[2,3,4,2,3,5]]}',
]
PROBE = '{"cmd":"match","current":[' + CANDLES + '],"k":5}'
ALPHABET = list('{}[]:,"\\ -+.0123456789eEtrufalsnx') + ["\u00e9", "\u0000", "\n", "\U0001f600"]


def mutate(text, rng):
    chars = list(text)
    for _ in range(rng.randint(1, 4)):
        op = rng.randrange(4)
        pos = rng.randrange(len(chars) + 1)
        if op == 0 and chars:
            del chars[min(pos, len(chars) - 1)]
        elif op == 1:
            chars.insert(pos, rng.choice(ALPHABET))
        elif op == 2 and chars:
            chars[min(pos, len(chars) - 1)] = rng.choice(ALPHABET)
        else:
            start = rng.randrange(len(chars) + 1)
            chars[start:start] = chars[pos : pos + rng.randint(1, 8)]
    return "".join(chars)


def random_text(rng):
    return "".join(rng.choice(ALPHABET) for _ in range(rng.randint(0, 40)))


def check_shape(response):
    body = json.loads(response)
    assert isinstance(body, dict), response
    keys = list(body)
    if keys == ["error", "ok"]:
        assert body["ok"] is False and isinstance(body["error"], str)
        assert body["error"].split(": ", 1)[0] in {"parse", "unknown feature", "bad spec", "data"}
        return False
    if keys == ["ok"]:
        assert body["ok"] is True
    elif keys == ["indexed", "ok"]:
        assert body["ok"] is True and isinstance(body["indexed"], int)
    elif keys == ["version"]:
        assert body["version"] == "0.2.0"
    else:
        assert keys == ["matches", "indexed"], response
        for entry in body["matches"]:
            assert list(entry) in (["ts", "similarity"], ["ts", "similarity", "label"]), response
    return True


def test_ten_thousand_mutated_and_random_commands():
    rng = random.Random(20261211)
    engine = Plenko(SPEC)
    engine.command(SEEDS[3])
    baseline = engine.command(PROBE)
    failures = 0
    for i in range(12000):
        text = random_text(rng) if i % 6 == 0 else mutate(rng.choice(SEEDS), rng)
        ok = check_shape(engine.command(text))
        if ok:
            baseline = engine.command(PROBE)
        else:
            failures += 1
            assert engine.command(PROBE) == baseline, text
    # the loop must exercise failures and successes alike
    assert failures > 1000 and 12000 - failures > 100
