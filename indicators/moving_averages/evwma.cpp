#include "indicators/moving_averages/evwma.hpp"

namespace plenko {

Expected<Evwma, IndicatorError> Evwma::create(std::size_t period) {
    if (auto ok = check_period(period); !ok) return unexpected(ok.error());
    return Evwma(period);
}

std::optional<double> Evwma::update(const Candle& candle) {
    const double v = candle.volume;
    if (auto old = volumes_.push(v)) {
        volume_ = v + (volume_ - *old);
    } else {
        volume_ = v + volume_;
    }
    if (!volumes_.full()) return std::nullopt;
    const double prev = has_value_ ? value_ : candle.close;
    if (volume_ > 0.0) {
        value_ = (v * candle.close + (volume_ - v) * prev) / volume_;
    } else {
        value_ = prev;
    }
    has_value_ = true;
    return value_;
}

}  // namespace plenko
