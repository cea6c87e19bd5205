#pragma once
// Small helpers shared by the indicator module's source files.

#include <Python.h>

#include <new>
#include <string>
#include <string_view>
#include <vector>

namespace plenko::ind_host {

inline PyObject* str_from(std::string_view s) {
    return PyUnicode_FromStringAndSize(s.data(), static_cast<Py_ssize_t>(s.size()));
}

inline void raise_value_error(std::string_view text) {
    PyObject* msg = str_from(text);
    if (msg != nullptr) {
        PyErr_SetObject(PyExc_ValueError, msg);
        Py_DECREF(msg);
    }
}

// A str argument as UTF-8 bytes; false with TypeError set otherwise.
inline bool utf8_of(PyObject* obj, const char* what, std::string& out) {
    if (!PyUnicode_Check(obj)) {
        PyErr_Format(PyExc_TypeError, "%s must be str", what);
        return false;
    }
    Py_ssize_t len = 0;
    const char* data = PyUnicode_AsUTF8AndSize(obj, &len);
    if (data == nullptr) return false;
    out.assign(data, static_cast<std::size_t>(len));
    return true;
}

// A sequence of real numbers as doubles; false with an exception set otherwise.
inline bool doubles_of(PyObject* obj, const char* what, std::vector<double>& out) {
    if (PyUnicode_Check(obj) || PyBytes_Check(obj) || !PySequence_Check(obj)) {
        PyErr_Format(PyExc_TypeError, "%s must be a sequence of numbers", what);
        return false;
    }
    const Py_ssize_t n = PySequence_Size(obj);
    if (n < 0) return false;
    out.clear();
    out.reserve(static_cast<std::size_t>(n));
    for (Py_ssize_t i = 0; i < n; ++i) {
        PyObject* item = PySequence_GetItem(obj, i);
        if (item == nullptr) return false;
        const double v = PyFloat_AsDouble(item);
        Py_DECREF(item);
        if (v == -1.0 && PyErr_Occurred()) {
            PyErr_Clear();
            PyErr_Format(PyExc_TypeError, "%s must be a sequence of numbers", what);
            return false;
        }
        out.push_back(v);
    }
    return true;
}

inline PyObject* optional_float(bool has, double v) {
    if (!has) Py_RETURN_NONE;
    return PyFloat_FromDouble(v);
}

// Runs `body`, turning any C++ exception into a Python one so that nothing
// unwinds through the interpreter.
template <class F>
PyObject* guarded(F&& body) {
    try {
        return body();
    } catch (const std::bad_alloc&) {
        return PyErr_NoMemory();
    } catch (const std::exception& e) {
        PyErr_SetString(PyExc_RuntimeError, e.what());
        return nullptr;
    } catch (...) {
        PyErr_SetString(PyExc_RuntimeError, "internal error in the indicator module");
        return nullptr;
    }
}

}  // namespace plenko::ind_host
