#pragma once
// TypicalPrice: mean of the high, low and close of each candle.

#include <cstddef>
#include <optional>

#include "indicators/indicator.hpp"

namespace plenko {

class TypicalPrice {
public:
    static Expected<TypicalPrice, IndicatorError> create();

    std::optional<double> update(const Candle& c) { return (c.high + c.low + c.close) / 3.0; }
    std::size_t warmup_period() const { return 1; }
};

}  // namespace plenko
