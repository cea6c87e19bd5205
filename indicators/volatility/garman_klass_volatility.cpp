#include "indicators/volatility/garman_klass_volatility.hpp"

namespace plenko {

Expected<GarmanKlassVolatility, IndicatorError> GarmanKlassVolatility::create(std::size_t period,
                                                                              std::size_t periods_per_year) {
    if (auto ok = check_period(period); !ok) return unexpected(ok.error());
    if (auto ok = check_periods_per_year(periods_per_year); !ok) return unexpected(ok.error());
    return GarmanKlassVolatility(period, periods_per_year);
}

}  // namespace plenko
