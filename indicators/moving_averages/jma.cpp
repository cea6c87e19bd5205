#include "indicators/moving_averages/jma.hpp"

#include <cmath>

namespace plenko {

Jma::Jma(std::size_t n, double phase, std::uint32_t power) {
    const double b = 0.45 * static_cast<double>(n - 1);
    beta_ = b / (b + 2.0);
    double a = beta_;
    for (std::uint32_t i = 1; i < power; ++i) a = a * beta_;
    alpha_ = a;
    const double r = phase / 100.0 + 1.5;
    ratio_ = r < 0.5 ? 0.5 : (r > 2.5 ? 2.5 : r);
    alpha_sq_ = alpha_ * alpha_;
    const double one_minus = 1.0 - alpha_;
    one_minus_alpha_sq_ = one_minus * one_minus;
}

Expected<Jma, IndicatorError> Jma::create(std::size_t period, double phase, std::uint32_t power) {
    if (auto ok = check_period(period); !ok) return unexpected(ok.error());
    if (!std::isfinite(phase)) return unexpected(IndicatorError::invalid_period("JMA phase must be a finite value"));
    if (power < 1 || power > 4) return unexpected(IndicatorError::invalid_period("JMA power must be in 1..=4"));
    return Jma(period, phase, power);
}

std::optional<double> Jma::update(double close) {
    if (!started_) {
        // The filter starts at rest on the first close: ma1 and jma are that
        // close, both detrenders 0.
        ma1_ = close;
        jma_ = close;
        started_ = true;
        return jma_;
    }
    ma1_ = alpha_ * ma1_ + (1.0 - alpha_) * close;
    det0_ = beta_ * det0_ + (1.0 - beta_) * (close - ma1_);
    det1_ = alpha_sq_ * det1_ + one_minus_alpha_sq_ * (ma1_ + ratio_ * det0_ - jma_);
    jma_ = jma_ + det1_;
    return jma_;
}

}  // namespace plenko
