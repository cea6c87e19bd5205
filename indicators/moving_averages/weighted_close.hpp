#pragma once
// WeightedClose: the close counted twice with the high and the low, over four.

#include <cstddef>
#include <optional>

#include "indicators/indicator.hpp"

namespace plenko {

class WeightedClose {
public:
    static Expected<WeightedClose, IndicatorError> create();

    std::optional<double> update(const Candle& c) { return (2.0 * c.close + c.high + c.low) * 0.25; }
    std::size_t warmup_period() const { return 1; }
};

}  // namespace plenko
