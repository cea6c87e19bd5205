#pragma once
// VolatilityCone, published definition (Burghardt–Lane): the rolling sample sigma of log returns and its range and rank over the lookback.
//
// VolatilityCone (Burghardt–Lane): the sample standard deviation of the log
// close-to-close returns over `window` candles (not annualised) is collected
// over the last `lookback` values; current = the newest, min, median and max
// over the collection, percentile = 100·(count below current + ½·count
// equal)/count. Candles whose close is not above 0 are skipped.

#include <array>
#include <cmath>
#include <cstddef>
#include <optional>
#include <span>
#include <string_view>

#include "indicators/indicator.hpp"
#include "indicators/statistics/shifted_moments.hpp"
#include "indicators/volatility/log_returns.hpp"

namespace plenko {

class VolatilityCone {
public:
    static constexpr std::array<std::string_view, 5> field_names{"current", "min", "median", "max", "percentile"};

    static Expected<VolatilityCone, IndicatorError> create(std::size_t window, std::size_t lookback);

    std::optional<double> update(const Candle& c);
    std::size_t warmup_period() const { return sat_add(returns_.length(), collected_.length()); }
    std::span<const double> field_values() const { return out_; }

private:
    VolatilityCone(std::size_t window, std::size_t lookback) : returns_(window), collected_(lookback) {}

    LogReturns feed_;
    ShiftedMoments<2> returns_;
    SortedWindow collected_;
    std::array<double, 5> out_{NAN, NAN, NAN, NAN, NAN};
};

}  // namespace plenko
