#pragma once
// Wma: linearly weighted mean of the last n closes, newest weighted n.

#include <cstddef>
#include <optional>

#include "indicators/indicator.hpp"
#include "indicators/moving_averages/weighted_average.hpp"

namespace plenko {

class Wma {
public:
    static Expected<Wma, IndicatorError> create(std::size_t period);

    std::optional<double> update(double close) { return core_.update(close); }
    std::size_t warmup_period() const { return core_.length(); }

private:
    explicit Wma(std::size_t n) : core_(n) {}
    WeightedAverage core_;
};

}  // namespace plenko
