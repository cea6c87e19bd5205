#pragma once
// Mean excess return of the last n values over their sample standard deviation (not annualised);
// 0 when that deviation is 0.

#include <cmath>
#include <cstddef>
#include <optional>

#include "indicators/expected.hpp"
#include "indicators/indicator_error.hpp"
#include "indicators/statistics/shifted_moments.hpp"

namespace plenko {

class SharpeRatio {
public:
    static Expected<SharpeRatio, IndicatorError> create(std::size_t period, double risk_free);
    std::optional<double> update(double close);
    std::size_t warmup_period() const { return moments_.length(); }

private:
    explicit SharpeRatio(std::size_t n, double risk_free);
    ShiftedMoments<2> moments_;
    double risk_free_;
};

// Defined here so that the evaluator wrapper inlines the whole update.
inline std::optional<double> SharpeRatio::update(double close) {
    moments_.push(close);
    if (!moments_.full()) return std::nullopt;
    const double s2 = moments_.sample_variance();
    if (s2 == 0.0) return 0.0;
    return (moments_.mean() - risk_free_) / std::sqrt(s2);
}

}  // namespace plenko
