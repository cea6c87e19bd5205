#pragma once
// Intercept of the least-squares line through the last n closes: its value at the oldest point.

#include <cstddef>
#include <optional>

#include "indicators/expected.hpp"
#include "indicators/indicator_error.hpp"
#include "indicators/statistics/sliding_regression.hpp"

namespace plenko {

class LinRegIntercept {
public:
    static Expected<LinRegIntercept, IndicatorError> create(std::size_t period);
    std::optional<double> update(double close);
    std::size_t warmup_period() const { return fit_.length(); }

private:
    explicit LinRegIntercept(std::size_t n);
    SlidingRegression fit_;
};

// Defined here so that the evaluator wrapper inlines the whole update.
inline std::optional<double> LinRegIntercept::update(double close) {
    fit_.push(close);
    if (!fit_.full()) return std::nullopt;
    return fit_.intercept();
}

}  // namespace plenko
