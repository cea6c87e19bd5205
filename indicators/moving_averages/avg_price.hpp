#pragma once
// AvgPrice: mean of the open, high, low and close of each candle.

#include <cstddef>
#include <optional>

#include "indicators/indicator.hpp"

namespace plenko {

class AvgPrice {
public:
    static Expected<AvgPrice, IndicatorError> create();

    std::optional<double> update(const Candle& c) { return (c.open + c.high + c.low + c.close) * 0.25; }
    std::size_t warmup_period() const { return 1; }
};

}  // namespace plenko
