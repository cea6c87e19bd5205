#include "indicators/volatility/volatility_cone.hpp"

#include <algorithm>

namespace plenko {

Expected<VolatilityCone, IndicatorError> VolatilityCone::create(std::size_t window, std::size_t lookback) {
    if (auto ok = check_period(window); !ok) return unexpected(ok.error());
    if (auto ok = check_period(lookback); !ok) return unexpected(ok.error());
    if (window < 2 || lookback < 2) {
        return unexpected(IndicatorError::invalid_period("volatility cone window and lookback must both be >= 2"));
    }
    return VolatilityCone(window, lookback);
}

std::optional<double> VolatilityCone::update(const Candle& c) {
    const auto r = feed_.update(c.close);
    if (!r) return std::nullopt;
    returns_.push(*r);
    if (!returns_.full()) return std::nullopt;
    const double current = std::sqrt(returns_.sample_variance());
    collected_.update(current);
    if (!collected_.full()) return std::nullopt;
    const std::span<const double> s = collected_.sorted();
    const auto below = std::lower_bound(s.begin(), s.end(), current);
    const auto above = std::upper_bound(below, s.end(), current);
    const double count = static_cast<double>(s.size());
    const double rank = static_cast<double>(below - s.begin()) + 0.5 * static_cast<double>(above - below);
    out_ = {current, collected_.min(), collected_.median(), collected_.max(), 100.0 * rank / count};
    return out_[0];
}

}  // namespace plenko
