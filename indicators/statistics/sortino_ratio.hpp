#pragma once
// Sortino ratio of the last n returns: mean excess over a target T divided by the downside
// deviation √(Σ over x < T of (x − T)²/n); 0 when that deviation is 0.

#include <cstddef>
#include <optional>

#include "indicators/expected.hpp"
#include "indicators/indicator_error.hpp"
#include "indicators/statistics/resummed_sum.hpp"

namespace plenko {

class SortinoRatio {
public:
    static Expected<SortinoRatio, IndicatorError> create(std::size_t period, double target);
    std::optional<double> update(double close);
    std::size_t warmup_period() const { return sums_.length(); }

private:
    explicit SortinoRatio(std::size_t n, double target);
    ResummedSum sums_;
    double target_;
};

}  // namespace plenko
