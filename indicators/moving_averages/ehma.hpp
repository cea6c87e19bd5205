#pragma once
// Ehma: the Hull construction with exponential averages: EMA(half) and
// EMA(n) of the closes; once both yield, 2·EMA(half) − EMA(n) feeds an EMA(s).
// half and s as for Hma.

#include <cstddef>
#include <optional>

#include "indicators/indicator.hpp"

namespace plenko {

class Ehma {
public:
    static Expected<Ehma, IndicatorError> create(std::size_t period);

    std::optional<double> update(double close);
    std::size_t warmup_period() const;

private:
    explicit Ehma(std::size_t n);
    ExponentialAverage half_;
    ExponentialAverage full_;
    ExponentialAverage smooth_;
};

}  // namespace plenko
