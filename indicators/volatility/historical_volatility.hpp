#pragma once
// HistoricalVolatility: sample standard deviation (divisor n − 1) of the last
// n log returns, · √periods · 100. Closes that are not above 0 are skipped.

#include <cstddef>
#include <optional>

#include "indicators/indicator.hpp"
#include "indicators/statistics/shifted_moments.hpp"
#include "indicators/volatility/log_returns.hpp"
#include "indicators/volatility/periods_per_year.hpp"

namespace plenko {

class HistoricalVolatility {
public:
    static Expected<HistoricalVolatility, IndicatorError> create(std::size_t period, std::size_t periods_per_year);

    std::optional<double> update(double close);
    std::size_t warmup_period() const { return sat_add(returns_.length(), 1); }

private:
    HistoricalVolatility(std::size_t n, std::size_t periods) : returns_(n), annual_(periods) {}

    LogReturns feed_;
    ShiftedMoments<2> returns_;
    Annualisation annual_;
};

}  // namespace plenko
