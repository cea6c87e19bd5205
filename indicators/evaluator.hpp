#pragma once
// The uniform face of every indicator: the engine and the Python module see
// only this. Field names are fixed for the life of an evaluator, so a caller
// resolves a field name to its index once and afterwards reads
// field_values()[index] after each update that yielded a value: no string
// comparison and no allocation per bar.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "indicators/bar_context.hpp"

namespace plenko {

struct Field {
    std::string_view name;
    double value;
};

// A non-owning view of (name, value) pairs in the indicator's fixed order.
class FieldList {
public:
    FieldList(std::span<const std::string_view> names, std::span<const double> values)
        : names_(names), values_(values) {}

    std::size_t size() const { return names_.size(); }
    bool empty() const { return names_.empty(); }
    Field operator[](std::size_t i) const { return {names_[i], values_[i]}; }

    class iterator {
    public:
        iterator(const FieldList* list, std::size_t i) : list_(list), i_(i) {}
        Field operator*() const { return (*list_)[i_]; }
        iterator& operator++() { ++i_; return *this; }
        bool operator==(const iterator& o) const { return i_ == o.i_; }
    private:
        const FieldList* list_;
        std::size_t i_;
    };
    iterator begin() const { return {this, 0}; }
    iterator end() const { return {this, size()}; }

    std::span<const std::string_view> names() const { return names_; }
    std::span<const double> values() const { return values_; }

private:
    std::span<const std::string_view> names_;
    std::span<const double> values_;
};

// A history of plain candles as parallel columns of `size` entries: the
// input of the batch path. open, high, low and close are required; a missing
// time column reads as 0 and a missing volume column as 0.0, as in a Candle
// built without them.
struct CandleColumns {
    std::size_t size = 0;
    const std::int64_t* time = nullptr;
    const double* open = nullptr;
    const double* high = nullptr;
    const double* low = nullptr;
    const double* close = nullptr;
    const double* volume = nullptr;
};

// Where the batch path writes, one entry per bar: the value (NaN when the
// bar yielded none), 1 or 0 for whether it yielded, and one column per field
// name (the field's value on a bar that yielded, NaN otherwise).
struct BatchOutput {
    double* values = nullptr;
    std::uint8_t* has_value = nullptr;
    double* const* fields = nullptr;  // field_names().size() columns
};

class Evaluator {
public:
    virtual ~Evaluator() = default;

    // Feeds one bar. No value during warm-up, for a rejected input, or when
    // the input the indicator needs is absent; such bars leave the state as
    // it was.
    virtual std::optional<double> update(const BarContext& bar) = 0;

    // Feeds every candle of `bars` in order, exactly as one update call per
    // candle (BarContext{.candle = candle}) would, and writes every entry of
    // `out`. One virtual call for the whole history: the indicator's own
    // update runs inlined in the loop.
    virtual void update_many(const CandleColumns& bars, const BatchOutput& out) = 0;

    // Names of the named outputs, in their fixed order; empty for
    // single-value indicators. Constant for the evaluator's life.
    virtual std::span<const std::string_view> field_names() const = 0;

    // Values parallel to field_names(), as produced by the latest update that
    // yielded a value (NaN before the first one).
    virtual std::span<const double> field_values() const = 0;

    // Inputs up to and including the one that yields the first value.
    virtual std::size_t warmup_period() const = 0;

    FieldList fields() const { return FieldList(field_names(), field_values()); }
};

}  // namespace plenko
