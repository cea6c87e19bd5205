#include "indicators/volatility/garch11.hpp"

#include <cmath>

namespace plenko {

Expected<Garch11, IndicatorError> Garch11::create(double omega, double alpha, double beta) {
    if (!std::isfinite(omega) || !std::isfinite(alpha) || !std::isfinite(beta)) {
        return unexpected(IndicatorError::invalid_parameter("GARCH(1,1) parameters must be finite"));
    }
    if (omega <= 0.0) return unexpected(IndicatorError::invalid_parameter("GARCH(1,1) omega must be > 0"));
    if (alpha < 0.0 || beta < 0.0) {
        return unexpected(IndicatorError::invalid_parameter("GARCH(1,1) alpha and beta must be >= 0"));
    }
    if (alpha + beta >= 1.0) {
        return unexpected(
            IndicatorError::invalid_parameter("GARCH(1,1) requires alpha + beta < 1 (covariance stationarity)"));
    }
    return Garch11(omega, alpha, beta);
}

std::optional<double> Garch11::update(double close) {
    const auto r = feed_.update(close);
    if (!r) return std::nullopt;
    if (!started_) {
        variance_ = omega_ / (1.0 - alpha_ - beta_);
        started_ = true;
    } else {
        variance_ = omega_ + alpha_ * (previous_return_ * previous_return_) + beta_ * variance_;
    }
    previous_return_ = *r;
    return std::sqrt(variance_);
}

}  // namespace plenko
