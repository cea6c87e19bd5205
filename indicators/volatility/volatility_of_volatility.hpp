#pragma once
// VolatilityOfVolatility, published definition: the population sigma, over the outer length, of the rolling population sigma of log returns.
//
// VolatilityOfVolatility: population standard deviation over the outer length
// of the rolling population standard deviation of log returns over the
// volatility length; not annualised. Closes that are not above 0 are skipped.

#include <cstddef>
#include <optional>

#include "indicators/indicator.hpp"
#include "indicators/statistics/shifted_moments.hpp"
#include "indicators/volatility/log_returns.hpp"

namespace plenko {

class VolatilityOfVolatility {
public:
    static Expected<VolatilityOfVolatility, IndicatorError> create(std::size_t volatility_length,
                                                                   std::size_t outer_length);

    std::optional<double> update(double close);
    // Returns start at the second close, the first volatility at close
    // vol + 1, the first full outer window outer − 1 closes later.
    std::size_t warmup_period() const { return sat_add(returns_.length(), volatilities_.length()); }

private:
    VolatilityOfVolatility(std::size_t v, std::size_t o) : returns_(v), volatilities_(o) {}

    LogReturns feed_;
    ShiftedMoments<2> returns_;
    ShiftedMoments<2> volatilities_;
};

}  // namespace plenko
