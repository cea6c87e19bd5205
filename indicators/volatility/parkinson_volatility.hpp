#pragma once
// ParkinsonVolatility: σ² = Σ ln(high/low)² / (4·ln 2·n) over the last n
// candles, yielded as √σ² · √periods · 100.

#include <cmath>
#include <cstddef>
#include <numbers>
#include <optional>

#include "indicators/indicator.hpp"
#include "indicators/volatility/range_estimator.hpp"

namespace plenko {

struct ParkinsonTerm {
    static double of(const Candle& c) {
        const double hl = std::log(c.high / c.low);
        return hl * hl;
    }
    static double variance(double sum, double n) { return sum / (4.0 * std::numbers::ln2 * n); }
};

class ParkinsonVolatility {
public:
    static Expected<ParkinsonVolatility, IndicatorError> create(std::size_t period, std::size_t periods_per_year);

    std::optional<double> update(const Candle& c) { return core_.update(c); }
    std::size_t warmup_period() const { return core_.length(); }

private:
    ParkinsonVolatility(std::size_t n, std::size_t periods) : core_(n, periods) {}
    RangeEstimator<ParkinsonTerm> core_;
};

}  // namespace plenko
