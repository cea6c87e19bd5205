#include "indicators/moving_averages/holt_winters.hpp"

namespace plenko {

Expected<HoltWinters, IndicatorError> HoltWinters::create(double alpha, double beta) {
    if (!(alpha > 0.0 && alpha <= 1.0)) {
        return unexpected(IndicatorError::invalid_period("HoltWinters alpha must be in (0.0, 1.0]"));
    }
    if (!(beta > 0.0 && beta <= 1.0)) {
        return unexpected(IndicatorError::invalid_period("HoltWinters beta must be in (0.0, 1.0]"));
    }
    return HoltWinters(alpha, beta);
}

std::optional<double> HoltWinters::update(double close) {
    if (seen_ == 0) {
        first_ = close;
        seen_ = 1;
        return std::nullopt;
    }
    if (seen_ == 1) {
        level_ = close;
        trend_ = close - first_;
        seen_ = 2;
        return level_ + trend_;
    }
    const double level = alpha_ * close + (1.0 - alpha_) * (level_ + trend_);
    trend_ = beta_ * (level - level_) + (1.0 - beta_) * trend_;
    level_ = level;
    return level_ + trend_;
}

}  // namespace plenko
