#include "indicators/moving_averages/alma.hpp"

#include <cmath>
#include <limits>

namespace plenko {

Alma::Alma(std::size_t n, double offset, double sigma)
    : window_(n), centre_(offset * static_cast<double>(n - 1)), width_(static_cast<double>(n) / sigma) {}

Expected<Alma, IndicatorError> Alma::create(std::size_t period, double offset, double sigma) {
    if (auto ok = check_period(period); !ok) return unexpected(ok.error());
    if (!(std::isfinite(offset) && offset >= 0.0 && offset <= 1.0)) {
        return unexpected(IndicatorError::invalid_period("ALMA offset must be a finite value in [0, 1]"));
    }
    if (!(std::isfinite(sigma) && sigma > 0.0)) {
        return unexpected(IndicatorError::invalid_period("ALMA sigma must be a finite positive value"));
    }
    return Alma(period, offset, sigma);
}

void Alma::build_weights() {
    const std::size_t n = window_.length();
    const double two_s2 = 2.0 * (width_ * width_);
    weights_.reserve(n);
    double total = 0.0;
    double nearest = std::numeric_limits<double>::infinity();  // smallest (i − m)², for the limit below
    for (std::size_t i = 0; i < n; ++i) {
        const double d = static_cast<double>(i) - centre_;
        const double d2 = d * d;
        // exp(−0 / x) is 1 for every x > 0; saying so directly also covers a
        // width so small that 2·s² is 0, where 0 / 0 would poison the sum.
        const double w = d2 == 0.0 ? 1.0 : std::exp(-d2 / two_s2);
        weights_.push_back(w);
        total = total + w;
        if (d2 < nearest) nearest = d2;
    }
    if (total == 0.0) {
        // Every weight underflowed: the kernel is narrower than one bar. Its
        // limit puts equal weight on the bar(s) nearest the centre, which is
        // what is used instead of dividing by zero.
        for (std::size_t i = 0; i < n; ++i) {
            const double d = static_cast<double>(i) - centre_;
            weights_[i] = d * d == nearest ? 1.0 : 0.0;
            total = total + weights_[i];
        }
    }
    for (double& w : weights_) w = w / total;
}

std::optional<double> Alma::update(double close) {
    window_.push(close);
    if (!window_.full()) return std::nullopt;
    if (weights_.empty()) build_weights();
    double sum = 0.0;
    std::size_t i = 0;
    window_.for_each([&](double x) { sum = sum + weights_[i++] * x; });
    return sum;
}

}  // namespace plenko
