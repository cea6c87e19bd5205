#include "indicators/volatility/volatility_of_volatility.hpp"

namespace plenko {

Expected<VolatilityOfVolatility, IndicatorError> VolatilityOfVolatility::create(std::size_t volatility_length,
                                                                                std::size_t outer_length) {
    if (auto ok = check_period(volatility_length); !ok) return unexpected(ok.error());
    if (auto ok = check_period(outer_length); !ok) return unexpected(ok.error());
    if (volatility_length < 2 || outer_length < 2) {
        return unexpected(IndicatorError::invalid_period("vol-of-vol windows must both be >= 2"));
    }
    return VolatilityOfVolatility(volatility_length, outer_length);
}

std::optional<double> VolatilityOfVolatility::update(double close) {
    const auto r = feed_.update(close);
    if (!r) return std::nullopt;
    returns_.push(*r);
    if (!returns_.full()) return std::nullopt;
    volatilities_.push(returns_.std_dev());
    if (!volatilities_.full()) return std::nullopt;
    return volatilities_.std_dev();
}

}  // namespace plenko
