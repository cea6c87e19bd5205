#pragma once
// Sma: plain mean of the last n closes (running sum, re-summed every 16·n
// inputs; see SimpleAverage).

#include <cstddef>
#include <optional>

#include "indicators/indicator.hpp"

namespace plenko {

class Sma {
public:
    static Expected<Sma, IndicatorError> create(std::size_t period);

    std::optional<double> update(double close) { return core_.update(close); }
    std::size_t warmup_period() const { return core_.length(); }

private:
    explicit Sma(std::size_t n) : core_(n) {}
    SimpleAverage core_;
};

}  // namespace plenko
