#pragma once
// Python exceptions raised at the module boundary.

#include <Python.h>

#include <string_view>

namespace plenko::host {

// Creates `tarsel_plenko.PanicException` on first use; later calls reuse it.
// The type lives for the rest of the process. Returns false with a Python
// exception set if it cannot be created.
bool ensure_panic_type();

// Writes a panic report to the process's standard error and raises the panic
// exception with `message` as its single argument.
void raise_panic(std::string_view message);

// Memory exhaustion has no recovery path: report it and end the process.
[[noreturn]] void abort_out_of_memory() noexcept;

// Raises `type` with `message` as its single (str) argument.
void raise_text(PyObject* type, std::string_view message);

// Adds `note` to the pending exception through its `add_note` method. The
// pending exception stays the one that is raised: a missing `add_note` or a
// failing call leaves it without the note.
void add_note_to_pending(const char* note);

}  // namespace plenko::host
