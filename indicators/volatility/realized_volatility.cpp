#include "indicators/volatility/realized_volatility.hpp"

#include <cmath>

namespace plenko {

Expected<RealizedVolatility, IndicatorError> RealizedVolatility::create(std::size_t period) {
    if (auto ok = check_period(period); !ok) return unexpected(ok.error());
    return RealizedVolatility(period);
}

std::optional<double> RealizedVolatility::update(double close) {
    const auto r = feed_.update(close);
    if (!r) return std::nullopt;
    squares_.update(*r * *r);
    if (!squares_.full()) return std::nullopt;
    // The running sum can dip below 0 by rounding once large squares leave.
    const double sum = squares_.sum();
    return sum > 0.0 ? std::sqrt(sum) : 0.0;
}

}  // namespace plenko
