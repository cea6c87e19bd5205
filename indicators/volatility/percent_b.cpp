#include "indicators/volatility/percent_b.hpp"

namespace plenko {

Expected<PercentB, IndicatorError> PercentB::create(std::size_t period, double k) {
    if (auto ok = check_period(period); !ok) return unexpected(ok.error());
    return PercentB(period, k);
}

std::optional<double> PercentB::update(double close) {
    if (!core_.update(close)) return std::nullopt;
    const double m = core_.mean();
    const double sd = core_.std_dev();
    const double upper = m + k_ * sd;
    const double lower = m - k_ * sd;
    const double width = upper - lower;
    if (width == 0.0) return 0.5;
    return (close - lower) / width;
}

}  // namespace plenko
