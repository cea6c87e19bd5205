#include "indicators/volatility/acceleration_bands.hpp"

namespace plenko {

Expected<AccelerationBands, IndicatorError> AccelerationBands::create(std::size_t period, double factor) {
    if (auto ok = check_period(period); !ok) return unexpected(ok.error());
    return AccelerationBands(period, factor);
}

std::optional<double> AccelerationBands::update(const Candle& c) {
    const double sum = c.high + c.low;
    const double f = sum == 0.0 ? 0.0 : (c.high - c.low) / sum;
    const auto upper = upper_.update(c.high * (1.0 + factor_ * f));
    const auto middle = middle_.update(c.close);
    const auto lower = lower_.update(c.low * (1.0 - factor_ * f));
    if (!upper || !middle || !lower) return std::nullopt;
    out_ = {*upper, *middle, *lower};
    return out_[0];
}

}  // namespace plenko
