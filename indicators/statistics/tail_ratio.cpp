#include "indicators/statistics/tail_ratio.hpp"

#include <cmath>

#include "indicators/blocks/window_length.hpp"
#include "indicators/statistics/sorted_quantiles.hpp"

namespace plenko {

TailRatio::TailRatio(std::size_t n) : window_(n) {}

Expected<TailRatio, IndicatorError> TailRatio::create(std::size_t period) {
    if (auto ok = check_period(period); !ok) return unexpected(ok.error());
    if (period < 2) return unexpected(IndicatorError::invalid_period("tail ratio needs period >= 2"));
    return TailRatio(period);
}

std::optional<double> TailRatio::update(double close) {
    window_.update(close);
    if (!window_.full()) return std::nullopt;
    const auto s = window_.sorted();
    const double left = quantile_of_sorted(s, 0.05);
    if (left == 0.0) return 0.0;
    return quantile_of_sorted(s, 0.95) / std::fabs(left);
}

}  // namespace plenko
