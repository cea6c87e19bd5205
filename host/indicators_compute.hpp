#pragma once
// The batch path: a whole history through one evaluator, reading and writing
// contiguous buffers, with no Python work per bar.

#include <Python.h>

namespace plenko::ind_host {

PyObject* compute_into(PyObject* module, PyObject* args);

}  // namespace plenko::ind_host
