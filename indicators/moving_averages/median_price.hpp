#pragma once
// MedianPrice: midpoint of the high and the low of each candle (overflow-safe).

#include <cstddef>
#include <optional>

#include "indicators/indicator.hpp"

namespace plenko {

class MedianPrice {
public:
    static Expected<MedianPrice, IndicatorError> create();

    std::optional<double> update(const Candle& c) { return safe_midpoint(c.high, c.low); }
    std::size_t warmup_period() const { return 1; }
};

}  // namespace plenko
