#include "indicators/volatility/donchian.hpp"

#include "indicators/volatility/window_extremes.hpp"

namespace plenko {

Expected<Donchian, IndicatorError> Donchian::create(std::size_t period) {
    if (auto ok = check_period(period); !ok) return unexpected(ok.error());
    return Donchian(period);
}

std::optional<double> Donchian::update(const Candle& c) {
    highs_.push(c.high);
    lows_.push(c.low);
    if (!highs_.full()) return std::nullopt;
    const double upper = window_max(highs_);
    const double lower = window_min(lows_);
    out_ = {upper, safe_midpoint(upper, lower), lower};
    return out_[0];
}

}  // namespace plenko
