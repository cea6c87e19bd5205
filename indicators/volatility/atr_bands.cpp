#include "indicators/volatility/atr_bands.hpp"

namespace plenko {

Expected<AtrBands, IndicatorError> AtrBands::create(std::size_t period, double k) {
    if (auto ok = check_period(period); !ok) return unexpected(ok.error());
    return AtrBands(period, k);
}

std::optional<double> AtrBands::update(const Candle& c) {
    const auto atr = atr_.update(c);
    if (!atr) return std::nullopt;
    const double width = k_ * *atr;
    out_ = {c.close + width, c.close, c.close - width};
    return out_[0];
}

}  // namespace plenko
