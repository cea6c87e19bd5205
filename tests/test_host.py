"""The Python-visible surface of the native module and its call boundary."""

import copy
import gc
import inspect
import pickle
import sys
import threading

import pytest

import tarsel_plenko
from tarsel_plenko import _tarsel_plenko as native
from tarsel_plenko._tarsel_plenko import Plenko

VERSION_CMD = '{"cmd":"version"}'
VERSION_RESPONSE = '{"version":"0.2.0"}'
UNSENDABLE = "_tarsel_plenko::PyPlenko is unsendable, but sent to another thread"
DROPPED = "_tarsel_plenko::PyPlenko is unsendable, but is being dropped on another thread"


def on_thread(fn):
    """Runs `fn` on a fresh thread; returns (result, exception, native thread id)."""
    out = {}

    def body():
        out["tid"] = threading.get_native_id()
        try:
            out["result"] = fn()
        except BaseException as exc:  # the panic type is not an Exception
            out["exc"] = exc

    # Garbage left by earlier tests must not be collected on the worker: an
    # instance freed there would be reported as dropped on a foreign thread.
    gc.collect()
    gc.disable()
    try:
        worker = threading.Thread(target=body)
        worker.start()
        worker.join()
    finally:
        gc.enable()
    return out.get("result"), out.get("exc"), out["tid"]


def assert_panic(exc, caller_tid, creator_tid):
    assert exc is not None
    assert not isinstance(exc, Exception)
    assert type(exc).__bases__ == (BaseException,)
    assert type(exc).__name__ == "PanicException"
    text = str(exc)
    assert exc.args == (text,)
    assert text.startswith(f"assertion `left == right` failed: {UNSENDABLE}\n  left: ")
    if sys.platform.startswith("linux"):
        # Identifiers are kernel thread ids, the same as threading.get_native_id().
        assert text == (f"assertion `left == right` failed: {UNSENDABLE}\n"
                        f"  left: {caller_tid}\n right: {creator_tid}")
    return text


# --- module and class surface -------------------------------------------------


def test_module_attributes_and_all_order():
    assert native.__all__ == ["__version__", "Plenko"]
    assert native.__version__ == "0.2.0"
    assert type(native.__version__) is str
    assert native.__doc__ == "The native module (`tarsel_plenko._tarsel_plenko`)."
    assert not hasattr(native, "version")
    functions = [name for name in dir(native) if inspect.isbuiltin(getattr(native, name))]
    assert functions == []
    assert tarsel_plenko.Plenko is Plenko
    assert tarsel_plenko.__version__ == native.__version__


def test_class_is_unbound_to_a_module():
    assert Plenko.__module__ == "builtins"
    assert Plenko.__qualname__ == "Plenko"
    assert Plenko.__name__ == "Plenko"


@pytest.mark.parametrize(
    "obj, doc, signature",
    [
        (
            Plenko,
            "A plenko instance driven by JSON commands.\n\n"
            "`unsendable`: the plenko holds a stateful fingerprint index and streaming\n"
            "evaluators, so a handle is bound to the thread that created it.",
            "(spec_json)",
        ),
        (Plenko.command, "Apply a command JSON and return the resulting response JSON.", "($self, cmd_json)"),
        (Plenko.version, "The library version.", "()"),
    ],
    ids=["class", "command", "version"],
)
def test_docstrings_and_text_signatures(obj, doc, signature):
    # CPython splits "name(sig)\n--\n\n" off the docstring into __text_signature__.
    assert obj.__doc__ == doc
    assert obj.__text_signature__ == signature


def test_inspect_signatures():
    assert list(inspect.signature(Plenko).parameters) == ["spec_json"]
    assert list(inspect.signature(Plenko.command).parameters) == ["self", "cmd_json"]
    assert list(inspect.signature(Plenko.version).parameters) == []


def test_version_is_static_on_class_and_instance():
    assert isinstance(Plenko.__dict__["version"], staticmethod)
    instance = Plenko("{}")
    assert Plenko.version() == "0.2.0"
    assert instance.version() == "0.2.0"
    assert instance.version() == native.__version__
    with pytest.raises(TypeError):
        Plenko.version(instance)


