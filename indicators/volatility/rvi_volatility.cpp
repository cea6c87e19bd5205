#include "indicators/volatility/rvi_volatility.hpp"

namespace plenko {

Expected<RviVolatility, IndicatorError> RviVolatility::create(std::size_t period) {
    if (auto ok = check_period(period); !ok) return unexpected(ok.error());
    if (period < 2) return unexpected(IndicatorError::invalid_period("RVI period must be >= 2"));
    return RviVolatility(period);
}

std::optional<double> RviVolatility::update(double close) {
    const bool compared = has_previous_;
    const double previous = previous_;
    has_previous_ = true;
    previous_ = close;
    closes_.push(close);
    // n >= 2, so a full window always has a previous close.
    if (!closes_.full() || !compared) return std::nullopt;
    const double sd = closes_.std_dev();
    const auto up = up_.update(close > previous ? sd : 0.0);
    const auto down = down_.update(close < previous ? sd : 0.0);
    if (!up || !down) return std::nullopt;
    const double total = *up + *down;
    if (total == 0.0) return 50.0;
    return 100.0 * *up / total;
}

}  // namespace plenko
