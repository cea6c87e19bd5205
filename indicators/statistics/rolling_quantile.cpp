#include "indicators/statistics/rolling_quantile.hpp"

#include <cmath>

#include "indicators/blocks/window_length.hpp"
#include "indicators/statistics/sorted_quantiles.hpp"

namespace plenko {

RollingQuantile::RollingQuantile(std::size_t n, double q) : window_(n), q_(q) {}

Expected<RollingQuantile, IndicatorError> RollingQuantile::create(std::size_t period, double q) {
    if (auto ok = check_period(period); !ok) return unexpected(ok.error());
    if (!std::isfinite(q) || q < 0.0 || q > 1.0) {
        return unexpected(IndicatorError::invalid_parameter("rolling quantile must be a finite value in [0.0, 1.0]"));
    }
    return RollingQuantile(period, q);
}

std::optional<double> RollingQuantile::update(double close) {
    window_.update(close);
    if (!window_.full()) return std::nullopt;
    return quantile_of_sorted(window_.sorted(), q_);
}

}  // namespace plenko
