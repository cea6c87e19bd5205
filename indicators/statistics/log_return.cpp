#include "indicators/statistics/log_return.hpp"

#include <cmath>

#include "indicators/blocks/window_length.hpp"

namespace plenko {

LogReturn::LogReturn(std::size_t n) : ring_(n + 1) {}

Expected<LogReturn, IndicatorError> LogReturn::create(std::size_t period) {
    if (auto ok = check_period(period); !ok) return unexpected(ok.error());
    return LogReturn(period);
}

std::optional<double> LogReturn::update(double close) {
    if (!(close > 0.0)) return std::nullopt;
    ring_.push(close);
    if (!ring_.full()) return std::nullopt;
    return std::log(close / ring_.oldest());
}

}  // namespace plenko
