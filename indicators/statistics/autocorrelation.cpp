#include "indicators/statistics/autocorrelation.hpp"

#include "indicators/blocks/window_length.hpp"
#include "indicators/statistics/window_mean.hpp"

namespace plenko {

Autocorrelation::Autocorrelation(std::size_t n, std::size_t lag) : ring_(n), lag_(lag) {}

Expected<Autocorrelation, IndicatorError> Autocorrelation::create(std::size_t period, std::size_t lag) {
    if (auto ok = check_period(period); !ok) return unexpected(ok.error());
    if (lag == 0) return unexpected(IndicatorError::invalid_period("autocorrelation lag must be >= 1"));
    if (lag >= period) return unexpected(IndicatorError::invalid_period("autocorrelation needs period > lag"));
    return Autocorrelation(period, lag);
}

std::optional<double> Autocorrelation::update(double close) {
    ring_.push(close);
    if (!ring_.full()) return std::nullopt;
    const std::size_t n = ring_.length();
    const double mean = window_mean(ring_);
    double den = 0.0;
    ring_.for_each([&](double x) {
        const double d = x - mean;
        den = den + d * d;
    });
    if (den == 0.0) return 0.0;
    double num = 0.0;
    for (std::size_t i = 0; i + lag_ < n; ++i) num = num + (ring_[i + lag_] - mean) * (ring_[i] - mean);
    return num / den;
}

}  // namespace plenko
