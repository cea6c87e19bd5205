#pragma once
// VolatilityRatio: the candle's true range over the mean true range of the
// n candles before it, 0 when that mean is not above 0. The first candle
// only primes the previous close, so the ring of n true ranges starts with
// the second candle and the first value comes at candle n + 2.

#include <cstddef>
#include <optional>

#include "indicators/indicator.hpp"
#include "indicators/volatility/true_range_core.hpp"

namespace plenko {

class VolatilityRatio {
public:
    static Expected<VolatilityRatio, IndicatorError> create(std::size_t period);

    std::optional<double> update(const Candle& c);
    std::size_t warmup_period() const { return sat_add(ranges_.length(), 2); }

private:
    explicit VolatilityRatio(std::size_t n) : ranges_(n) {}

    TrueRangeCore true_range_;
    SimpleAverage ranges_;  // the previous n true ranges
};

}  // namespace plenko
