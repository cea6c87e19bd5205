#include "indicators/statistics/detrended_std_dev.hpp"

#include <cmath>

#include "indicators/blocks/window_length.hpp"

namespace plenko {

DetrendedStdDev::DetrendedStdDev(std::size_t n) : fit_(n) {}

Expected<DetrendedStdDev, IndicatorError> DetrendedStdDev::create(std::size_t period) {
    if (auto ok = check_period(period); !ok) return unexpected(ok.error());
    if (period < 2) return unexpected(IndicatorError::invalid_period("detrended stddev needs period >= 2"));
    return DetrendedStdDev(period);
}

std::optional<double> DetrendedStdDev::update(double close) {
    fit_.push(close);
    if (!fit_.full()) return std::nullopt;
    const double n = static_cast<double>(fit_.length());
    return std::sqrt(fit_.fit().ssr / n);
}

}  // namespace plenko