def test_instances_release_their_class_reference(monkeypatch):
    # Every instance of a heap type holds a reference to the type; a missing
    # or doubled release shows up as drift of the class's count.
    monkeypatch.setattr(sys, "unraisablehook", lambda u: None)
    before = sys.getrefcount(Plenko)
    for _ in range(50):
        Plenko("{}").command(VERSION_CMD)
        with pytest.raises(TypeError):
            Plenko(b"{}")
        with pytest.raises(ValueError):
            Plenko("[1]")
    on_thread(lambda: [Plenko("{}") for _ in range(5)])  # dropped on their own thread
    holder = [Plenko("{}") for _ in range(5)]
    on_thread(holder.clear)  # dropped on a foreign thread
    assert sys.getrefcount(Plenko) == before


# --- constructor --------------------------------------------------------------


@pytest.mark.parametrize("text", ["", "   ", "{}", " \t{}\r\n", "\u3000{}\u2028", "\u00a0\u205f", "\u0085"])
def test_blank_or_empty_object_spec_starts_empty_engine(text):
    instance = Plenko(text)
    assert instance.command(VERSION_CMD) == VERSION_RESPONSE


def test_constructor_by_keyword():
    assert Plenko(spec_json="{}").command(VERSION_CMD) == VERSION_RESPONSE


@pytest.mark.parametrize(
    "text, prefix",
    [
        ("[1]", "parse: "),
        ("{ }", "parse: missing field `features`"),
    ],
)
def test_bad_spec_raises_value_error_with_engine_text(text, prefix):
    with pytest.raises(ValueError) as info:
        Plenko(text)
    assert type(info.value) is ValueError
    assert len(info.value.args) == 1
    assert info.value.args[0].startswith(prefix)


def test_str_subclasses_are_accepted():
    class Text(str):
        def __str__(self):
            return "not json"

    instance = Plenko(Text("{}"))
    assert instance.command(Text(VERSION_CMD)) == VERSION_RESPONSE


# --- argument errors shared by the constructor and `command` ------------------

# (positional, keyword, exception type, message template, noted)
# "{f}" is the callable as named in messages, "{p}" its parameter.
ARGUMENT_ERRORS = [
    ((), {}, TypeError, "{f} missing 1 required positional argument: '{p}'", False),
    (("{}", "{}"), {}, TypeError, "{f} takes 1 positional arguments but 2 were given", False),
    (("{}", "{}", "{}"), {}, TypeError, "{f} takes 1 positional arguments but 3 were given", False),
    ((b"{}", b"{}"), {}, TypeError, "{f} takes 1 positional arguments but 2 were given", False),
    ((), {"x": "{}"}, TypeError, "{f} got an unexpected keyword argument 'x'", False),
    (("{}",), {"x": "{}"}, TypeError, "{f} got an unexpected keyword argument 'x'", False),
    ((b"{}",), {"x": 1}, TypeError, "{f} got an unexpected keyword argument 'x'", False),
    (("{}",), {"{p}": "{}"}, TypeError, "{f} got multiple values for argument '{p}'", False),
    ((b"{}",), {}, TypeError, "'bytes' object is not an instance of 'str'", True),
    ((), {"{p}": b"{}"}, TypeError, "'bytes' object is not an instance of 'str'", True),
    ((None,), {}, TypeError, "'None' is not an instance of 'str'", True),
    ((5,), {}, TypeError, "'int' object is not an instance of 'str'", True),
    ((bytearray(b"{}"),), {}, TypeError, "'bytearray' object is not an instance of 'str'", True),
    (("\ud800",), {}, UnicodeEncodeError, None, True),
    (("{\udc80}",), {}, UnicodeEncodeError, None, True),
]


@pytest.fixture
def instance():
    return Plenko("{}")


CALLABLES = {
    "constructor": ("Plenko.__new__()", "spec_json", lambda inst: Plenko),
    "command": ("Plenko.command()", "cmd_json", lambda inst: inst.command),
}


@pytest.mark.parametrize("target", list(CALLABLES))
@pytest.mark.parametrize("args, kwargs, exc_type, template, noted", ARGUMENT_ERRORS)
def test_argument_errors(instance, target, args, kwargs, exc_type, template, noted):
    name, param, pick = CALLABLES[target]
    call = pick(instance)
    kwargs = {key.replace("{p}", param): value for key, value in kwargs.items()}
    with pytest.raises(exc_type) as info:
        call(*args, **kwargs)
    assert type(info.value) is exc_type
    if template is not None:
        assert str(info.value) == template.format(f=name, p=param)
    else:
        assert info.value.encoding == "utf-8"
        assert info.value.reason == "surrogates not allowed"
    expected_notes = [f"while processing '{param}'"] if noted else None
    assert getattr(info.value, "__notes__", None) == expected_notes
    # A failed call leaves the instance free for the next command.
    assert instance.command(VERSION_CMD) == VERSION_RESPONSE


