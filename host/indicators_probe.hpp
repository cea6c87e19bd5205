#pragma once
// Test-only entry points of the indicator module (underscored names): they
// expose the building blocks, the parameter readers, candle validation and
// the input adapters to the test suite without going through a family.

#include <Python.h>

namespace plenko::ind_host {

PyMethodDef* probe_methods();

}  // namespace plenko::ind_host
