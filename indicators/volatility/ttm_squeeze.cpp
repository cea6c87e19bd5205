#include "indicators/volatility/ttm_squeeze.hpp"

#include "indicators/volatility/window_extremes.hpp"

namespace plenko {

Expected<TtmSqueeze, IndicatorError> TtmSqueeze::create(std::size_t period, double bollinger_k, double keltner_k) {
    if (auto ok = check_period(period); !ok) return unexpected(ok.error());
    if (period < 2) {
        return unexpected(IndicatorError::invalid_period("TTM squeeze needs period >= 2 for the momentum regression"));
    }
    return TtmSqueeze(period, bollinger_k, keltner_k);
}

std::optional<double> TtmSqueeze::update(const Candle& c) {
    // Every stage of the same length fills on the same candle n.
    const bool full = bollinger_.update(c.close);
    const auto sma = sma_.update(c.close);
    const auto atr = atr_.update(c);
    highs_.push(c.high);
    lows_.push(c.low);
    if (!full || !sma || !atr) return std::nullopt;

    const double donchian_mid = safe_midpoint(window_max(highs_), window_min(lows_));
    momentum_.push(c.close - safe_midpoint(donchian_mid, *sma));
    if (!momentum_.full()) return std::nullopt;

    const double m = bollinger_.mean();
    const double sd = bollinger_.std_dev();
    const double bb_upper = m + bollinger_k_ * sd;
    const double bb_lower = m - bollinger_k_ * sd;
    const double kc_upper = *sma + keltner_k_ * *atr;
    const double kc_lower = *sma - keltner_k_ * *atr;
    const double squeeze = bb_upper < kc_upper && bb_lower > kc_lower ? 1.0 : 0.0;
    const double n = static_cast<double>(momentum_.length());
    out_ = {squeeze, momentum_.value_at(n - 1.0)};
    return out_[0];
}

}  // namespace plenko
