#include "indicators/statistics/common_sense_ratio.hpp"

#include <cmath>

#include "indicators/blocks/window_length.hpp"
#include "indicators/statistics/sorted_quantiles.hpp"

namespace plenko {

CommonSenseRatio::CommonSenseRatio(std::size_t n) : window_(n) {}

Expected<CommonSenseRatio, IndicatorError> CommonSenseRatio::create(std::size_t period) {
    if (auto ok = check_period(period); !ok) return unexpected(ok.error());
    if (period < 2) return unexpected(IndicatorError::invalid_period("common sense ratio needs period >= 2"));
    return CommonSenseRatio(period);
}

std::optional<double> CommonSenseRatio::update(double close) {
    window_.update(close);
    if (!window_.full()) return std::nullopt;
    double gains = 0.0;
    double losses = 0.0;
    window_.arrivals().for_each([&](double x) {
        gains = gains + (x > 0.0 ? x : 0.0);
        losses = losses + (-x > 0.0 ? -x : 0.0);
    });
    const auto s = window_.sorted();
    const double left = quantile_of_sorted(s, 0.05);
    if (losses <= 0.0 || left == 0.0) return 0.0;
    return quantile_of_sorted(s, 0.95) / std::fabs(left) * gains / losses;
}

}  // namespace plenko
