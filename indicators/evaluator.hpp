#pragma once
// The uniform face of every indicator: the engine and the Python module see
// only this. Field names are fixed for the life of an evaluator, so a caller
// resolves a field name to its index once and afterwards reads
// field_values()[index] after each update that yielded a value: no string
// comparison and no allocation per bar.

#include <cstddef>
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

class Evaluator {
public:
    virtual ~Evaluator() = default;

    // Feeds one bar. No value during warm-up, for a rejected input, or when
    // the input the indicator needs is absent; such bars leave the state as
    // it was.
    virtual std::optional<double> update(const BarContext& bar) = 0;

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
