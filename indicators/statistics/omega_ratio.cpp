#include "indicators/statistics/omega_ratio.hpp"

#include <limits>

#include "indicators/blocks/window_length.hpp"

namespace plenko {

OmegaRatio::OmegaRatio(std::size_t n, double threshold) : ring_(n), threshold_(threshold) {}

Expected<OmegaRatio, IndicatorError> OmegaRatio::create(std::size_t period, double threshold) {
    if (auto ok = check_period(period); !ok) return unexpected(ok.error());
    return OmegaRatio(period, threshold);
}

std::optional<double> OmegaRatio::update(double close) {
    ring_.push(close);
    if (!ring_.full()) return std::nullopt;
    double gains = 0.0;
    double losses = 0.0;
    ring_.for_each([&](double x) {
        const double d = x - threshold_;
        if (d >= 0.0) gains = gains + d;
        else losses = losses + -d;
    });
    if (losses != 0.0) return gains / losses;
    return gains == 0.0 ? 1.0 : std::numeric_limits<double>::infinity();
}

}  // namespace plenko
