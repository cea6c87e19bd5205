#include "indicators/moving_averages/kama.hpp"

#include <cmath>

namespace plenko {

namespace {
double smoothing_constant(std::size_t period) { return 2.0 / (static_cast<double>(period) + 1.0); }
}  // namespace

Kama::Kama(std::size_t n, std::size_t fast, std::size_t slow)
    : window_(n + 1),
      slow_sc_(smoothing_constant(slow)),
      sc_span_(smoothing_constant(fast) - smoothing_constant(slow)) {}

Expected<Kama, IndicatorError> Kama::create(std::size_t period, std::size_t fast, std::size_t slow) {
    if (period == 0 || fast == 0 || slow == 0) return unexpected(IndicatorError::zero_period());
    if (!(fast < slow)) {
        return unexpected(IndicatorError::invalid_period("KAMA fast period must be strictly less than slow"));
    }
    // The window holds period + 1 closes, so the window-length bound applies
    // to it; fast and slow only set constants and take any size.
    if (period > MAX_PERIOD) return unexpected(IndicatorError::invalid_period(kMaxPeriodMessage));
    return Kama(period, fast, slow);
}

std::optional<double> Kama::update(double close) {
    window_.push(close);
    if (!window_.full()) return std::nullopt;
    const double oldest = window_.oldest();
    const double change = std::fabs(close - oldest);
    double path = 0.0;
    double before = oldest;
    bool first = true;
    window_.for_each([&](double x) {
        if (first) {
            first = false;
            return;
        }
        path = path + std::fabs(x - before);
        before = x;
    });
    const double er = path == 0.0 ? 0.0 : change / path;
    const double t = er * sc_span_ + slow_sc_;
    const double sc = t * t;
    const double prev = has_value_ ? value_ : oldest;
    value_ = prev + sc * (close - prev);
    has_value_ = true;
    return value_;
}

}  // namespace plenko
