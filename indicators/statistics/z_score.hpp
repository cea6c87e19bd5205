#pragma once
// Distance of the newest close from the window mean in population standard deviations; 0 on a
// flat window.

#include <cmath>
#include <cstddef>
#include <optional>

#include "indicators/expected.hpp"
#include "indicators/indicator_error.hpp"
#include "indicators/statistics/shifted_moments.hpp"

namespace plenko {

class ZScore {
public:
    static Expected<ZScore, IndicatorError> create(std::size_t period);
    std::optional<double> update(double close);
    std::size_t warmup_period() const { return moments_.length(); }

private:
    explicit ZScore(std::size_t n);
    ShiftedMoments<2> moments_;
};

// Defined here so that the evaluator wrapper inlines the whole update.
inline std::optional<double> ZScore::update(double close) {
    moments_.push(close);
    if (!moments_.full()) return std::nullopt;
    const double variance = moments_.variance();
    if (variance == 0.0) return 0.0;
    return (close - moments_.mean()) / std::sqrt(variance);
}

}  // namespace plenko
