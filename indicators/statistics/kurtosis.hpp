#pragma once
// Population excess kurtosis of the last n closes from the shifted power sums; 0 on a flat window.

#include <cstddef>
#include <optional>

#include "indicators/expected.hpp"
#include "indicators/indicator_error.hpp"
#include "indicators/statistics/shifted_moments.hpp"

namespace plenko {

class Kurtosis {
public:
    static Expected<Kurtosis, IndicatorError> create(std::size_t period);
    std::optional<double> update(double close);
    std::size_t warmup_period() const { return moments_.length(); }

private:
    explicit Kurtosis(std::size_t n);
    ShiftedMoments<4> moments_;
};

// Defined here so that the evaluator wrapper inlines the whole update.
inline std::optional<double> Kurtosis::update(double close) {
    moments_.push(close);
    if (!moments_.full()) return std::nullopt;
    const double variance = moments_.variance();
    if (variance == 0.0) return 0.0;
    const double m1 = moments_.m1();
    const double m2 = moments_.m2();
    const double m3 = moments_.m3();
    const double m4 = moments_.m4();
    const double m1_sq = m1 * m1;
    // Fourth central moment from the moments about the shift.
    const double central4 = m4 - 4.0 * m1 * m3 + 6.0 * m1_sq * m2 - 3.0 * (m1_sq * m1 * m1);
    return central4 / (variance * variance) - 3.0;
}

}  // namespace plenko
