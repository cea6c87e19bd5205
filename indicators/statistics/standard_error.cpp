#include "indicators/statistics/standard_error.hpp"

#include <cmath>

#include "indicators/blocks/window_length.hpp"

namespace plenko {

StandardError::StandardError(std::size_t n) : fit_(n) {}

Expected<StandardError, IndicatorError> StandardError::create(std::size_t period) {
    if (auto ok = check_period(period); !ok) return unexpected(ok.error());
    if (period < 3) return unexpected(IndicatorError::invalid_period("standard error needs period >= 3"));
    return StandardError(period);
}

std::optional<double> StandardError::update(double close) {
    fit_.push(close);
    if (!fit_.full()) return std::nullopt;
    const double n = static_cast<double>(fit_.length());
    return std::sqrt(fit_.fit().ssr / (n - 2.0));
}

}  // namespace plenko
