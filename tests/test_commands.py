"""The command dispatcher: command selection, member readers, responses and state."""

import json

import pytest

from tarsel_plenko import Plenko

CLOSE_SPEC = '{"features":[{"kind":"price","field":"close"}]}'


@pytest.fixture
def engine():
    return Plenko(CLOSE_SPEC)


def err(text):
    return json.dumps({"error": text, "ok": False}, separators=(",", ":"), ensure_ascii=False)


OK = '{"ok":true}'


@pytest.mark.parametrize(
    "cmd,response",
    [
        ("[]", err('bad spec: missing "cmd"')),
        ("5", err('bad spec: missing "cmd"')),
        ('"index"', err('bad spec: missing "cmd"')),
        ("{}", err('bad spec: missing "cmd"')),
        ('{"cmd":5}', err('bad spec: missing "cmd"')),
        ('{"cmd":null}', err('bad spec: missing "cmd"')),
        ('{"cmd":"INDEX"}', err("bad spec: unknown cmd: INDEX")),
        ('{"cmd":""}', err("bad spec: unknown cmd: ")),
        ('{"cmd":"version","junk":[1,2]}', '{"version":"0.2.0"}'),
        ('{"cmd":"reset"}', OK),
        # the last occurrence of a repeated member counts
        ('{"cmd":"nope","cmd":"version"}', '{"version":"0.2.0"}'),
        ('{"cmd":"version","cmd":5}', err('bad spec: missing "cmd"')),
        ('  {"cmd" : "version"}  \n', '{"version":"0.2.0"}'),
        ('{"c\\u006dd":"v\\u0065rsion"}', '{"version":"0.2.0"}'),
        ('{"cmd":"label","ts":5.0,"label":"x"}', err('bad spec: missing integer "ts"')),
        ('{"cmd":"label","ts":1e3,"label":"x"}', err('bad spec: missing integer "ts"')),
        ('{"cmd":"label","label":"x"}', err('bad spec: missing integer "ts"')),
        ('{"cmd":"label","ts":9223372036854775808,"label":"x"}', err('bad spec: missing integer "ts"')),
        ('{"cmd":"label","ts":-9223372036854775808,"label":"x"}', OK),
        ('{"cmd":"label","ts":1}', err('bad spec: missing string "label"')),
        ('{"cmd":"label","ts":1,"label":5}', err('bad spec: missing string "label"')),
        ('{"cmd":"index"}', err('bad spec: missing "history"')),
        ('{"cmd":"index","history":{}}', err("parse: invalid type: map, expected a sequence")),
        ('{"cmd":"match","k":1}', err('bad spec: missing "current"')),
        ('{"cmd":"match","current":[],"k":-1}', err('bad spec: missing unsigned "k"')),
        ('{"cmd":"match","current":[],"k":1.0}', err('bad spec: missing unsigned "k"')),
        ('{"cmd":"match","current":[1],"k":-1}', err("parse: invalid type: integer `1`, expected struct Candle")),
        ('{"cmd":"match","current":[],"k":3}', err("data: no index; call `index` first")),
        ('{"cmd":"match","current":[],"k":0}', err("data: no index; call `index` first")),
        ('{"cmd":"match","current":[],"k":18446744073709551615}', err("data: no index; call `index` first")),
        ('{"cmd":"set_spec"}', err('bad spec: missing "spec"')),
        ('{"cmd":"set_spec","spec":{"features":[]}}', err("bad spec: features is empty")),
    ],
)
def test_dispatch_table(engine, cmd, response):
    assert engine.command(cmd) == response


def test_fresh_default_instance_refuses_to_index():
    engine = Plenko("  {}  ")
    assert engine.command('{"cmd":"index","history":[]}') == err("bad spec: features is empty")


def test_set_spec_replaces_the_specification_and_keeps_labels(engine):
    assert engine.command('{"cmd":"label","ts":7,"label":"seven"}') == OK
    assert engine.command('{"cmd":"set_spec","spec":{"features":[{"kind":"price","field":"open"}],"window":3}}') == OK
    # A failing set_spec leaves the specification alone.
    bad = '{"cmd":"set_spec","spec":{"features":[{"kind":"price","field":"open"}],"window":0}}'
    assert engine.command(bad) == err("bad spec: window must be >= 1")
    assert engine.command('{"cmd":"match","current":[],"k":1}') == err("data: no index; call `index` first")


def test_failed_commands_change_nothing(engine):
    before = [engine.command('{"cmd":"version"}'), engine.command('{"cmd":"match","current":[],"k":1}')]
    for bad in ['{"cmd":"label","ts":1}', '{"cmd":"set_spec","spec":5}', "{", '{"cmd":"index","history":[[1]]}']:
        assert json.loads(engine.command(bad))["ok"] is False
    after = [engine.command('{"cmd":"version"}'), engine.command('{"cmd":"match","current":[],"k":1}')]
    assert before == after


def test_command_by_keyword_and_version_static():
    engine = Plenko("")
    assert engine.command(cmd_json='{"cmd":"version"}') == '{"version":"0.2.0"}'
    assert Plenko.version() == engine.version() == "0.2.0"


def test_members_of_other_commands_are_ignored_whatever_they_hold(engine):
    # history is not read by label, nor k by reset
    assert engine.command('{"cmd":"label","ts":1,"label":"a","history":5,"k":"x"}') == OK
    assert engine.command('{"cmd":"reset","history":{"deep":[[[]]]}}') == OK
