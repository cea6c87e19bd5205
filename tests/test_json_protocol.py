"""The JSON reader's messages and positions, and the compact writer, seen through commands."""

import json

import pytest

from tarsel_plenko import Plenko


@pytest.fixture
def engine():
    return Plenko("")


def error_of(engine, text):
    response = engine.command(text)
    body = json.loads(response)
    assert body["ok"] is False, response
    assert list(body) == ["error", "ok"]
    return body["error"]


# (command text, full error text)
SYNTAX_CASES = [
    ("", "parse: EOF while parsing a value at line 1 column 0"),
    (" ", "parse: EOF while parsing a value at line 1 column 1"),
    ("[1,]", "parse: trailing comma at line 1 column 4"),
    ('{"a":1,}', "parse: trailing comma at line 1 column 8"),
    ('{"a" 1}', "parse: expected `:` at line 1 column 6"),
    ("nul", "parse: EOF while parsing a value at line 1 column 3"),
    ("nulx", "parse: expected ident at line 1 column 4"),
    ("tru", "parse: EOF while parsing a value at line 1 column 3"),
    ("[01]", "parse: invalid number at line 1 column 3"),
    ("-", "parse: EOF while parsing a value at line 1 column 1"),
    ("-x", "parse: invalid number at line 1 column 2"),
    ("1.", "parse: EOF while parsing a value at line 1 column 2"),
    ("1.x", "parse: invalid number at line 1 column 3"),
    ("1e", "parse: EOF while parsing a value at line 1 column 2"),
    ("1e+x", "parse: invalid number at line 1 column 4"),
    ("1e999", "parse: number out of range at line 1 column 5"),
    ("-1e999", "parse: number out of range at line 1 column 6"),
    ("1" * 400, "parse: number out of range at line 1 column 400"),
    ("1e99999999999", "parse: number out of range at line 1 column 12"),
    ("\n\n  {\"a\":}", "parse: expected value at line 3 column 8"),
    ('"\\ud800"', "parse: unexpected end of hex escape at line 1 column 8"),
    ('"\\ud800\\n"', "parse: unexpected end of hex escape at line 1 column 9"),
    ('"\\ud800\\ud800"', "parse: lone leading surrogate in hex escape at line 1 column 13"),
    ('"\\udc00"', "parse: lone leading surrogate in hex escape at line 1 column 7"),
    ('"\\u12"', "parse: EOF while parsing a string at line 1 column 6"),
    ('"\\u12g4"', "parse: invalid escape at line 1 column 7"),
    ('"\\x"', "parse: invalid escape at line 1 column 3"),
    ('"abc', "parse: EOF while parsing a string at line 1 column 4"),
    ('"a\tb"', "parse: control character (\\u0000-\\u001F) found while parsing a string at line 1 column 3"),
    ("[1 2]", "parse: expected `,` or `]` at line 1 column 4"),
    ('{"a":1 "b":2}', "parse: expected `,` or `}` at line 1 column 8"),
    ("{1:2}", "parse: key must be a string at line 1 column 2"),
    ("[", "parse: EOF while parsing a list at line 1 column 1"),
    ("{", "parse: EOF while parsing an object at line 1 column 1"),
    ('{"a"', "parse: EOF while parsing an object at line 1 column 4"),
    ("[1", "parse: EOF while parsing a list at line 1 column 2"),
    ("[1,", "parse: EOF while parsing a value at line 1 column 3"),
    ("{} x", "parse: trailing characters at line 1 column 4"),
    ("\u00a0{}", "parse: expected value at line 1 column 1"),
    ("[" * 128, "parse: recursion limit exceeded at line 1 column 128"),
    ("[" * 100000, "parse: recursion limit exceeded at line 1 column 128"),
    ('{"a":' * 127 + "1" + "}" * 127, 'bad spec: missing "cmd"'),
]


@pytest.mark.parametrize("text,expected", SYNTAX_CASES, ids=[repr(c[0][:20]) for c in SYNTAX_CASES])
def test_syntax_errors_name_the_position(engine, text, expected):
    assert error_of(engine, text) == expected


