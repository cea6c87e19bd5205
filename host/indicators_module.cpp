// The `tarsel_plenko._indicators` module: the indicator library without the
// matching engine. Discovery (`names`, `describe`), the streaming
// `Indicator` type, the batch `_compute` and a few test-only probes.

#include <Python.h>

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "factory/factory.hpp"
#include "host/indicators_compute.hpp"
#include "host/indicators_object.hpp"
#include "host/indicators_probe.hpp"
#include "host/indicators_util.hpp"

namespace plenko::ind_host {

namespace {

PyObject* names(PyObject*, PyObject*) {
    return guarded([]() -> PyObject* {
        std::vector<std::string_view> all;
        for (const IndicatorRow& row : registered_rows()) all.push_back(row.name);
        for (const Alias& a : registered_aliases()) all.push_back(a.name);
        std::sort(all.begin(), all.end());
        PyObject* list = PyList_New(static_cast<Py_ssize_t>(all.size()));
        if (list == nullptr) return nullptr;
        for (std::size_t i = 0; i < all.size(); ++i) {
            PyObject* s = str_from(all[i]);
            if (s == nullptr) {
                Py_DECREF(list);
                return nullptr;
            }
            PyList_SetItem(list, static_cast<Py_ssize_t>(i), s);
        }
        return list;
    });
}

bool set_item(PyObject* dict, const char* key, PyObject* value) {
    if (value == nullptr) return false;
    const int rc = PyDict_SetItemString(dict, key, value);
    Py_DECREF(value);
    return rc == 0;
}

template <class Seq, class Conv>
PyObject* list_of(const Seq& seq, Conv conv) {
    PyObject* list = PyList_New(static_cast<Py_ssize_t>(seq.size()));
    if (list == nullptr) return nullptr;
    Py_ssize_t i = 0;
    for (const auto& x : seq) {
        PyObject* item = conv(x);
        if (item == nullptr) {
            Py_DECREF(list);
            return nullptr;
        }
        PyList_SetItem(list, i++, item);
    }
    return list;
}

PyObject* describe(PyObject*, PyObject* arg) {
    return guarded([&]() -> PyObject* {
        std::string name;
        if (!utf8_of(arg, "name", name)) return nullptr;
        const IndicatorRow* row = find_row(name);
        if (row == nullptr) {
            raise_value_error(FactoryError::unknown_indicator(name).text());
            return nullptr;
        }
        PyObject* d = PyDict_New();
        if (d == nullptr) return nullptr;
        const bool ok =
            set_item(d, "name", str_from(row->name)) && set_item(d, "family", str_from(row->family)) &&
            set_item(d, "input", str_from(input_kind_name(row->input))) &&
            set_item(d, "params", list_of(row->params, [](ParamKind k) { return str_from(param_kind_name(k)); })) &&
            set_item(d, "fields", list_of(row->fields, [](std::string_view f) { return str_from(f); })) &&
            set_item(d, "typical_params", list_of(row->typical, [](double v) { return PyFloat_FromDouble(v); })) &&
            set_item(d, "definition", str_from(row->definition));
        if (!ok) {
            Py_DECREF(d);
            return nullptr;
        }
        return d;
    });
}

PyObject* compute(PyObject* module, PyObject* args) { return compute_into(module, args); }

PyMethodDef module_methods[] = {
    {"names", names, METH_NOARGS, "names()\n--\n\nEvery indicator name the factory accepts, aliases included, sorted."},
    {"describe", describe, METH_O,
     "describe(name)\n--\n\nFamily, input kind, parameter readers, field names, typical parameters and "
     "definition of one indicator."},
    {"_compute", compute, METH_VARARGS,
     "_compute(name, params, time, open, high, low, close, volume, out_value, out_has_value, out_fields)\n--\n\n"
     "Runs a whole history through one evaluator into preallocated arrays."},
    {nullptr, nullptr, 0, nullptr},
};

int module_exec(PyObject* module) {
    PyObject* type = make_indicator_type(module);
    if (type == nullptr) return -1;
    if (PyModule_AddObject(module, "Indicator", type) < 0) {
        Py_DECREF(type);
        return -1;
    }
    return PyModule_AddFunctions(module, probe_methods());
}

PyModuleDef_Slot module_slots[] = {
    {Py_mod_exec, reinterpret_cast<void*>(module_exec)},
    {0, nullptr},
};

PyModuleDef module_def = {
    PyModuleDef_HEAD_INIT,
    "_indicators",
    "The indicator library: streaming indicators built by name from positional parameters.",
    0,
    module_methods,
    module_slots,
    nullptr,
    nullptr,
    nullptr,
};

}  // namespace

}  // namespace plenko::ind_host

PyMODINIT_FUNC PyInit__indicators(void) { return PyModuleDef_Init(&plenko::ind_host::module_def); }
