#pragma once
// Angle in degrees of the least-squares slope through the last n closes, atan(b) × 180/π.

#include <cmath>
#include <cstddef>
#include <optional>

#include "indicators/expected.hpp"
#include "indicators/indicator_error.hpp"
#include "indicators/statistics/sliding_regression.hpp"

namespace plenko {

class LinRegAngle {
public:
    static Expected<LinRegAngle, IndicatorError> create(std::size_t period);
    std::optional<double> update(double close);
    std::size_t warmup_period() const { return fit_.length(); }

private:
    explicit LinRegAngle(std::size_t n);
    SlidingRegression fit_;
};

// Defined here so that the evaluator wrapper inlines the whole update.
inline std::optional<double> LinRegAngle::update(double close) {
    fit_.push(close);
    if (!fit_.full()) return std::nullopt;
    return std::atan(fit_.slope()) * 57.29577951308232;
}

}  // namespace plenko
