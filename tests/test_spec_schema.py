"""Specification and candle decoding on both routes: the constructor's text and set_spec's value."""

import json

import pytest

from tarsel_plenko import Plenko

CLOSE = '{"kind":"price","field":"close"}'


def constructor_error(text):
    with pytest.raises(ValueError) as info:
        Plenko(text)
    assert len(info.value.args) == 1
    return info.value.args[0]


def set_spec_error(spec_text):
    engine = Plenko("")
    body = json.loads(engine.command('{"cmd":"set_spec","spec":' + spec_text + "}"))
    if body.get("ok") is True:
        return None
    return body["error"]


# spec text, error on the constructor route (None: accepted), error through set_spec
BOTH_ROUTES = [
    ('{"features":[' + CLOSE + "]}", None, None),
    ('{"features":[' + CLOSE + '],"metric":{"dtw":null}}', None, None),
    ('[[' + CLOSE + '],3,"z_score","euclid"]', None, None),
    ('[[' + CLOSE + "]]", None, None),
    ('{"features":[' + CLOSE + '],"extra":{"a":[1,2,{"b":null}]}}', None, None),
    ('{"features":[["indicator","Sma",[14],null]]}', None, None),
    ('{"features":[["price","close"]]}', None, None),
    ('{"features":[{"kind":"indicator","name":"Sma","params":[14],"field":null}]}', None, None),
    ("{ }", "parse: missing field `features` at line 1 column 3", "parse: missing field `features`"),
    (
        '{"features":[{"kind":"indicator","params":[14]}]}',
        "parse: missing field `name` at line 1 column 48",
        "parse: missing field `name`",
    ),
    (
        '{"features":[{"kind":"indicator","params":[14]},' + CLOSE + "]}",
        "parse: missing field `name` at line 1 column 48",
        "parse: missing field `name`",
    ),
    (
        '  {"features":5}',
        "parse: invalid type: integer `5`, expected a sequence at line 1 column 15",
        "parse: invalid type: integer `5`, expected a sequence",
    ),
    ("[1]", "parse: invalid type: integer `1`, expected a sequence at line 1 column 2", "parse: invalid type: integer `1`, expected a sequence"),
    ("5", "parse: invalid type: integer `5`, expected struct FingerprintSpec at line 1 column 1", "parse: invalid type: integer `5`, expected struct FingerprintSpec"),
    ("[]", "parse: invalid length 0, expected struct FingerprintSpec with 4 elements at line 1 column 2", "parse: invalid length 0, expected struct FingerprintSpec with 4 elements"),
    (
        '[[' + CLOSE + '],1,"none","dtw",5]',
        "parse: trailing characters at line 1 column 52",
        "parse: invalid length 5, expected fewer elements in array",
    ),
    (
        '[[' + CLOSE + '],1,"none","dtw",]',
        "parse: trailing comma at line 1 column 52",
        None,  # the value route never sees it: the command text itself is not JSON
    ),
    (
        '{"features":[{"kind":"Indicator","name":"x"}]}',
        "parse: unknown variant `Indicator`, expected one of `indicator`, `price`, `microstructure` at line 1 column 32",
        "parse: unknown variant `Indicator`, expected one of `indicator`, `price`, `microstructure`",
    ),
    (
        '{"features":[{"kind":5}]}',
        "parse: invalid type: integer `5`, expected variant identifier at line 1 column 22",
        "parse: invalid type: integer `5`, expected variant identifier",
    ),
    (
        '{"features":[{"name":"x"}]}',
        "parse: missing field `kind` at line 1 column 25",
        "parse: missing field `kind`",
    ),
    (
        '{"features":[{"kind":"price","kind":"price"}]}',
        "parse: duplicate field `kind` at line 1 column 35",
        "parse: duplicate field `kind`",
    ),
    (
        '{"features":[5]}',
        "parse: invalid type: integer `5`, expected internally tagged enum Feature at line 1 column 14",
        "parse: invalid type: integer `5`, expected internally tagged enum Feature",
    ),
    (
        '{"features":[[]]}',
        "parse: missing field `kind` at line 1 column 15",
        "parse: missing field `kind`",
    ),
    (
        '{"features":[["indicator"]]}',
        "parse: invalid length 0, expected struct variant Feature::Indicator with 3 elements at line 1 column 27",
        "parse: invalid length 0, expected struct variant Feature::Indicator with 3 elements",
    ),
    (
        '{"features":[["price"]]}',
        "parse: invalid length 0, expected struct variant Feature::Price with 1 element at line 1 column 23",
        "parse: invalid length 0, expected struct variant Feature::Price with 1 element",
    ),
    (
        '{"features":[["microstructure"]]}',
        "parse: invalid length 0, expected struct variant Feature::Microstructure with 3 elements at line 1 column 32",
        "parse: invalid length 0, expected struct variant Feature::Microstructure with 3 elements",
    ),
    (
        '{"features":[["price","close","x"]]}',
        "parse: invalid length 3, expected fewer elements in array at line 1 column 35",
        "parse: invalid length 3, expected fewer elements in array",
    ),
    (
        '{"features":[{"kind":"indicator","name":"a","name":"b"}]}',
        "parse: duplicate field `name` at line 1 column 56",
        "parse: duplicate field `name`",
    ),
    (
        '{"features":[{"kind":"indicator","name":5}]}',
        "parse: invalid type: integer `5`, expected a string at line 1 column 43",
        "parse: invalid type: integer `5`, expected a string",
    ),
    (
        '{"features":[{"kind":"indicator","name":"Sma","params":[1,"2"]}]}',
        'parse: invalid type: string "2", expected f64 at line 1 column 64',
        'parse: invalid type: string "2", expected f64',
    ),
    (
        '{"features":[{"kind":"indicator","name":"Sma","params":5}]}',
        "parse: invalid type: integer `5`, expected a sequence at line 1 column 58",
        "parse: invalid type: integer `5`, expected a sequence",
    ),
    (
        '{"features":[{"kind":"indicator","name":"Sma","field":1.5}]}',
        "parse: invalid type: floating point `1.5`, expected a string at line 1 column 59",
        "parse: invalid type: floating point `1.5`, expected a string",
    ),
    (
        '{"features":[{"kind":"price","field":"Close"}]}',
        "parse: unknown variant `Close`, expected one of `open`, `high`, `low`, `close`, `volume` at line 1 column 46",
        "parse: unknown variant `Close`, expected one of `open`, `high`, `low`, `close`, `volume`",
    ),
    (
        '{"features":[{"kind":"price","field":{}}]}',
        "parse: invalid value: map, expected map with a single key at line 1 column 41",
        "parse: invalid value: map, expected map with a single key",
    ),
    (
        '{"features":[{"kind":"price","field":{"close":1}}]}',
        "parse: invalid type: integer `1`, expected unit at line 1 column 50",
        "parse: invalid type: integer `1`, expected unit",
    ),
    (
        '{"features":[{"kind":"price","field":null}]}',
        "parse: invalid type: null, expected string or map at line 1 column 43",
        "parse: invalid type: null, expected string or map",
    ),
    (
        '{"features":[{"kind":"price"}]}',
        "parse: missing field `field` at line 1 column 30",
        "parse: missing field `field`",
    ),
    (
        '{"features":[' + CLOSE + '],"normalize":"zscore"}',
        "parse: unknown variant `zscore`, expected one of `none`, `z_score`, `min_max` at line 1 column 67",
        "parse: unknown variant `zscore`, expected one of `none`, `z_score`, `min_max`",
    ),
    (
        '{"features":[' + CLOSE + '],"metric":{}}',
        "parse: expected value at line 1 column 58",
        "parse: invalid value: map, expected map with a single key",
    ),
    (
        '{"features":[' + CLOSE + '],"metric":{"dtw":null,"cosine":null}}',
        "parse: expected value at line 1 column 67",
        "parse: invalid value: map, expected map with a single key",
    ),
    (
        '{"features":[' + CLOSE + '],"metric":{"dtw":1}}',
        "parse: invalid type: integer `1`, expected unit at line 1 column 64",
        "parse: invalid type: integer `1`, expected unit",
    ),
    (
        '{"features":[' + CLOSE + '],"metric":5}',
        "parse: expected value at line 1 column 57",
        "parse: invalid type: integer `5`, expected string or map",
    ),
    (
        '{"features":[' + CLOSE + '],"window":-1}',
        "parse: invalid value: integer `-1`, expected usize at line 1 column 58",
        "parse: invalid value: integer `-1`, expected usize",
    ),
    (
        '{"features":[' + CLOSE + '],"window":2.0}',
        "parse: invalid type: floating point `2.0`, expected usize at line 1 column 59",
        "parse: invalid type: floating point `2.0`, expected usize",
    ),
    (
        '{"features":[' + CLOSE + '],"window":"2"}',
        'parse: invalid type: string "2", expected usize at line 1 column 59',
        'parse: invalid type: string "2", expected usize',
    ),
    (
        '{"features":[' + CLOSE + '],"window":1,"window":2}',
        "parse: duplicate field `window` at line 1 column 66",
        "parse: duplicate field `window`",
    ),
    ('{"features":[],"window":5}', "bad spec: features is empty", "bad spec: features is empty"),
    ('{"features":[' + CLOSE + '],"window":0}', "bad spec: window must be >= 1", "bad spec: window must be >= 1"),
    (
        '{"features":[' + CLOSE + "," + CLOSE + '],"window":2049}',
        "bad spec: dimension 4098 exceeds MAX_DIM 4096",
        "bad spec: dimension 4098 exceeds MAX_DIM 4096",
    ),
    (
        '{"features":[' + CLOSE + "," + CLOSE + '],"window":9223372036854775808}',
        "bad spec: dimension 18446744073709551615 exceeds MAX_DIM 4096",
        "bad spec: dimension 18446744073709551615 exceeds MAX_DIM 4096",
    ),
]


