#include "indicators/volatility/starc_bands.hpp"

namespace plenko {

Expected<StarcBands, IndicatorError> StarcBands::create(std::size_t sma_length, std::size_t atr_length, double k) {
    if (auto ok = check_period(sma_length); !ok) return unexpected(ok.error());
    if (auto ok = check_period(atr_length); !ok) return unexpected(ok.error());
    return StarcBands(sma_length, atr_length, k);
}

std::optional<double> StarcBands::update(const Candle& c) {
    const auto middle = sma_.update(c.close);
    const auto atr = atr_.update(c);
    if (!middle || !atr) return std::nullopt;
    const double width = k_ * *atr;
    out_ = {*middle + width, *middle, *middle - width};
    return out_[0];
}

}  // namespace plenko