def test_nesting_of_127_levels_is_accepted_and_128_is_not(engine):
    ok = '{"cmd":"version","x":' + "[" * 126 + "]" * 126 + "}"
    assert engine.command(ok) == '{"version":"0.2.0"}'
    deep = '{"cmd":"version","x":' + "[" * 127 + "]" * 127 + "}"
    assert error_of(engine, deep) == "parse: recursion limit exceeded at line 1 column 148"


@pytest.mark.parametrize(
    "cmd,echo",
    [
        ('"a\\"b"', 'a\\"b'),
        ('"back\\\\slash"', "back\\\\slash"),
        ('"\\u0001\\u001f"', "\\u0001\\u001f"),
        ('"\\b\\f\\n\\r\\t"', "\\b\\f\\n\\r\\t"),
        ('"\\u007f\\u00e9\\ud83d\\ude00/"', "\u007f\u00e9\U0001f600/"),
        ('"\\/"', "/"),
    ],
)
def test_strings_are_written_with_minimal_escapes(engine, cmd, echo):
    response = engine.command('{"cmd":' + cmd + "}")
    assert response == '{"error":"bad spec: unknown cmd: ' + echo + '","ok":false}'


@pytest.mark.parametrize(
    "literal,shown",
    [
        ("1.0", "1.0"),
        ("0.5", "0.5"),
        ("12.25", "12.25"),
        ("100.0", "100.0"),
        ("1e2", "100.0"),
        ("0.00001", "0.00001"),
        ("0.000001", "1e-6"),
        ("1.5e-7", "1.5e-7"),
        ("1e15", "1000000000000000.0"),
        ("1e16", "1e16"),
        ("1.2345678901234568e17", "1.2345678901234568e17"),
        ("-2.5", "-2.5"),
        ("-0", "-0.0"),
        ("-0.0", "-0.0"),
        ("0.0", "0.0"),
        ("0.1", "0.1"),
        ("18446744073709551616", "1.8446744073709552e19"),
        ("-9223372036854775809", "-9.223372036854776e18"),
        ("1e-400", "0.0"),
        ("4.9e-324", "5e-324"),
    ],
)
def test_floats_in_messages_use_the_shortest_round_trip_layout(engine, literal, shown):
    cmd = '{"cmd":"index","history":[{"time":' + literal + ',"open":1,"high":1,"low":1,"close":1}]}'
    assert error_of(engine, cmd) == f"parse: invalid type: floating point `{shown}`, expected i64"


@pytest.mark.parametrize(
    "literal,error",
    [
        ("-9223372036854775808", None),
        ("9223372036854775807", None),
        ("9223372036854775808", "invalid value: integer `9223372036854775808`, expected i64"),
        ("18446744073709551615", "invalid value: integer `18446744073709551615`, expected i64"),
        ('"5"', 'invalid type: string "5", expected i64'),
        ("true", "invalid type: boolean `true`, expected i64"),
        ("null", "invalid type: null, expected i64"),
        ("[]", "invalid type: sequence, expected i64"),
    ],
)
def test_candle_time_range(literal, error):
    engine = Plenko('{"features":[{"kind":"price","field":"close"}]}')
    cmd = '{"cmd":"match","current":[[' + literal + ',1,1,1,1]],"k":"x"}'
    got = json.loads(engine.command(cmd))["error"]
    # A valid time gets past decoding to the `k` reader.
    assert got == (f"parse: {error}" if error else 'bad spec: missing unsigned "k"')


def test_candle_integer_of_twenty_digits_is_read_without_overflow():
    # The plain-candle reader must hand long integers to the general reader
    # instead of accumulating them past 64 bits.
    engine = Plenko("")
    for literal, shown in [("18446744073709551616", "1.8446744073709552e19"), ("99999999999999999999", "1e20")]:
        cmd = '{"cmd":"index","history":[{"time":' + literal + ',"open":1,"high":1,"low":1,"close":1}]}'
        assert error_of(engine, cmd) == f"parse: invalid type: floating point `{shown}`, expected i64"
    cmd = '{"cmd":"match","current":[[1,12345678901234567890,1,1,1]],"k":-1}'
    assert error_of(engine, cmd) == 'bad spec: missing unsigned "k"'
