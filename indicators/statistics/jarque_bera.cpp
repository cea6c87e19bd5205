#include "indicators/statistics/jarque_bera.hpp"

#include <cmath>

#include "indicators/blocks/window_length.hpp"
#include "indicators/statistics/window_mean.hpp"

namespace plenko {

JarqueBera::JarqueBera(std::size_t n) : ring_(n) {}

Expected<JarqueBera, IndicatorError> JarqueBera::create(std::size_t period) {
    if (auto ok = check_period(period); !ok) return unexpected(ok.error());
    if (period < 4) return unexpected(IndicatorError::invalid_period("Jarque-Bera needs period >= 4"));
    return JarqueBera(period);
}

std::optional<double> JarqueBera::update(double close) {
    ring_.push(close);
    if (!ring_.full()) return std::nullopt;
    const double n = static_cast<double>(ring_.length());
    const double mean = window_mean(ring_);
    double s2 = 0.0;
    double s3 = 0.0;
    double s4 = 0.0;
    ring_.for_each([&](double x) {
        const double d = x - mean;
        const double d2 = d * d;
        const double d3 = d2 * d;
        s2 = s2 + d2;
        s3 = s3 + d3;
        s4 = s4 + d3 * d;
    });
    const double m2 = s2 / n;
    if (m2 == 0.0) return 0.0;
    const double m3 = s3 / n;
    const double m4 = s4 / n;
    const double skew = m3 / std::pow(m2, 1.5);
    const double excess = m4 / (m2 * m2) - 3.0;
    return n / 6.0 * (skew * skew + excess * excess / 4.0);
}

}  // namespace plenko