@pytest.mark.parametrize("spec,text_error,value_error", BOTH_ROUTES, ids=range(len(BOTH_ROUTES)))
def test_both_routes(spec, text_error, value_error):
    if text_error is None:
        Plenko(spec)
    else:
        assert constructor_error(spec) == text_error
    if not spec.rstrip("]").endswith(","):
        assert set_spec_error(spec) == value_error


def test_dimension_4096_passes():
    Plenko('{"features":[' + CLOSE + "," + CLOSE + '],"window":2048}')


@pytest.mark.parametrize("text", ["", "   ", "\t\n", "{}", "  {}\n", "\u3000{}\u2029", "\u00a0"])
def test_blank_or_empty_object_gives_the_default_specification(text):
    engine = Plenko(text)
    assert engine.command('{"cmd":"index","history":[]}') == '{"error":"bad spec: features is empty","ok":false}'


def test_constructor_positions_count_leading_white_space_and_lines():
    assert constructor_error('\n  { "features" : 5 }') == (
        "parse: invalid type: integer `5`, expected a sequence at line 2 column 18"
    )
    assert constructor_error('{"features":[' + CLOSE + "]} x") == "parse: trailing characters at line 1 column 49"
    assert constructor_error("[" * 300) .startswith("parse: ")


# candle array element, error text (None: decodes)
CANDLES = [
    ("[1700000000,1,2,0.5,1.5]", None),
    ("[1700000000,1,2,0.5,1.5,10]", None),
    ('{"time":1,"open":1,"high":1,"low":1,"close":1,"note":"x"}', None),
    ('{"close":1,"low":1,"high":1,"open":1,"time":-5,"volume":3}', None),
    ("[1700000000,1,2,0.5]", "invalid length 4, expected struct Candle with 6 elements"),
    ("[]", "invalid length 0, expected struct Candle with 6 elements"),
    ("[1,1,1,1,1,1,1]", "invalid length 7, expected fewer elements in array"),
    ('{"time":1.0,"open":1,"high":1,"low":1,"close":1}', "invalid type: floating point `1.0`, expected i64"),
    ('{"time":1,"open":1,"open":1,"high":1,"low":1,"close":1}', "duplicate field `open`"),
    ('{"time":1,"high":1,"low":1}', "missing field `open`"),
    ('{"open":1}', "missing field `time`"),
    ('{"time":1,"open":"1.5","high":1,"low":1,"close":1}', 'invalid type: string "1.5", expected f64'),
    ('"x\\"y\\n\\u0001"', 'invalid type: string "x\\"y\\n\\u{1}", expected struct Candle'),
    ("null", "invalid type: null, expected struct Candle"),
    ("true", "invalid type: boolean `true`, expected struct Candle"),
]


@pytest.mark.parametrize("candle,error", CANDLES)
def test_candle_forms(candle, error):
    engine = Plenko('{"features":[' + CLOSE + "]}")
    response = json.loads(engine.command('{"cmd":"match","current":[' + candle + '],"k":-1}'))
    assert response["error"] == ("parse: " + error if error else 'bad spec: missing unsigned "k"')


@pytest.mark.parametrize(
    "text,shown",
    [
        ("К\u0753ch", "К\u0753ch"),  # letters whose UTF-8 bytes look like C1 controls
        ("a\u0085b\u009f", "a\\u{85}b\\u{9f}"),
        ("\u007f\u0001", "\\u{7f}\\u{1}"),
        ("\U0001f600", "\U0001f600"),
    ],
)
def test_non_ascii_strings_in_messages_stay_intact(text, shown):
    # Found by fuzzing: continuation bytes were escaped one by one, which cut
    # multi-byte characters apart and made the response invalid UTF-8.
    expected = f'parse: invalid type: string "{shown}", expected internally tagged enum Feature'
    assert set_spec_error('{"features":[' + json.dumps(text) + "]}") == expected
    assert constructor_error('{"features":[' + json.dumps(text) + "]}").startswith(expected + " at line 1")
