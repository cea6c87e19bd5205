#include <new>

#include "host/plenko_args.hpp"
#include "host/plenko_errors.hpp"
#include "host/plenko_object.hpp"
#include "host/plenko_thread.hpp"

namespace plenko::host {
namespace {

constexpr const char* kClassDoc =
    "Plenko(spec_json)\n--\n\n"
    "A plenko instance driven by JSON commands.\n\n"
    "`unsendable`: the plenko holds a stateful fingerprint index and streaming\n"
    "evaluators, so a handle is bound to the thread that created it.";
constexpr const char* kCommandDoc =
    "command($self, cmd_json)\n--\n\nApply a command JSON and return the resulting response JSON.";
constexpr const char* kVersionDoc = "version()\n--\n\nThe library version.";

// Runs create_engine without letting a C++ exception escape. Returns the
// state, or nullptr with a Python exception set.
EngineState* create_state(std::string_view spec) {
    try {
        auto created = create_engine(spec);
        if (!created) {
            raise_text(PyExc_ValueError, created.error().display());
            return nullptr;
        }
        return created->release();
    } catch (const std::bad_alloc&) {
        abort_out_of_memory();
    } catch (const std::exception& e) {
        raise_panic(e.what());
    } catch (...) {
        raise_panic("unknown C++ exception while creating the engine");
    }
    return nullptr;
}

PyObject* allocate_instance(PyTypeObject* type) {
    auto base_new = reinterpret_cast<newfunc>(PyType_GetSlot(&PyBaseObject_Type, Py_tp_new));
    PyObject* empty = PyTuple_New(0);
    if (empty == nullptr) return nullptr;
    PyObject* self = base_new(type, empty, nullptr);
    Py_DecRef(empty);
    return self;
}

PyObject* plenko_new(PyTypeObject* type, PyObject* args, PyObject* kwargs) noexcept {
    PyObject* spec_json = single_argument(args, kwargs, "Plenko.__new__()", "spec_json");
    if (spec_json == nullptr) return nullptr;
    Utf8Arg spec;
    if (!utf8_argument(spec_json, "spec_json", spec)) return nullptr;
    EngineState* state = create_state(spec.text);
    if (state == nullptr) return nullptr;
    PyObject* self = allocate_instance(type);
    if (self == nullptr) {
        EngineStateDeleter{}(state);
        return nullptr;
    }
    PyPlenko* p = as_plenko(self);
    p->state = state;
    new (&p->borrow) std::atomic<std::intptr_t>(0);
    p->owner_thread = current_thread_id();
    return self;
}

// Reported, not raised: a destructor has no caller to raise to.
void report_foreign_drop(PyTypeObject* type) {
    PyObject* saved_type = nullptr;
    PyObject* saved_value = nullptr;
    PyObject* saved_tb = nullptr;
    PyErr_Fetch(&saved_type, &saved_value, &saved_tb);
    PyErr_SetString(PyExc_RuntimeError,
                    "_tarsel_plenko::PyPlenko is unsendable, but is being dropped on another thread");
    // The class, not the dying instance: handing the instance to the hook
    // would resurrect an object whose memory is about to be freed.
    PyErr_WriteUnraisable(reinterpret_cast<PyObject*>(type));
    PyErr_Restore(saved_type, saved_value, saved_tb);
}

void plenko_dealloc(PyObject* self) noexcept {
    PyTypeObject* type = Py_TYPE(self);
    PyPlenko* p = as_plenko(self);
    if (p->state != nullptr) {
        if (current_thread_id() == p->owner_thread) {
            EngineStateDeleter{}(p->state);
        } else {
            // The state belongs to another thread; leaking it is the only
            // release that cannot race with that thread.
            report_foreign_drop(type);
        }
        p->state = nullptr;
    }
    auto free_fn = reinterpret_cast<freefunc>(PyType_GetSlot(type, Py_tp_free));
    free_fn(self);
    Py_DecRef(reinterpret_cast<PyObject*>(type));  // instances of heap types own their type
}

PyObject* plenko_version(PyObject*, PyObject*) noexcept {
    return PyUnicode_FromStringAndSize(kVersion.data(), static_cast<Py_ssize_t>(kVersion.size()));
}

// The engine state cannot be rebuilt from anything pickle could carry, and an
// instance restored without it would be an empty engine: refuse up front.
PyObject* plenko_reduce(PyObject*, PyObject*) noexcept {
    PyErr_SetString(PyExc_TypeError, "cannot pickle 'Plenko' object");
    return nullptr;
}

PyMethodDef kMethods[] = {
    {"command", reinterpret_cast<PyCFunction>(reinterpret_cast<void (*)(void)>(plenko_command)),
     METH_VARARGS | METH_KEYWORDS, kCommandDoc},
    {"version", plenko_version, METH_NOARGS | METH_STATIC, kVersionDoc},
    {"__reduce__", plenko_reduce, METH_NOARGS, nullptr},
    {nullptr, nullptr, 0, nullptr},
};

PyType_Slot kSlots[] = {
    {Py_tp_doc, const_cast<char*>(kClassDoc)},
    {Py_tp_new, reinterpret_cast<void*>(plenko_new)},
    {Py_tp_dealloc, reinterpret_cast<void*>(plenko_dealloc)},
    {Py_tp_methods, kMethods},
    {0, nullptr},
};

PyType_Spec kSpec = {
    // Not bound to the module: the class reports __module__ "builtins" and
    // __qualname__ "Plenko". An undotted name would leave __module__ unset
    // and draw a DeprecationWarning at import.
    "builtins.Plenko",
    static_cast<int>(sizeof(PyPlenko)),
    0,
    Py_TPFLAGS_DEFAULT,
    kSlots,
};

}  // namespace

PyObject* make_plenko_type() { return PyType_FromSpec(&kSpec); }

}  // namespace plenko::host
