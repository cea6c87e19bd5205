#pragma once
// Hma: Hull moving average. WMA(half) and WMA(n) of the closes, half =
// max(1, ⌊n/2⌋); once both yield, 2·WMA(half) − WMA(n) feeds a WMA of length
// s = max(1, round(√n)), whose value is the output.

#include <cstddef>
#include <optional>

#include "indicators/indicator.hpp"
#include "indicators/moving_averages/hull_construction.hpp"
#include "indicators/moving_averages/weighted_average.hpp"

namespace plenko {

class Hma {
public:
    static Expected<Hma, IndicatorError> create(std::size_t period);

    std::optional<double> update(double close) { return hull_.update(close); }
    std::size_t warmup_period() const { return hull_.warmup_period(); }

private:
    explicit Hma(std::size_t n) : hull_(n) {}
    HullConstruction<WeightedAverage> hull_;
};

}  // namespace plenko
