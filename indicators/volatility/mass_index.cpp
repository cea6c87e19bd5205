#include "indicators/volatility/mass_index.hpp"

namespace plenko {

Expected<MassIndex, IndicatorError> MassIndex::create(std::size_t ema_length, std::size_t sum_length) {
    if (auto ok = check_period(ema_length); !ok) return unexpected(ok.error());
    if (auto ok = check_period(sum_length); !ok) return unexpected(ok.error());
    return MassIndex(ema_length, sum_length);
}

std::optional<double> MassIndex::update(const Candle& c) {
    const auto e1 = single_.update(c.high - c.low);
    if (!e1) return std::nullopt;
    const auto e2 = double_.update(*e1);
    if (!e2) return std::nullopt;
    ratios_.update(*e2 == 0.0 ? 1.0 : *e1 / *e2);
    if (!ratios_.full()) return std::nullopt;
    return ratios_.sum();
}

}  // namespace plenko
