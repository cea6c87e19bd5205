#pragma once
// The streaming `Indicator(name, params)` type of the indicator module.

#include <Python.h>

namespace plenko::ind_host {

// Creates the heap type; null with an exception set on failure.
PyObject* make_indicator_type(PyObject* module);


}  // namespace plenko::ind_host
