#pragma once
// Sharpe ratio rescaled to a benchmark's volatility and shifted back by the risk-free rate:
// (mean − rf)/s × benchmark σ + rf; 0 when s is 0.

#include <cmath>
#include <cstddef>
#include <optional>

#include "indicators/expected.hpp"
#include "indicators/indicator_error.hpp"
#include "indicators/statistics/shifted_moments.hpp"

namespace plenko {

class M2Measure {
public:
    static Expected<M2Measure, IndicatorError> create(std::size_t period, double risk_free, double benchmark_stddev);
    std::optional<double> update(double close);
    std::size_t warmup_period() const { return moments_.length(); }

private:
    explicit M2Measure(std::size_t n, double risk_free, double benchmark_stddev);
    ShiftedMoments<2> moments_;
    double risk_free_;
    double benchmark_stddev_;
};

// Defined here so that the evaluator wrapper inlines the whole update.
inline std::optional<double> M2Measure::update(double close) {
    moments_.push(close);
    if (!moments_.full()) return std::nullopt;
    const double s2 = moments_.sample_variance();
    if (s2 == 0.0) return 0.0;
    return (moments_.mean() - risk_free_) / std::sqrt(s2) * benchmark_stddev_ + risk_free_;
}

}  // namespace plenko
