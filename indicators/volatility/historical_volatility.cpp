#include "indicators/volatility/historical_volatility.hpp"

namespace plenko {

Expected<HistoricalVolatility, IndicatorError> HistoricalVolatility::create(std::size_t period,
                                                                            std::size_t periods_per_year) {
    if (auto ok = check_period(period); !ok) return unexpected(ok.error());
    if (period < 2) return unexpected(IndicatorError::invalid_period("historical volatility period must be >= 2"));
    if (auto ok = check_periods_per_year(periods_per_year); !ok) return unexpected(ok.error());
    return HistoricalVolatility(period, periods_per_year);
}

std::optional<double> HistoricalVolatility::update(double close) {
    const auto r = feed_.update(close);
    if (!r) return std::nullopt;
    returns_.push(*r);
    if (!returns_.full()) return std::nullopt;
    return annual_.of_variance(returns_.sample_variance());
}

}  // namespace plenko
