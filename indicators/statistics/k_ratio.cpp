#include "indicators/statistics/k_ratio.hpp"

#include <cmath>

#include "indicators/blocks/window_length.hpp"

namespace plenko {

KRatio::KRatio(std::size_t n) : ring_(n) {}

Expected<KRatio, IndicatorError> KRatio::create(std::size_t period) {
    if (auto ok = check_period(period); !ok) return unexpected(ok.error());
    if (period < 3) return unexpected(IndicatorError::invalid_period("k-ratio needs period >= 3"));
    return KRatio(period);
}

std::optional<double> KRatio::update(double close) {
    ring_.push(close);
    if (!ring_.full()) return std::nullopt;
    const double n = static_cast<double>(ring_.length());
    // Time runs 1..n; the regressed series is the running sum of the window.
    const double t_mean = (n + 1.0) / 2.0;
    if (time_spread_ == 0.0) {
        double spread = 0.0;
        for (double t = 1.0; t <= n; t = t + 1.0) spread = spread + (t - t_mean) * (t - t_mean);
        time_spread_ = spread;
    }
    double c = 0.0;
    double c_total = 0.0;
    ring_.for_each([&](double x) {
        c = c + x;
        c_total = c_total + c;
    });
    const double c_mean = c_total / n;
    double cross = 0.0;
    double t = 1.0;
    c = 0.0;
    ring_.for_each([&](double x) {
        c = c + x;
        cross = cross + (t - t_mean) * (c - c_mean);
        t = t + 1.0;
    });
    const double beta = cross / time_spread_;
    const double alpha = c_mean - t_mean * beta;
    double ssr = 0.0;
    t = 1.0;
    c = 0.0;
    ring_.for_each([&](double x) {
        c = c + x;
        const double r = c - (alpha + beta * t);
        ssr = ssr + r * r;
        t = t + 1.0;
    });
    if (ssr <= 0.0) return 0.0;
    return beta / std::sqrt(ssr / (n - 2.0) / time_spread_);
}

}  // namespace plenko
