#pragma once
// TrueRange: high − low on the first candle, then the largest of high − low
// and the distances of high and low from the previous close.

#include <cstddef>
#include <optional>

#include "indicators/indicator.hpp"
#include "indicators/volatility/true_range_core.hpp"

namespace plenko {

class TrueRange {
public:
    static Expected<TrueRange, IndicatorError> create();

    std::optional<double> update(const Candle& c) { return core_.update(c); }
    std::size_t warmup_period() const { return 1; }

private:
    TrueRange() = default;
    TrueRangeCore core_;
};

}  // namespace plenko
