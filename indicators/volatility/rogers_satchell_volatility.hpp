#pragma once
// RogersSatchellVolatility: σ² = mean over the last n candles of
// ln(high/close)·ln(high/open) + ln(low/close)·ln(low/open), yielded as
// √(max(σ², 0)) · √periods · 100.

#include <cmath>
#include <cstddef>
#include <optional>

#include "indicators/indicator.hpp"
#include "indicators/volatility/range_estimator.hpp"

namespace plenko {

struct RogersSatchellTerm {
    static double of(const Candle& c) {
        return std::log(c.high / c.close) * std::log(c.high / c.open) +
               std::log(c.low / c.close) * std::log(c.low / c.open);
    }
    static double variance(double sum, double n) { return sum / n; }
};

class RogersSatchellVolatility {
public:
    static Expected<RogersSatchellVolatility, IndicatorError> create(std::size_t period,
                                                                     std::size_t periods_per_year);

    std::optional<double> update(const Candle& c) { return core_.update(c); }
    std::size_t warmup_period() const { return core_.length(); }

private:
    RogersSatchellVolatility(std::size_t n, std::size_t periods) : core_(n, periods) {}
    RangeEstimator<RogersSatchellTerm> core_;
};

}  // namespace plenko
