#include "indicators/moving_averages/mid_price.hpp"

namespace plenko {

Expected<MidPrice, IndicatorError> MidPrice::create(std::size_t period) {
    if (auto ok = check_period(period); !ok) return unexpected(ok.error());
    return MidPrice(period);
}

std::optional<double> MidPrice::update(const Candle& candle) {
    window_.push({candle.high, candle.low});
    if (!window_.full()) return std::nullopt;
    double high = window_.oldest().high;
    double low = window_.oldest().low;
    window_.for_each([&](const Span& s) {
        if (s.high > high) high = s.high;
        if (s.low < low) low = s.low;
    });
    return safe_midpoint(high, low);
}

}  // namespace plenko
