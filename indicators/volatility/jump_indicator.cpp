#include "indicators/volatility/jump_indicator.hpp"

#include <cmath>

namespace plenko {

Expected<JumpIndicator, IndicatorError> JumpIndicator::create(std::size_t period, double threshold) {
    if (auto ok = check_period(period); !ok) return unexpected(ok.error());
    if (period < 2) return unexpected(IndicatorError::invalid_period("jump indicator needs period >= 2"));
    if (!std::isfinite(threshold) || !(threshold > 0.0)) {
        return unexpected(IndicatorError::invalid_parameter("jump indicator threshold must be finite and positive"));
    }
    return JumpIndicator(period, threshold);
}

std::optional<double> JumpIndicator::update(double close) {
    const auto r = feed_.update(close);
    if (!r) return std::nullopt;
    std::optional<double> out;
    if (returns_.full()) {
        const double z = *r - returns_.mean();
        const double bound = threshold_ * std::sqrt(returns_.sample_variance());
        out = z > bound ? 1.0 : z < -bound ? -1.0 : 0.0;
    }
    returns_.push(*r);
    return out;
}

}  // namespace plenko
