// Test-only probes. None of this is part of the public surface; the names
// start with an underscore and tests/ is their only user.

#include "host/indicators_probe.hpp"

#include <array>
#include <cmath>
#include <limits>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "factory/factory.hpp"
#include "factory/param_readers.hpp"
#include "host/indicators_util.hpp"
#include "indicators/indicator.hpp"

namespace plenko::ind_host {

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

PyObject* tuple_of(std::span<const double> xs) {
    PyObject* t = PyTuple_New(static_cast<Py_ssize_t>(xs.size()));
    if (t == nullptr) return nullptr;
    for (std::size_t i = 0; i < xs.size(); ++i) {
        PyObject* f = PyFloat_FromDouble(xs[i]);
        if (f == nullptr) {
            Py_DECREF(t);
            return nullptr;
        }
        PyTuple_SetItem(t, static_cast<Py_ssize_t>(i), f);
    }
    return t;
}

// Appends `item` (a new reference) to `list`; false on failure.
bool append(PyObject* list, PyObject* item) {
    if (item == nullptr) return false;
    const int rc = PyList_Append(list, item);
    Py_DECREF(item);
    return rc == 0;
}

// ---- building blocks -------------------------------------------------------

// _blocks_probe(block, args, values) -> list, one entry per value.
PyObject* blocks_probe(PyObject*, PyObject* args) {
    PyObject *block_obj, *args_obj, *values_obj;
    if (!PyArg_ParseTuple(args, "OOO:_blocks_probe", &block_obj, &args_obj, &values_obj)) return nullptr;
    return guarded([&]() -> PyObject* {
        std::string block;
        std::vector<double> a, xs;
        if (!utf8_of(block_obj, "block", block) || !doubles_of(args_obj, "args", a) ||
            !doubles_of(values_obj, "values", xs)) {
            return nullptr;
        }
        if (a.empty()) {
            PyErr_SetString(PyExc_ValueError, "args must start with the window length");
            return nullptr;
        }
        const std::size_t n = clamp_to_count(a[0]);
        PyObject* out = PyList_New(0);
        if (out == nullptr) return nullptr;
        auto opt = [](std::optional<double> v) { return optional_float(v.has_value(), v.value_or(0.0)); };
        bool ok = true;
        if (block == "sma") {
            SimpleAverage core(n);
            for (double x : xs) ok = ok && append(out, opt(core.update(x)));
        } else if (block == "ema") {
            ExponentialAverage core(n);
            for (double x : xs) ok = ok && append(out, opt(core.update(x)));
        } else if (block == "wilder") {
            WilderSmoothing core(n);
            for (double x : xs) ok = ok && append(out, opt(core.update(x)));
        } else if (block == "variance") {
            RollingVariance core(n);
            for (double x : xs) {
                const auto sd = core.update(x);
                if (!sd) {
                    ok = ok && append(out, optional_float(false, 0.0));
                } else {
                    const double row[] = {core.mean(), core.variance(), *sd};
                    ok = ok && append(out, tuple_of(row));
                }
            }
        } else if (block == "median" || block == "quantile") {
            const double p = a.size() > 1 ? a[1] : kNaN;
            SortedWindow w(n);
            for (double x : xs) {
                w.update(x);
                const bool median = block == "median";
                ok = ok && append(out, optional_float(w.full(), median ? w.median() : w.quantile(p)));
            }
        } else if (block == "sorted") {
            SortedWindow w(n);
            for (double x : xs) {
                w.update(x);
                PyObject* pair = Py_BuildValue("(NN)", tuple_of(w.sorted()), PyLong_FromSize_t(w.reserved()));
                ok = ok && append(out, pair);
            }
        } else if (block == "ring") {
            RingWindow<double> ring(n);
            std::vector<double> contents;
            for (double x : xs) {
                const auto gone = ring.push(x);
                contents.clear();
                ring.for_each([&](double v) { contents.push_back(v); });
                PyObject* entry = Py_BuildValue("(NNN)", opt(gone), tuple_of(contents),
                                                PyLong_FromSize_t(ring.reserved()));
                ok = ok && append(out, entry);
            }
        } else {
            Py_DECREF(out);
            PyErr_Format(PyExc_ValueError, "unknown block %s", block.c_str());
            return nullptr;
        }
        if (!ok) {
            Py_DECREF(out);
            return nullptr;
        }
        return out;
    });
}

PyObject* midpoint_probe(PyObject*, PyObject* args) {
    double a = 0.0, b = 0.0;
    if (!PyArg_ParseTuple(args, "dd:_midpoint", &a, &b)) return nullptr;
    return PyFloat_FromDouble(safe_midpoint(a, b));
}

PyObject* check_period_probe(PyObject*, PyObject* arg) {
    const std::size_t n = PyLong_AsSize_t(arg);
    if (n == static_cast<std::size_t>(-1) && PyErr_Occurred()) return nullptr;
    return guarded([&]() -> PyObject* {
        const auto r = check_period(n);
        if (r) Py_RETURN_NONE;
        return str_from(r.error().text());
    });
}

PyObject* validate_candle_probe(PyObject*, PyObject* args) {
    Candle c;
    if (!PyArg_ParseTuple(args, "ddddd:_validate_candle", &c.open, &c.high, &c.low, &c.close, &c.volume)) {
        return nullptr;
    }
    return guarded([&]() -> PyObject* {
        const auto r = validate_candle(c);
        if (r) Py_RETURN_NONE;
        return str_from(r.error().text());
    });
}

// ---- factory ---------------------------------------------------------------

bool reader_of(const std::string& s, ParamKind& out) {
    for (ParamKind k : {ParamKind::F64, ParamKind::Usize, ParamKind::I32, ParamKind::U32}) {
        if (s == param_kind_name(k)) {
            out = k;
            return true;
        }
    }
    PyErr_Format(PyExc_ValueError, "unknown reader %s", s.c_str());
    return false;
}

// _read_param(reader, params, index, name) -> the value, or ValueError.
PyObject* read_param_probe(PyObject*, PyObject* args) {
    PyObject *reader_obj, *params_obj, *name_obj;
    Py_ssize_t index = 0;
    if (!PyArg_ParseTuple(args, "OOnO:_read_param", &reader_obj, &params_obj, &index, &name_obj)) return nullptr;
    return guarded([&]() -> PyObject* {
        std::string reader, name;
        std::vector<double> params;
        ParamKind kind{};
        if (!utf8_of(reader_obj, "reader", reader) || !reader_of(reader, kind) ||
            !doubles_of(params_obj, "params", params) || !utf8_of(name_obj, "name", name)) {
            return nullptr;
        }
        if (index < 0) {
            PyErr_SetString(PyExc_ValueError, "index must not be negative");
            return nullptr;
        }
        const auto i = static_cast<std::size_t>(index);
        auto fail = [](const FactoryError& e) -> PyObject* {
            raise_value_error(e.text());
            return nullptr;
        };
        switch (kind) {
            case ParamKind::F64: {
                auto v = param_f64(params, i, name);
                return v ? PyFloat_FromDouble(*v) : fail(v.error());
            }
            case ParamKind::Usize: {
                auto v = param_usize(params, i, name);
                return v ? PyLong_FromSize_t(*v) : fail(v.error());
            }
            case ParamKind::I32: {
                auto v = param_i32(params, i, name);
                return v ? PyLong_FromLong(*v) : fail(v.error());
            }
            case ParamKind::U32: {
                auto v = param_u32(params, i, name);
                return v ? PyLong_FromUnsignedLong(*v) : fail(v.error());
            }
        }
        Py_RETURN_NONE;
    });
}

BuildResult always_rejects(const ParamValues&) {
    return unexpected(IndicatorError::invalid_period("probe constructor ran"));
}

// _probe_build(readers, params): runs the factory's read-then-construct path
// on a row whose constructor always fails, so the error tells whether every
// read happened before the constructor.
PyObject* probe_build(PyObject*, PyObject* args) {
    PyObject *readers_obj, *params_obj;
    if (!PyArg_ParseTuple(args, "OO:_probe_build", &readers_obj, &params_obj)) return nullptr;
    return guarded([&]() -> PyObject* {
        IndicatorRow row;
        row.name = "Probe";
        row.build = &always_rejects;
        const Py_ssize_t count = PySequence_Size(readers_obj);
        if (count < 0) return nullptr;
        for (Py_ssize_t i = 0; i < count; ++i) {
            PyObject* item = PySequence_GetItem(readers_obj, i);
            if (item == nullptr) return nullptr;
            std::string s;
            ParamKind k{};
            const bool ok = utf8_of(item, "reader", s) && reader_of(s, k);
            Py_DECREF(item);
            if (!ok) return nullptr;
            row.params.push_back(k);
        }
        std::vector<double> params;
        if (!doubles_of(params_obj, "params", params)) return nullptr;
        auto built = build_from_row(row, row.name, params);
        if (built) Py_RETURN_NONE;
        return str_from(built.error().text());
    });
}

// ---- adapters --------------------------------------------------------------

// Each probe counts the inputs it accepted (its value) and records two
// numbers from the last one (fields a and b), so a test sees exactly what an
// adapter passed on and whether a rejected bar reached the state.
struct ProbeBase {
    static constexpr std::array<std::string_view, 3> field_names{"count", "a", "b"};
    std::array<double, 3> out{kNaN, kNaN, kNaN};
    double count = 0.0;
    std::span<const double> field_values() const { return out; }
    std::size_t warmup_period() const { return 1; }
    std::optional<double> record(double a, double b) {
        count += 1.0;
        out = {count, a, b};
        return count;
    }
};

struct CloseProbe : ProbeBase {
    std::optional<double> update(double close) { return record(close, 0.0); }
};
struct CandleProbe : ProbeBase {
    std::optional<double> update(const Candle& c) { return record(c.close, c.volume); }
};
struct PairProbe : ProbeBase {
    std::optional<double> update(double close, double ref) { return record(close, ref); }
};
struct DerivativesProbe : ProbeBase {
    std::optional<double> update(const DerivativesTick& d) { return record(d.funding_rate, d.short_liquidations); }
};
struct TradesProbe : ProbeBase {
    std::optional<double> update(std::span<const Trade> trades) {
        double signed_size = 0.0;
        for (const Trade& t : trades) signed_size += t.is_sell ? -t.size : t.size;
        return record(static_cast<double>(trades.size()), signed_size);
    }
};
struct TradesAndBookProbe : ProbeBase {
    std::optional<double> update(std::span<const Trade> trades, double price) {
        return record(static_cast<double>(trades.size()), price);
    }
};
struct OrderBookProbe : ProbeBase {
    std::optional<double> update(const OrderBook& b) {
        return record(b.bids.empty() ? kNaN : b.bids[0].price, b.asks.empty() ? kNaN : b.asks[0].price);
    }
};
struct CrossSectionProbe : ProbeBase {
    std::optional<double> update(const CrossSection& cs) {
        double change = 0.0;
        for (const CrossSectionEntry& e : cs.entries) change += e.change;
        return record(static_cast<double>(cs.entries.size()), change);
    }
};

std::unique_ptr<Evaluator> probe_evaluator(const std::string& kind) {
    if (kind == "close") return std::make_unique<CloseAdapter<CloseProbe>>(CloseProbe{});
    if (kind == "candle") return std::make_unique<CandleAdapter<CandleProbe>>(CandleProbe{});
    if (kind == "pair") return std::make_unique<PairAdapter<PairProbe>>(PairProbe{});
    if (kind == "derivatives") return std::make_unique<DerivativesAdapter<DerivativesProbe>>(DerivativesProbe{});
    if (kind == "trades") return std::make_unique<TradesAdapter<TradesProbe>>(TradesProbe{});
    if (kind == "trades_and_book") {
        return std::make_unique<TradesAndBookAdapter<TradesAndBookProbe>>(TradesAndBookProbe{});
    }
    if (kind == "order_book") return std::make_unique<OrderBookAdapter<OrderBookProbe>>(OrderBookProbe{});
    if (kind == "cross_section") {
        return std::make_unique<CrossSectionAdapter<CrossSectionProbe>>(CrossSectionProbe{});
    }
    return nullptr;
}

struct ParsedBar {
    Candle candle;
    std::optional<double> reference;
    std::optional<DerivativesTick> derivatives;
    std::vector<Trade> trades;
    bool has_book = false;
    std::vector<BookLevel> bids, asks;
    OrderBook book;
    bool has_cross = false;
    std::vector<CrossSectionEntry> entries;
    CrossSection cross;
};

// Item i of a sequence as a double; false with an exception set otherwise.
bool item_double(PyObject* seq, Py_ssize_t i, double& out) {
    PyObject* item = PySequence_GetItem(seq, i);
    if (item == nullptr) return false;
    out = PyFloat_AsDouble(item);
    Py_DECREF(item);
    return !(out == -1.0 && PyErr_Occurred());
}

bool item_bool(PyObject* seq, Py_ssize_t i, bool& out) {
    PyObject* item = PySequence_GetItem(seq, i);
    if (item == nullptr) return false;
    const int t = PyObject_IsTrue(item);
    Py_DECREF(item);
    out = t == 1;
    return t >= 0;
}

// Calls f(row, index) for every item of the sequence `obj`.
template <class F>
bool each_item(PyObject* obj, F&& f) {
    const Py_ssize_t n = PySequence_Size(obj);
    if (n < 0) return false;
    for (Py_ssize_t i = 0; i < n; ++i) {
        PyObject* item = PySequence_GetItem(obj, i);
        if (item == nullptr) return false;
        const bool ok = f(item);
        Py_DECREF(item);
        if (!ok) return false;
    }
    return true;
}

bool parse_levels(PyObject* obj, std::vector<BookLevel>& out) {
    return each_item(obj, [&](PyObject* lv) {
        BookLevel l;
        if (!item_double(lv, 0, l.price) || !item_double(lv, 1, l.quantity)) return false;
        out.push_back(l);
        return true;
    });
}

bool parse_bar(PyObject* dict, ParsedBar& bar) {
    if (!PyDict_Check(dict)) {
        PyErr_SetString(PyExc_TypeError, "each bar must be a dict");
        return false;
    }
    double* const prices[] = {&bar.candle.open, &bar.candle.high, &bar.candle.low, &bar.candle.close,
                              &bar.candle.volume};
    const char* const keys[] = {"open", "high", "low", "close", "volume"};
    for (int k = 0; k < 5; ++k) {
        if (PyObject* v = PyDict_GetItemString(dict, keys[k])) {
            *prices[k] = PyFloat_AsDouble(v);
            if (*prices[k] == -1.0 && PyErr_Occurred()) return false;
        }
    }
    if (PyObject* v = PyDict_GetItemString(dict, "reference"); v != nullptr && v != Py_None) {
        const double r = PyFloat_AsDouble(v);
        if (r == -1.0 && PyErr_Occurred()) return false;
        bar.reference = r;
    }
    if (PyObject* v = PyDict_GetItemString(dict, "derivatives"); v != nullptr && v != Py_None) {
        DerivativesTick d;
        double* const members[] = {&d.funding_rate, &d.mark_price, &d.index_price, &d.future_price,
                                   &d.open_interest, &d.long_side, &d.short_side, &d.taker_buy_volume,
                                   &d.taker_sell_volume, &d.long_liquidations, &d.short_liquidations};
        for (Py_ssize_t k = 0; k < 11; ++k) {
            if (!item_double(v, k, *members[k])) return false;
        }
        bar.derivatives = d;
    }
    if (PyObject* v = PyDict_GetItemString(dict, "trades"); v != nullptr && v != Py_None) {
        const bool ok = each_item(v, [&](PyObject* t) {
            Trade tr;
            if (!item_double(t, 0, tr.price) || !item_double(t, 1, tr.size) || !item_bool(t, 2, tr.is_sell)) {
                return false;
            }
            bar.trades.push_back(tr);
            return true;
        });
        if (!ok) return false;
    }
    if (PyObject* v = PyDict_GetItemString(dict, "book"); v != nullptr && v != Py_None) {
        PyObject* bids = PySequence_GetItem(v, 0);
        PyObject* asks = bids != nullptr ? PySequence_GetItem(v, 1) : nullptr;
        const bool ok = asks != nullptr && parse_levels(bids, bar.bids) && parse_levels(asks, bar.asks);
        Py_XDECREF(bids);
        Py_XDECREF(asks);
        if (!ok) return false;
        bar.has_book = true;
        bar.book = OrderBook{bar.bids, bar.asks};
    }
    if (PyObject* v = PyDict_GetItemString(dict, "cross"); v != nullptr && v != Py_None) {
        const bool ok = each_item(v, [&](PyObject* e) {
            CrossSectionEntry en;
            if (!item_double(e, 0, en.change) || !item_double(e, 1, en.volume) || !item_bool(e, 2, en.new_high) ||
                !item_bool(e, 3, en.new_low) || !item_bool(e, 4, en.above_ma) || !item_bool(e, 5, en.bullish)) {
                return false;
            }
            bar.entries.push_back(en);
            return true;
        });
        if (!ok) return false;
        bar.has_cross = true;
        bar.cross = CrossSection{bar.entries};
    }
    return true;
}

// _adapter_probe(kind, bars) -> [(value or None, (count, a, b)), ...]
PyObject* adapter_probe(PyObject*, PyObject* args) {
    PyObject *kind_obj, *bars_obj;
    if (!PyArg_ParseTuple(args, "OO:_adapter_probe", &kind_obj, &bars_obj)) return nullptr;
    return guarded([&]() -> PyObject* {
        std::string kind;
        if (!utf8_of(kind_obj, "kind", kind)) return nullptr;
        auto ev = probe_evaluator(kind);
        if (!ev) {
            PyErr_Format(PyExc_ValueError, "unknown input kind %s", kind.c_str());
            return nullptr;
        }
        PyObject* out = PyList_New(0);
        if (out == nullptr) return nullptr;
        const bool ok = each_item(bars_obj, [&](PyObject* item) {
            ParsedBar bar;
            if (!parse_bar(item, bar)) return false;
            const BarContext ctx{
                .reference = bar.reference,
                .derivatives = bar.derivatives,
                .candle = bar.candle,
                .trades = bar.trades,
                .order_book = bar.has_book ? &bar.book : nullptr,
                .cross_section = bar.has_cross ? &bar.cross : nullptr,
            };
            const auto v = ev->update(ctx);
            return append(out, Py_BuildValue("(NN)", optional_float(v.has_value(), v.value_or(0.0)),
                                             tuple_of(ev->field_values())));
        });
        if (!ok) {
            Py_DECREF(out);
            return nullptr;
        }
        return out;
    });
}

PyMethodDef methods[] = {
    {"_blocks_probe", blocks_probe, METH_VARARGS, "Test hook: runs one building block over values."},
    {"_midpoint", midpoint_probe, METH_VARARGS, "Test hook: the overflow-safe midpoint."},
    {"_check_period", check_period_probe, METH_O, "Test hook: the window-length check (None or error text)."},
    {"_validate_candle", validate_candle_probe, METH_VARARGS, "Test hook: candle validation (None or error text)."},
    {"_read_param", read_param_probe, METH_VARARGS, "Test hook: one parameter reader."},
    {"_probe_build", probe_build, METH_VARARGS, "Test hook: the factory's read-then-construct order."},
    {"_adapter_probe", adapter_probe, METH_VARARGS, "Test hook: one input adapter over probe bars."},
    {nullptr, nullptr, 0, nullptr},
};

}  // namespace

PyMethodDef* probe_methods() { return methods; }

}  // namespace plenko::ind_host
