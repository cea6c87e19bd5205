#include "indicators/statistics/sortino_ratio.hpp"

#include <cmath>

#include "indicators/blocks/window_length.hpp"

namespace plenko {

SortinoRatio::SortinoRatio(std::size_t n, double target) : sums_(n), target_(target) {}

Expected<SortinoRatio, IndicatorError> SortinoRatio::create(std::size_t period, double target) {
    if (auto ok = check_period(period); !ok) return unexpected(ok.error());
    if (period < 2) return unexpected(IndicatorError::invalid_period("sortino ratio needs period >= 2"));
    return SortinoRatio(period, target);
}

std::optional<double> SortinoRatio::update(double close) {
    sums_.push(close);
    if (!sums_.full()) return std::nullopt;
    double shortfall = 0.0;
    sums_.window().for_each([&](double x) {
        if (x < target_) {
            const double d = x - target_;
            shortfall = shortfall + d * d;
        }
    });
    const double downside = std::sqrt(shortfall / static_cast<double>(sums_.length()));
    if (downside == 0.0) return 0.0;
    return (sums_.mean() - target_) / downside;
}

}  // namespace plenko
