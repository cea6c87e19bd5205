#pragma once
// Ehma: the Hull construction with exponential averages: EMA(half) and
// EMA(n) of the closes; once both yield, 2·EMA(half) − EMA(n) feeds an EMA(s).
// half and s as for Hma.

#include <cstddef>
#include <optional>

#include "indicators/indicator.hpp"
#include "indicators/moving_averages/hull_construction.hpp"

namespace plenko {

class Ehma {
public:
    static Expected<Ehma, IndicatorError> create(std::size_t period);

    std::optional<double> update(double close) { return hull_.update(close); }
    std::size_t warmup_period() const { return hull_.warmup_period(); }

private:
    explicit Ehma(std::size_t n) : hull_(n) {}
    HullConstruction<ExponentialAverage> hull_;
};

}  // namespace plenko
