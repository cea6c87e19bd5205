#pragma once
// Population skewness of the last n closes from the shifted power sums; 0 on a flat window.

#include <cmath>
#include <cstddef>
#include <optional>

#include "indicators/expected.hpp"
#include "indicators/indicator_error.hpp"
#include "indicators/statistics/shifted_moments.hpp"

namespace plenko {

class Skewness {
public:
    static Expected<Skewness, IndicatorError> create(std::size_t period);
    std::optional<double> update(double close);
    std::size_t warmup_period() const { return moments_.length(); }

private:
    explicit Skewness(std::size_t n);
    ShiftedMoments<4> moments_;
};

// Defined here so that the evaluator wrapper inlines the whole update.
inline std::optional<double> Skewness::update(double close) {
    moments_.push(close);
    if (!moments_.full()) return std::nullopt;
    const double variance = moments_.variance();
    if (variance == 0.0) return 0.0;
    const double m1 = moments_.m1();
    const double m2 = moments_.m2();
    const double m3 = moments_.m3();
    // Third central moment from the moments about the shift.
    const double central3 = m3 - 3.0 * m1 * m2 + 2.0 * (m1 * m1 * m1);
    return central3 / (variance * std::sqrt(variance));
}

}  // namespace plenko
