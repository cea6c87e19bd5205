#include "host/indicators_compute.hpp"

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "factory/factory.hpp"
#include "host/indicators_util.hpp"
#include "indicators/evaluator.hpp"

namespace plenko::ind_host {

namespace {

// A held buffer, released on scope exit.
class Buffer {
public:
    Buffer() = default;
    Buffer(const Buffer&) = delete;
    Buffer& operator=(const Buffer&) = delete;
    ~Buffer() {
        if (held_) PyBuffer_Release(&view_);
    }

    // Requests a C-contiguous one-dimensional buffer of 8-byte items of the
    // given kind ('f' float64, 'i' int64, 'b' one-byte bool).
    bool acquire(PyObject* obj, const char* what, char kind, bool writable) {
        int flags = PyBUF_C_CONTIGUOUS | PyBUF_FORMAT;
        if (writable) flags |= PyBUF_WRITABLE;
        if (PyObject_GetBuffer(obj, &view_, flags) < 0) return false;
        held_ = true;
        const char* fmt = view_.format != nullptr ? view_.format : "B";
        if (*fmt == '<' || *fmt == '=' || *fmt == '@') ++fmt;
        bool ok = false;
        if (kind == 'f') ok = view_.itemsize == 8 && std::strcmp(fmt, "d") == 0;
        if (kind == 'i') ok = view_.itemsize == 8 && (std::strcmp(fmt, "q") == 0 || std::strcmp(fmt, "l") == 0);
        if (kind == 'b') ok = view_.itemsize == 1 && (std::strcmp(fmt, "?") == 0 || std::strcmp(fmt, "B") == 0);
        if (!ok || view_.ndim != 1) {
            const char* want = kind == 'f' ? "float64" : kind == 'i' ? "int64" : "bool";
            PyErr_Format(PyExc_TypeError, "%s must be a one-dimensional %s array", what, want);
            return false;
        }
        return true;
    }

    std::size_t length() const { return static_cast<std::size_t>(view_.shape != nullptr ? view_.shape[0] : view_.len / view_.itemsize); }
    const double* f64() const { return static_cast<const double*>(view_.buf); }
    double* f64_mut() const { return static_cast<double*>(view_.buf); }
    const std::int64_t* i64() const { return static_cast<const std::int64_t*>(view_.buf); }
    std::uint8_t* bytes_mut() const { return static_cast<std::uint8_t*>(view_.buf); }

private:
    Py_buffer view_{};
    bool held_ = false;
};

}  // namespace

// _compute(name, params, time|None, open, high, low, close, volume|None,
//          out_value, out_has_value, out_fields: tuple)
PyObject* compute_into(PyObject*, PyObject* args) {
    PyObject *name_obj, *params_obj, *time_obj, *open_obj, *high_obj, *low_obj, *close_obj, *volume_obj;
    PyObject *out_value_obj, *out_has_obj, *out_fields_obj;
    if (!PyArg_ParseTuple(args, "OOOOOOOOOOO:_compute", &name_obj, &params_obj, &time_obj, &open_obj, &high_obj,
                          &low_obj, &close_obj, &volume_obj, &out_value_obj, &out_has_obj, &out_fields_obj)) {
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
        Evaluator& ev = **built;

        Buffer time, open, high, low, close, volume, out_value, out_has;
        const bool has_time = time_obj != Py_None;
        const bool has_volume = volume_obj != Py_None;
        if (has_time && !time.acquire(time_obj, "time", 'i', false)) return nullptr;
        if (!open.acquire(open_obj, "open", 'f', false) || !high.acquire(high_obj, "high", 'f', false) ||
            !low.acquire(low_obj, "low", 'f', false) || !close.acquire(close_obj, "close", 'f', false)) {
            return nullptr;
        }
        if (has_volume && !volume.acquire(volume_obj, "volume", 'f', false)) return nullptr;
        if (!out_value.acquire(out_value_obj, "out_value", 'f', true) ||
            !out_has.acquire(out_has_obj, "out_has_value", 'b', true)) {
            return nullptr;
        }
        if (!PyTuple_Check(out_fields_obj)) {
            PyErr_SetString(PyExc_TypeError, "out_fields must be a tuple");
            return nullptr;
        }
        const std::size_t field_count = ev.field_names().size();
        if (static_cast<std::size_t>(PyTuple_Size(out_fields_obj)) != field_count) {
            PyErr_Format(PyExc_ValueError, "out_fields must hold %zu arrays", field_count);
            return nullptr;
        }
        std::vector<Buffer> out_fields(field_count);
        for (std::size_t k = 0; k < field_count; ++k) {
            PyObject* item = PyTuple_GetItem(out_fields_obj, static_cast<Py_ssize_t>(k));
            if (item == nullptr || !out_fields[k].acquire(item, "out_fields item", 'f', true)) return nullptr;
        }

        const std::size_t n = close.length();
        bool same = open.length() == n && high.length() == n && low.length() == n && out_value.length() == n &&
                    out_has.length() == n && (!has_time || time.length() == n) &&
                    (!has_volume || volume.length() == n);
        for (const Buffer& b : out_fields) same = same && b.length() == n;
        if (!same) {
            PyErr_SetString(PyExc_ValueError, "all columns must have the same length");
            return nullptr;
        }

        // The whole history in one call: plain C++ from here on.
        std::vector<double*> field_out(field_count);
        for (std::size_t k = 0; k < field_count; ++k) field_out[k] = out_fields[k].f64_mut();
        const CandleColumns bars{
            .size = n,
            .time = has_time ? time.i64() : nullptr,
            .open = open.f64(),
            .high = high.f64(),
            .low = low.f64(),
            .close = close.f64(),
            .volume = has_volume ? volume.f64() : nullptr,
        };
        ev.update_many(bars, BatchOutput{.values = out_value.f64_mut(), .has_value = out_has.bytes_mut(),
                                         .fields = field_out.data()});
        Py_RETURN_NONE;
    });
}

}  // namespace plenko::ind_host
