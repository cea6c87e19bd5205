#pragma once
// The annualisation of the volatility estimators: per-bar volatility ·
// √periods · 100. The periods per year are a count, not a window length:
// only 0 is refused, there is no upper bound.

#include <cmath>
#include <cstddef>

#include "indicators/expected.hpp"
#include "indicators/indicator_error.hpp"

namespace plenko {

inline Expected<void, IndicatorError> check_periods_per_year(std::size_t periods) {
    if (periods == 0) return unexpected(IndicatorError::zero_period());
    return {};
}

class Annualisation {
public:
    explicit Annualisation(std::size_t periods) : root_(std::sqrt(static_cast<double>(periods))) {}

    // √(max(variance, 0)) · √periods · 100.
    double of_variance(double variance) const {
        const double v = variance > 0.0 ? variance : 0.0;
        return std::sqrt(v) * root_ * 100.0;
    }

private:
    double root_;
};

}  // namespace plenko
