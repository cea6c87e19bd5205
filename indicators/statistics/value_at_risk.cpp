#include "indicators/statistics/value_at_risk.hpp"

#include <cmath>

#include "indicators/blocks/window_length.hpp"

namespace plenko {

ValueAtRisk::ValueAtRisk(std::size_t n, double confidence)
    : window_(n), rank_((static_cast<double>(n) - 1.0) * (1.0 - confidence)) {}

Expected<ValueAtRisk, IndicatorError> ValueAtRisk::create(std::size_t period, double confidence) {
    if (auto ok = check_period(period); !ok) return unexpected(ok.error());
    if (period < 2) return unexpected(IndicatorError::invalid_period("value-at-risk needs period >= 2"));
    if (!std::isfinite(confidence) || !(confidence > 0.0 && confidence < 1.0)) {
        return unexpected(IndicatorError::invalid_period("confidence must lie strictly between 0 and 1"));
    }
    return ValueAtRisk(period, confidence);
}

std::optional<double> ValueAtRisk::update(double close) {
    window_.update(close);
    if (!window_.full()) return std::nullopt;
    const auto s = window_.sorted();
    // The rank lies in [0, n − 1] by construction; clamped in floating point
    // anyway before it becomes an index.
    const double top = static_cast<double>(s.size() - 1);
    double lo = std::floor(rank_);
    double hi = std::ceil(rank_);
    if (!(lo > 0.0)) lo = 0.0;
    if (!(hi > 0.0)) hi = 0.0;
    if (lo > top) lo = top;
    if (hi > top) hi = top;
    const auto i = static_cast<std::size_t>(lo);
    const auto j = static_cast<std::size_t>(hi);
    const double q = i == j ? s[i] : s[i] + (s[j] - s[i]) * (rank_ - lo);
    const double loss = -q;
    return loss > 0.0 ? loss : 0.0;
}

}  // namespace plenko
