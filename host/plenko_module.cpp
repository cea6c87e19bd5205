// Module `tarsel_plenko._tarsel_plenko`: multi-phase initialisation with one
// execution step and no per-module state.
#include <Python.h>

#include "host/plenko_errors.hpp"
#include "host/plenko_object.hpp"

namespace plenko::host {
namespace {

constexpr const char* kModuleDoc = "The native module (`tarsel_plenko._tarsel_plenko`).";

// The module's `__all__`, created empty on first use. New reference.
PyObject* all_list(PyObject* module) {
    PyObject* name = PyUnicode_FromString("__all__");
    if (name == nullptr) return nullptr;
    PyObject* list = PyObject_GetAttr(module, name);
    if (list == nullptr && PyErr_ExceptionMatches(PyExc_AttributeError)) {
        PyErr_Clear();
        list = PyList_New(0);
        if (list != nullptr && PyObject_SetAttr(module, name, list) < 0) {
            Py_DecRef(list);
            list = nullptr;
        }
    }
    Py_DecRef(name);
    return list;
}

// Sets `module.<name> = value` and lists `name` in `__all__`. Steals `value`.
bool add_public(PyObject* module, const char* name, PyObject* value) {
    if (value == nullptr) return false;
    PyObject* key = PyUnicode_FromString(name);
    PyObject* all = key != nullptr ? all_list(module) : nullptr;
    const bool ok = all != nullptr && PyList_Append(all, key) == 0 && PyObject_SetAttr(module, key, value) == 0;
    Py_DecRef(all);
    Py_DecRef(key);
    Py_DecRef(value);
    return ok;
}

int exec_module(PyObject* module) noexcept {
    if (!ensure_panic_type()) return -1;
    PyObject* version = PyUnicode_FromStringAndSize(kVersion.data(), static_cast<Py_ssize_t>(kVersion.size()));
    if (!add_public(module, "__version__", version)) return -1;
    if (!add_public(module, "Plenko", make_plenko_type())) return -1;
    return 0;
}

PyModuleDef_Slot kSlots[] = {
    {Py_mod_exec, reinterpret_cast<void*>(exec_module)},
    {0, nullptr},
};

PyModuleDef kModule = {
    PyModuleDef_HEAD_INIT,
    "_tarsel_plenko",
    kModuleDoc,
    0,        // no per-module state
    nullptr,  // no module-level functions
    kSlots,
    nullptr,
    nullptr,
    nullptr,
};

}  // namespace
}  // namespace plenko::host

PyMODINIT_FUNC PyInit__tarsel_plenko() { return PyModuleDef_Init(&plenko::host::kModule); }
