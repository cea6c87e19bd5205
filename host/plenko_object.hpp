#pragma once
// The instance layout of `Plenko` and the pieces of the type shared between
// its source files.

#include <Python.h>

#include <atomic>
#include <cstdint>

#include "plenko-core/engine.hpp"

namespace plenko::host {

// Name used in thread-affinity messages.
inline constexpr const char* kInternalTypeName = "_tarsel_plenko::PyPlenko";

struct PyPlenko {
    PyObject_HEAD
    EngineState* state;                // owned; released on the creating thread only
    std::atomic<std::intptr_t> borrow;  // 0 free, -1 while a command runs
    std::uint64_t owner_thread;
};

inline PyPlenko* as_plenko(PyObject* self) { return reinterpret_cast<PyPlenko*>(self); }

// The `command` method (METH_VARARGS | METH_KEYWORDS).
PyObject* plenko_command(PyObject* self, PyObject* args, PyObject* kwargs) noexcept;

// Creates the `Plenko` class; a new reference, or nullptr with an exception set.
PyObject* make_plenko_type();

}  // namespace plenko::host
