#pragma once
// GarmanKlassVolatility: σ² = mean over the last n candles of
// 0.5·ln(high/low)² − (2·ln 2 − 1)·ln(close/open)², yielded as
// √(max(σ², 0)) · √periods · 100.

#include <cmath>
#include <cstddef>
#include <numbers>
#include <optional>

#include "indicators/indicator.hpp"
#include "indicators/volatility/range_estimator.hpp"

namespace plenko {

struct GarmanKlassTerm {
    static double of(const Candle& c) {
        const double hl = std::log(c.high / c.low);
        const double co = std::log(c.close / c.open);
        return 0.5 * (hl * hl) - (2.0 * std::numbers::ln2 - 1.0) * (co * co);
    }
    static double variance(double sum, double n) { return sum / n; }
};

class GarmanKlassVolatility {
public:
    static Expected<GarmanKlassVolatility, IndicatorError> create(std::size_t period, std::size_t periods_per_year);

    std::optional<double> update(const Candle& c) { return core_.update(c); }
    std::size_t warmup_period() const { return core_.length(); }

private:
    GarmanKlassVolatility(std::size_t n, std::size_t periods) : core_(n, periods) {}
    RangeEstimator<GarmanKlassTerm> core_;
};

}  // namespace plenko
