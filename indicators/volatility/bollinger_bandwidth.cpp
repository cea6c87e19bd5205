#include "indicators/volatility/bollinger_bandwidth.hpp"

namespace plenko {

Expected<BollingerBandwidth, IndicatorError> BollingerBandwidth::create(std::size_t period, double k) {
    if (auto ok = check_period(period); !ok) return unexpected(ok.error());
    return BollingerBandwidth(period, k);
}

std::optional<double> BollingerBandwidth::update(double close) {
    if (!core_.update(close)) return std::nullopt;
    const double m = core_.mean();
    const double sd = core_.std_dev();
    if (m == 0.0) return 0.0;
    const double upper = m + k_ * sd;
    const double lower = m - k_ * sd;
    return (upper - lower) / m;
}

}  // namespace plenko
