#include "indicators/volatility/wave_pm.hpp"

#include <cmath>

namespace plenko {

Expected<WavePm, IndicatorError> WavePm::create(std::size_t lag, std::size_t smoothing) {
    if (auto ok = check_period(lag); !ok) return unexpected(ok.error());
    if (auto ok = check_period(smoothing); !ok) return unexpected(ok.error());
    return WavePm(lag, smoothing);
}

std::optional<double> WavePm::update(double close) {
    const auto back = closes_.push(close);
    if (!back) return std::nullopt;
    const double d = close - *back;
    const double o = d * d;
    const auto a = power_.update(o);
    if (!a) return std::nullopt;
    const double u = *a > 0.0 ? 1.0 - std::exp(-o / (2.0 * *a)) : 0.0;
    const auto shaped = shaped_.update(u);
    if (!shaped) return std::nullopt;
    return 100.0 * *shaped;
}

}  // namespace plenko
