#pragma once
// Population variance of the last n closes.

#include <cstddef>
#include <optional>

#include "indicators/expected.hpp"
#include "indicators/indicator_error.hpp"
#include "indicators/statistics/shifted_moments.hpp"

namespace plenko {

class Variance {
public:
    static Expected<Variance, IndicatorError> create(std::size_t period);
    std::optional<double> update(double close);
    std::size_t warmup_period() const { return moments_.length(); }

private:
    explicit Variance(std::size_t n);
    ShiftedMoments<2> moments_;
};

// Defined here so that the evaluator wrapper inlines the whole update.
inline std::optional<double> Variance::update(double close) {
    moments_.push(close);
    if (!moments_.full()) return std::nullopt;
    return moments_.variance();
}

}  // namespace plenko
