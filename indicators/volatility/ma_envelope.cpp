#include "indicators/volatility/ma_envelope.hpp"

namespace plenko {

Expected<MaEnvelope, IndicatorError> MaEnvelope::create(std::size_t period, double fraction) {
    if (auto ok = check_period(period); !ok) return unexpected(ok.error());
    return MaEnvelope(period, fraction);
}

std::optional<double> MaEnvelope::update(double close) {
    const auto s = sma_.update(close);
    if (!s) return std::nullopt;
    out_ = {(1.0 + fraction_) * *s, *s, (1.0 - fraction_) * *s};
    return out_[0];
}

}  // namespace plenko
