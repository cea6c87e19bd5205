#include "indicators/statistics/rolling_iqr.hpp"

#include "indicators/blocks/window_length.hpp"
#include "indicators/statistics/sorted_quantiles.hpp"

namespace plenko {

RollingIqr::RollingIqr(std::size_t n) : window_(n) {}

Expected<RollingIqr, IndicatorError> RollingIqr::create(std::size_t period) {
    if (auto ok = check_period(period); !ok) return unexpected(ok.error());
    return RollingIqr(period);
}

std::optional<double> RollingIqr::update(double close) {
    window_.update(close);
    if (!window_.full()) return std::nullopt;
    const auto s = window_.sorted();
    return quantile_of_sorted(s, 0.75) - quantile_of_sorted(s, 0.25);
}

}  // namespace plenko
