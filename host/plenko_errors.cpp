#include "host/plenko_errors.hpp"

#include <cstdio>
#include <cstdlib>

namespace plenko::host {
namespace {

// One panic type per process; module objects created later share it so that
// `except` clauses written against one import keep working after a reload.
PyObject* g_panic_type = nullptr;

constexpr const char* kPanicDoc =
    "Raised when the native module detects a broken invariant, such as a\n"
    "Plenko instance used from a thread other than the one that created it.\n"
    "\n"
    "It derives from BaseException, so `except Exception` does not swallow it.";

void call_add_note(PyObject* exc, const char* note) {
    PyObject* method = PyObject_GetAttrString(exc, "add_note");
    if (method == nullptr) {
        // Interpreters without exception notes: the exception goes out bare.
        PyErr_Clear();
        return;
    }
    PyObject* args = Py_BuildValue("(s)", note);
    PyObject* result = args != nullptr ? PyObject_Call(method, args, nullptr) : nullptr;
    if (result == nullptr) PyErr_Clear();
    Py_DecRef(result);
    Py_DecRef(args);
    Py_DecRef(method);
}

}  // namespace

bool ensure_panic_type() {
    if (g_panic_type != nullptr) return true;
    g_panic_type = PyErr_NewExceptionWithDoc("tarsel_plenko.PanicException", kPanicDoc,
                                             PyExc_BaseException, nullptr);
    return g_panic_type != nullptr;
}

void abort_out_of_memory() noexcept {
    std::fputs("tarsel_plenko._tarsel_plenko: memory allocation failed, aborting\n", stderr);
    std::fflush(stderr);
    std::abort();
}

void raise_text(PyObject* type, std::string_view message) {
    PyObject* text = PyUnicode_FromStringAndSize(message.data(), static_cast<Py_ssize_t>(message.size()));
    if (text == nullptr) return;
    PyErr_SetObject(type, text);
    Py_DecRef(text);
}

void raise_panic(std::string_view message) {
    std::fprintf(stderr, "panic in tarsel_plenko._tarsel_plenko:\n%.*s\n",
                 static_cast<int>(message.size()), message.data());
    std::fflush(stderr);
    if (!ensure_panic_type()) return;
    raise_text(g_panic_type, message);
}

void add_note_to_pending(const char* note) {
    PyObject* type = nullptr;
    PyObject* value = nullptr;
    PyObject* traceback = nullptr;
    PyErr_Fetch(&type, &value, &traceback);
    if (type == nullptr) return;
    PyErr_NormalizeException(&type, &value, &traceback);
    if (value != nullptr) {
        if (traceback != nullptr) PyException_SetTraceback(value, traceback);
        call_add_note(value, note);
    }
    PyErr_Restore(type, value, traceback);
}

}  // namespace plenko::host
