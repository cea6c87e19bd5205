#include "host/plenko_args.hpp"

#include "host/plenko_errors.hpp"

#include <cstdio>

namespace plenko::host {
namespace {

bool is_str(PyObject* value) {
    return (PyType_GetFlags(Py_TYPE(value)) & Py_TPFLAGS_UNICODE_SUBCLASS) != 0;
}

void raise_not_str(PyObject* value) {
    if (value == Py_None) {
        PyErr_SetString(PyExc_TypeError, "'None' is not an instance of 'str'");
        return;
    }
    PyObject* name = PyType_GetName(Py_TYPE(value));
    if (name == nullptr) return;
    PyErr_Format(PyExc_TypeError, "'%U' object is not an instance of 'str'", name);
    Py_DecRef(name);
}

void note_param(const char* param) {
    char note[96];
    std::snprintf(note, sizeof note, "while processing '%s'", param);
    add_note_to_pending(note);
}

}  // namespace

PyObject* single_argument(PyObject* args, PyObject* kwargs, const char* callable, const char* param) {
    const Py_ssize_t given = PyTuple_Size(args);
    if (given < 0) return nullptr;
    if (given > 1) {
        // Only counts above one get here, so the verb is always plural.
        PyErr_Format(PyExc_TypeError, "%s takes 1 positional arguments but %zd were given", callable, given);
        return nullptr;
    }
    PyObject* value = given == 1 ? PyTuple_GetItem(args, 0) : nullptr;
    if (kwargs != nullptr && PyDict_Size(kwargs) > 0) {
        Py_ssize_t pos = 0;
        PyObject* key = nullptr;
        PyObject* item = nullptr;
        while (PyDict_Next(kwargs, &pos, &key, &item)) {
            const bool is_text = PyUnicode_Check(key);
            if (!is_text || PyUnicode_CompareWithASCIIString(key, param) != 0) {
                // A str subclass is named by its text, not by its __str__.
                PyErr_Format(PyExc_TypeError,
                             is_text ? "%s got an unexpected keyword argument '%U'"
                                     : "%s got an unexpected keyword argument '%S'",
                             callable, key);
                return nullptr;
            }
            if (value != nullptr) {
                PyErr_Format(PyExc_TypeError, "%s got multiple values for argument '%s'", callable, param);
                return nullptr;
            }
            value = item;
        }
    }
    if (value == nullptr) {
        PyErr_Format(PyExc_TypeError, "%s missing 1 required positional argument: '%s'", callable, param);
    }
    return value;
}

bool utf8_argument(PyObject* value, const char* param, Utf8Arg& out) {
    if (!is_str(value)) {
        raise_not_str(value);
        note_param(param);
        return false;
    }
    PyObject* bytes = PyUnicode_AsUTF8String(value);
    if (bytes == nullptr) {
        note_param(param);
        return false;
    }
    const char* data = PyBytes_AsString(bytes);
    const Py_ssize_t size = PyBytes_Size(bytes);
    if (data == nullptr || size < 0) {
        Py_DecRef(bytes);
        return false;
    }
    out.bytes = bytes;
    out.text = std::string_view(data, static_cast<std::size_t>(size));
    return true;
}

}  // namespace plenko::host
