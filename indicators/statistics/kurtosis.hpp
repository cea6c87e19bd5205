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

}  // namespace plenko
