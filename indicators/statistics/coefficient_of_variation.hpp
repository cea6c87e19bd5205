#pragma once
// Population standard deviation over the (signed) window mean; 0 when the mean is 0.

#include <cstddef>
#include <optional>

#include "indicators/expected.hpp"
#include "indicators/indicator_error.hpp"
#include "indicators/statistics/shifted_moments.hpp"

namespace plenko {

class CoefficientOfVariation {
public:
    static Expected<CoefficientOfVariation, IndicatorError> create(std::size_t period);
    std::optional<double> update(double close);
    std::size_t warmup_period() const { return moments_.length(); }

private:
    explicit CoefficientOfVariation(std::size_t n);
    ShiftedMoments<2> moments_;
};

// Defined here so that the evaluator wrapper inlines the whole update.
inline std::optional<double> CoefficientOfVariation::update(double close) {
    moments_.push(close);
    if (!moments_.full()) return std::nullopt;
    const double mean = moments_.mean();
    if (mean == 0.0) return 0.0;
    return moments_.std_dev() / mean;
}

}  // namespace plenko
