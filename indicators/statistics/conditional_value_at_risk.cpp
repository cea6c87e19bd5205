#include "indicators/statistics/conditional_value_at_risk.hpp"

#include <cmath>

#include "indicators/blocks/window_length.hpp"
#include "indicators/checked.hpp"

namespace plenko {

namespace {

// h = ⌊n(1 − c)⌋, at least 1 and at most n.
std::size_t tail_count(std::size_t n, double confidence) {
    const std::size_t h = clamp_to_count(std::floor(static_cast<double>(n) * (1.0 - confidence)));
    if (h == 0) return 1;
    return h > n ? n : h;
}

}  // namespace

ConditionalValueAtRisk::ConditionalValueAtRisk(std::size_t n, double confidence)
    : window_(n), tail_count_(tail_count(n, confidence)) {}

Expected<ConditionalValueAtRisk, IndicatorError> ConditionalValueAtRisk::create(std::size_t period,
                                                                                double confidence) {
    if (auto ok = check_period(period); !ok) return unexpected(ok.error());
    if (period < 2) return unexpected(IndicatorError::invalid_period("conditional value-at-risk needs period >= 2"));
    if (!std::isfinite(confidence) || !(confidence > 0.0 && confidence < 1.0)) {
        return unexpected(IndicatorError::invalid_period("confidence must lie strictly between 0 and 1"));
    }
    return ConditionalValueAtRisk(period, confidence);
}

std::optional<double> ConditionalValueAtRisk::update(double close) {
    window_.update(close);
    if (!window_.full()) return std::nullopt;
    const auto s = window_.sorted();
    double sum = 0.0;
    for (std::size_t i = 0; i < tail_count_; ++i) sum = sum + s[i];
    const double loss = -(sum / static_cast<double>(tail_count_));
    return loss > 0.0 ? loss : 0.0;
}

}  // namespace plenko
