#pragma once
// Time series forecast: the least-squares line through the last n closes extended one bar ahead,
// a + b·n.

#include <cstddef>
#include <optional>

#include "indicators/expected.hpp"
#include "indicators/indicator_error.hpp"
#include "indicators/statistics/sliding_regression.hpp"

namespace plenko {

class Tsf {
public:
    static Expected<Tsf, IndicatorError> create(std::size_t period);
    std::optional<double> update(double close);
    std::size_t warmup_period() const { return fit_.length(); }

private:
    explicit Tsf(std::size_t n);
    SlidingRegression fit_;
};

// Defined here so that the evaluator wrapper inlines the whole update.
inline std::optional<double> Tsf::update(double close) {
    fit_.push(close);
    if (!fit_.full()) return std::nullopt;
    return fit_.value_at(static_cast<double>(fit_.length()));
}

}  // namespace plenko
