#include "indicators/volatility/volatility_ratio.hpp"

namespace plenko {

Expected<VolatilityRatio, IndicatorError> VolatilityRatio::create(std::size_t period) {
    if (auto ok = check_period(period); !ok) return unexpected(ok.error());
    return VolatilityRatio(period);
}

std::optional<double> VolatilityRatio::update(const Candle& c) {
    const bool primed = true_range_.has_previous();
    const double tr = true_range_.update(c);
    if (!primed) return std::nullopt;
    std::optional<double> out;
    if (ranges_.full()) {
        const double mean = ranges_.sum() / static_cast<double>(ranges_.length());
        out = mean > 0.0 ? tr / mean : 0.0;
    }
    ranges_.update(tr);
    return out;
}

}  // namespace plenko
