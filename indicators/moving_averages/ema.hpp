#pragma once
// Ema: exponential average of the closes, alpha = 2/(n+1), seeded with the
// plain mean of the first n closes.

#include <cstddef>
#include <optional>

#include "indicators/indicator.hpp"

namespace plenko {

class Ema {
public:
    static Expected<Ema, IndicatorError> create(std::size_t period);

    std::optional<double> update(double close) { return core_.update(close); }
    std::size_t warmup_period() const { return core_.length(); }

private:
    explicit Ema(std::size_t n) : core_(n) {}
    ExponentialAverage core_;
};

}  // namespace plenko
