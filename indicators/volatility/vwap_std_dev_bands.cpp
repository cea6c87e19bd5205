#include "indicators/volatility/vwap_std_dev_bands.hpp"

namespace plenko {

Expected<VwapStdDevBands, IndicatorError> VwapStdDevBands::create(double k) { return VwapStdDevBands(k); }

std::optional<double> VwapStdDevBands::update(const Candle& c) {
    const double v = c.volume;
    if (v > 0.0) {
        const double tp = (c.high + c.low + c.close) / 3.0;
        volume_ = volume_ + v;
        price_volume_ = price_volume_ + v * tp;
        const double before = tp - mean_;
        mean_ = mean_ + (v / volume_) * before;
        spread_ = spread_ + v * before * (tp - mean_);
    }
    if (!(volume_ > 0.0)) return std::nullopt;
    const double middle = price_volume_ / volume_;
    const double variance = spread_ / volume_;
    const double sd = variance > 0.0 ? std::sqrt(variance) : 0.0;
    const double width = k_ * sd;
    out_ = {middle + width, middle, middle - width, sd};
    return out_[0];
}

}  // namespace plenko
