#include "indicators/volatility/hurst_channel.hpp"

#include "indicators/volatility/window_extremes.hpp"

namespace plenko {

Expected<HurstChannel, IndicatorError> HurstChannel::create(std::size_t period, double k) {
    if (auto ok = check_period(period); !ok) return unexpected(ok.error());
    return HurstChannel(period, k);
}

std::optional<double> HurstChannel::update(const Candle& c) {
    const auto middle = sma_.update(safe_midpoint(c.high, c.low));
    highs_.push(c.high);
    lows_.push(c.low);
    if (!middle) return std::nullopt;
    // Halved before the subtraction (exact), so the widest range cannot overflow.
    const double half_range = window_max(highs_) * 0.5 - window_min(lows_) * 0.5;
    const double width = k_ * half_range;
    out_ = {*middle + width, *middle, *middle - width};
    return out_[0];
}

}  // namespace plenko
