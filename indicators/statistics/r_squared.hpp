#pragma once
// Coefficient of determination of the least-squares line through the last n closes, in [0, 1]; 1
// on a flat window.

#include <cstddef>
#include <optional>

#include "indicators/expected.hpp"
#include "indicators/indicator_error.hpp"
#include "indicators/statistics/sliding_regression.hpp"

namespace plenko {

class RSquared {
public:
    static Expected<RSquared, IndicatorError> create(std::size_t period);
    std::optional<double> update(double close);
    std::size_t warmup_period() const { return fit_.length(); }

private:
    explicit RSquared(std::size_t n);
    SlidingRegression fit_;
};

// Defined here so that the evaluator wrapper inlines the whole update.
inline std::optional<double> RSquared::update(double close) {
    fit_.push(close);
    if (!fit_.full()) return std::nullopt;
    return fit_.r_squared();
}

}  // namespace plenko
