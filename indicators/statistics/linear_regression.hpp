#pragma once
// Least-squares line through the last n closes, read at the newest point: a + b(n − 1).

#include <cstddef>
#include <optional>

#include "indicators/expected.hpp"
#include "indicators/indicator_error.hpp"
#include "indicators/statistics/sliding_regression.hpp"

namespace plenko {

class LinearRegression {
public:
    static Expected<LinearRegression, IndicatorError> create(std::size_t period);
    std::optional<double> update(double close);
    std::size_t warmup_period() const { return fit_.length(); }

private:
    explicit LinearRegression(std::size_t n);
    SlidingRegression fit_;
};

// Defined here so that the evaluator wrapper inlines the whole update.
inline std::optional<double> LinearRegression::update(double close) {
    fit_.push(close);
    if (!fit_.full()) return std::nullopt;
    return fit_.value_at(static_cast<double>(fit_.length()) - 1.0);
}

}  // namespace plenko
