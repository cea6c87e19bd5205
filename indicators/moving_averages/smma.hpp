#pragma once
// Smma: Wilder's smoothing of the closes, seeded with the mean of the first n.

#include <cstddef>
#include <optional>

#include "indicators/indicator.hpp"

namespace plenko {

class Smma {
public:
    static Expected<Smma, IndicatorError> create(std::size_t period);

    std::optional<double> update(double close) { return core_.update(close); }
    std::size_t warmup_period() const { return core_.length(); }

private:
    explicit Smma(std::size_t n) : core_(n) {}
    WilderSmoothing core_;
};

}  // namespace plenko