def test_command_by_keyword(instance):
    result = instance.command(cmd_json=VERSION_CMD)
    assert type(result) is str
    assert result == VERSION_RESPONSE


# --- thread affinity ----------------------------------------------------------


def test_command_from_other_thread_panics_and_instance_survives(instance, capfd):
    result, exc, tid = on_thread(lambda: instance.command(VERSION_CMD))
    assert result is None
    text = assert_panic(exc, caller_tid=tid, creator_tid=threading.get_native_id())
    assert text in capfd.readouterr().err
    assert instance.command(VERSION_CMD) == VERSION_RESPONSE


def test_creator_is_the_thread_that_constructed(capfd, monkeypatch):
    made = {}

    def build_and_use():
        made["instance"] = Plenko("{}")
        return made["instance"].command(VERSION_CMD)

    result, exc, creator = on_thread(build_and_use)
    assert exc is None and result == VERSION_RESPONSE
    with pytest.raises(BaseException) as info:
        made["instance"].command(VERSION_CMD)
    assert_panic(info.value, caller_tid=threading.get_native_id(), creator_tid=creator)
    capfd.readouterr()
    # For this instance the main thread is the foreign one.
    reports = []
    monkeypatch.setattr(sys, "unraisablehook", lambda u: reports.append(str(u.exc_value)))
    del info
    made.clear()
    assert reports == [DROPPED]


@pytest.mark.parametrize(
    "args, kwargs, panics",
    [
        ((), {}, False),
        (("{}", "{}"), {}, False),
        ((), {"x": "{}"}, False),
        ((b"{}",), {}, True),
        (("\ud800",), {}, True),
        ((None,), {}, True),
    ],
    ids=["missing", "too-many", "unknown-keyword", "bytes", "surrogate", "none"],
)
def test_argument_count_is_checked_before_thread_and_conversion_after(instance, capfd, args, kwargs, panics):
    _, exc, tid = on_thread(lambda: instance.command(*args, **kwargs))
    if panics:
        assert_panic(exc, caller_tid=tid, creator_tid=threading.get_native_id())
    else:
        assert type(exc) is TypeError
    capfd.readouterr()
    assert instance.command(VERSION_CMD) == VERSION_RESPONSE


def test_drop_on_other_thread_is_reported_not_raised(monkeypatch):
    gc.collect()  # instances that earlier tests left to the collector are not this test's
    reports = []
    monkeypatch.setattr(sys, "unraisablehook", lambda u: reports.append((u.exc_type, str(u.exc_value))))
    holder = [Plenko("{}")]
    _, exc, _ = on_thread(holder.clear)
    assert exc is None
    assert reports == [(RuntimeError, DROPPED)]
    # Still fine afterwards, and a drop on the creating thread reports nothing.
    own = Plenko("{}")
    assert own.command(VERSION_CMD) == VERSION_RESPONSE
    del own
    assert reports == [(RuntimeError, DROPPED)]


def test_drop_while_an_exception_is_set_keeps_that_exception(monkeypatch):
    reports = []
    monkeypatch.setattr(sys, "unraisablehook", lambda u: reports.append(str(u.exc_value)))
    holder = [Plenko("{}")]

    def index_past_end():
        # The one-item list is freed inside the failing subscript, with the
        # IndexError already set.
        return [holder.pop()][1]

    _, exc, _ = on_thread(index_past_end)
    assert type(exc) is IndexError
    assert reports == [DROPPED]


# --- state that cannot be copied ----------------------------------------------


@pytest.mark.parametrize(
    "duplicate",
    [lambda o, p=p: pickle.dumps(o, protocol=p) for p in range(pickle.HIGHEST_PROTOCOL + 1)]
    + [copy.copy, copy.deepcopy],
    ids=[f"pickle-{p}" for p in range(pickle.HIGHEST_PROTOCOL + 1)] + ["copy", "deepcopy"],
)
def test_instances_cannot_be_pickled_or_copied(instance, duplicate):
    with pytest.raises(TypeError, match=r"^cannot pickle 'Plenko' object$"):
        duplicate(instance)
    assert instance.command(VERSION_CMD) == VERSION_RESPONSE
