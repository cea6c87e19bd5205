#pragma once
// Argument handling for the module's one-parameter callables.

#include <Python.h>

#include <string_view>

namespace plenko::host {

// Reads the single parameter `param` (positional or keyword) of the callable
// `callable`, written as it appears in messages ("Plenko.command()").
// Returns a borrowed reference, or nullptr with a TypeError set.
PyObject* single_argument(PyObject* args, PyObject* kwargs, const char* callable, const char* param);

// The UTF-8 text of a `str` argument, kept alive by `bytes`.
struct Utf8Arg {
    PyObject* bytes = nullptr;  // owned
    std::string_view text;

    Utf8Arg() = default;
    Utf8Arg(const Utf8Arg&) = delete;
    Utf8Arg& operator=(const Utf8Arg&) = delete;
    ~Utf8Arg() { Py_DecRef(bytes); }
};

// Converts the `str` (or subclass) value of parameter `param` to UTF-8.
// On failure returns false with a TypeError (not a str) or the interpreter's
// UnicodeEncodeError (lone surrogates) set, noted "while processing '<param>'".
bool utf8_argument(PyObject* value, const char* param, Utf8Arg& out);

}  // namespace plenko::host
