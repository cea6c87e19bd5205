#pragma once
// HighLowRange: (high − low) / close of each candle, 0 when the close is 0.

#include <cstddef>
#include <optional>

#include "indicators/indicator.hpp"

namespace plenko {

class HighLowRange {
public:
    static Expected<HighLowRange, IndicatorError> create();

    std::optional<double> update(const Candle& c) {
        if (c.close == 0.0) return 0.0;
        return (c.high - c.low) / c.close;
    }
    std::size_t warmup_period() const { return 1; }

private:
    HighLowRange() = default;
};

}  // namespace plenko
