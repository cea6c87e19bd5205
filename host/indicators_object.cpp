// `Indicator(name, params)`: one evaluator fed one candle per `update` call.

#include "host/indicators_object.hpp"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "factory/factory.hpp"
#include "host/indicators_util.hpp"
#include "indicators/bar_context.hpp"
#include "indicators/candle.hpp"

namespace plenko::ind_host {

namespace {

struct IndicatorObject {
    PyObject_HEAD
    Evaluator* evaluator;  // owned
    std::string* name;     // owned; the name the row is registered under
    bool has_value;        // an update has yielded a value
};

IndicatorObject* as_obj(PyObject* self) { return reinterpret_cast<IndicatorObject*>(self); }

PyObject* indicator_new(PyTypeObject* type, PyObject* args, PyObject* kwargs) {
    static const char* kwlist[] = {"name", "params", nullptr};
    PyObject* name_obj = nullptr;
    PyObject* params_obj = nullptr;
    if (!PyArg_ParseTupleAndKeywords(args, kwargs, "OO:Indicator", const_cast<char**>(kwlist), &name_obj,
                                     &params_obj)) {
        return nullptr;
    }
    return guarded([&]() -> PyObject* {
        std::string name;
        if (!utf8_of(name_obj, "name", name)) return nullptr;
        std::vector<double> params;
        if (!doubles_of(params_obj, "params", params)) return nullptr;
        auto built = build_evaluator(name, params);
        if (!built) {
            raise_value_error(built.error().text());
            return nullptr;
        }
        const IndicatorRow* row = find_row(name);
        auto owned_name = std::make_unique<std::string>(row != nullptr ? std::string(row->name) : name);
        auto alloc = reinterpret_cast<allocfunc>(PyType_GetSlot(type, Py_tp_alloc));
        PyObject* self = alloc(type, 0);
        if (self == nullptr) return nullptr;
        IndicatorObject* obj = as_obj(self);
        obj->evaluator = built->release();
        obj->name = owned_name.release();
        obj->has_value = false;
        return self;
    });
}

void indicator_dealloc(PyObject* self) {
    IndicatorObject* obj = as_obj(self);
    delete obj->evaluator;
    delete obj->name;
    PyTypeObject* type = Py_TYPE(self);
    auto free_fn = reinterpret_cast<freefunc>(PyType_GetSlot(type, Py_tp_free));
    free_fn(self);
    Py_DECREF(type);
}

PyObject* indicator_update(PyObject* self, PyObject* args, PyObject* kwargs) {
    static const char* kwlist[] = {"time", "open", "high", "low", "close", "volume", nullptr};
    long long time = 0;
    Candle c;
    if (!PyArg_ParseTupleAndKeywords(args, kwargs, "Ldddd|d:update", const_cast<char**>(kwlist), &time, &c.open,
                                     &c.high, &c.low, &c.close, &c.volume)) {
        return nullptr;
    }
    c.time = static_cast<std::int64_t>(time);
    IndicatorObject* obj = as_obj(self);
    const auto v = obj->evaluator->update(BarContext{.candle = c});
    if (!v) Py_RETURN_NONE;
    obj->has_value = true;
    return PyFloat_FromDouble(*v);
}

PyObject* indicator_fields(PyObject* self, void*) {
    return guarded([&]() -> PyObject* {
        IndicatorObject* obj = as_obj(self);
        PyObject* dict = PyDict_New();
        if (dict == nullptr || !obj->has_value) return dict;
        for (const Field f : obj->evaluator->fields()) {
            PyObject* key = str_from(f.name);
            PyObject* val = key != nullptr ? PyFloat_FromDouble(f.value) : nullptr;
            const int rc = val != nullptr ? PyDict_SetItem(dict, key, val) : -1;
            Py_XDECREF(key);
            Py_XDECREF(val);
            if (rc < 0) {
                Py_DECREF(dict);
                return nullptr;
            }
        }
        return dict;
    });
}

PyObject* indicator_field_names(PyObject* self, void*) {
    const auto names = as_obj(self)->evaluator->field_names();
    PyObject* tuple = PyTuple_New(static_cast<Py_ssize_t>(names.size()));
    if (tuple == nullptr) return nullptr;
    for (std::size_t i = 0; i < names.size(); ++i) {
        PyObject* s = str_from(names[i]);
        if (s == nullptr) {
            Py_DECREF(tuple);
            return nullptr;
        }
        PyTuple_SetItem(tuple, static_cast<Py_ssize_t>(i), s);
    }
    return tuple;
}

PyObject* indicator_warmup(PyObject* self, void*) {
    return PyLong_FromSize_t(as_obj(self)->evaluator->warmup_period());
}

PyObject* indicator_name(PyObject* self, void*) { return str_from(*as_obj(self)->name); }

PyObject* indicator_repr(PyObject* self) {
    return PyUnicode_FromFormat("<Indicator %s>", as_obj(self)->name->c_str());
}

PyMethodDef indicator_methods[] = {
    {"update", reinterpret_cast<PyCFunction>(reinterpret_cast<void (*)()>(indicator_update)),
     METH_VARARGS | METH_KEYWORDS,
     "update(time, open, high, low, close, volume=0.0)\n--\n\n"
     "Feeds one candle; returns the value for this bar or None."},
    {nullptr, nullptr, 0, nullptr},
};

PyGetSetDef indicator_getset[] = {
    {"fields", indicator_fields, nullptr,
     "The named outputs of the latest update that yielded a value, in their fixed order "
     "(empty before the first value and for single-value indicators).",
     nullptr},
    {"field_names", indicator_field_names, nullptr, "The names of the named outputs, in order.", nullptr},
    {"warmup_period", indicator_warmup, nullptr,
     "Inputs up to and including the one that yields the first value.", nullptr},
    {"name", indicator_name, nullptr, "The indicator's name (an alias resolved to its target).", nullptr},
    {nullptr, nullptr, nullptr, nullptr, nullptr},
};

PyType_Slot indicator_slots[] = {
    {Py_tp_new, reinterpret_cast<void*>(indicator_new)},
    {Py_tp_dealloc, reinterpret_cast<void*>(indicator_dealloc)},
    {Py_tp_methods, indicator_methods},
    {Py_tp_getset, indicator_getset},
    {Py_tp_repr, reinterpret_cast<void*>(indicator_repr)},
    {Py_tp_doc, const_cast<char*>("Indicator(name, params)\n--\n\n"
                                  "A streaming indicator built by name from positional parameters.")},
    {0, nullptr},
};

PyType_Spec indicator_spec = {
    "tarsel_plenko._indicators.Indicator",
    static_cast<int>(sizeof(IndicatorObject)),
    0,
    Py_TPFLAGS_DEFAULT,
    indicator_slots,
};

}  // namespace

PyObject* make_indicator_type(PyObject* module) {
    return PyType_FromModuleAndSpec(module, &indicator_spec, nullptr);
}

}  // namespace plenko::ind_host
