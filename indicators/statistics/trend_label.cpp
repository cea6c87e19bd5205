#include "indicators/statistics/trend_label.hpp"

#include "indicators/blocks/window_length.hpp"
#include "indicators/statistics/window_mean.hpp"

namespace plenko {

TrendLabel::TrendLabel(std::size_t n) : ring_(n) {}

Expected<TrendLabel, IndicatorError> TrendLabel::create(std::size_t period) {
    if (auto ok = check_period(period); !ok) return unexpected(ok.error());
    if (period < 2) return unexpected(IndicatorError::invalid_period("trend label needs period >= 2"));
    return TrendLabel(period);
}

std::optional<double> TrendLabel::update(double close) {
    ring_.push(close);
    if (!ring_.full()) return std::nullopt;
    const double n = static_cast<double>(ring_.length());
    const double mean = window_mean(ring_);
    const double centre = (n - 1.0) / 2.0;
    double cross = 0.0;
    double i = 0.0;
    ring_.for_each([&](double y) {
        cross = cross + (i - centre) * (y - mean);
        i = i + 1.0;
    });
    if (cross > 0.0) return 1.0;
    if (cross < 0.0) return -1.0;
    return 0.0;
}

}  // namespace plenko
