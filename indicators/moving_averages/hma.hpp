#pragma once
// Hma: Hull moving average. WMA(half) and WMA(n) of the closes, half =
// max(1, ⌊n/2⌋); once both yield, 2·WMA(half) − WMA(n) feeds a WMA of length
// s = max(1, round(√n)), whose value is the output.

#include <cstddef>
#include <optional>

#include "indicators/indicator.hpp"
#include "indicators/moving_averages/weighted_average.hpp"

namespace plenko {

class Hma {
public:
    static Expected<Hma, IndicatorError> create(std::size_t period);

    std::optional<double> update(double close);
    std::size_t warmup_period() const;

private:
    explicit Hma(std::size_t n);
    WeightedAverage half_;
    WeightedAverage full_;
    WeightedAverage smooth_;
};

// max(1, ⌊n/2⌋) and max(1, √n rounded half away from zero): the two derived
// lengths of the Hull averages.
std::size_t hull_half_length(std::size_t n);
std::size_t hull_smoothing_length(std::size_t n);

}  // namespace plenko
