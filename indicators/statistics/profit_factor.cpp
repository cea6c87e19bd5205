#include "indicators/statistics/profit_factor.hpp"

#include <cmath>
#include <limits>

#include "indicators/blocks/window_length.hpp"

namespace plenko {

ProfitFactor::ProfitFactor(std::size_t n) : ring_(n) {}

Expected<ProfitFactor, IndicatorError> ProfitFactor::create(std::size_t period) {
    if (auto ok = check_period(period); !ok) return unexpected(ok.error());
    return ProfitFactor(period);
}

std::optional<double> ProfitFactor::update(double close) {
    ring_.push(close);
    if (!ring_.full()) return std::nullopt;
    double gains = 0.0;
    double negatives = 0.0;
    ring_.for_each([&](double x) {
        if (x > 0.0) gains = gains + x;
        else if (x < 0.0) negatives = negatives + x;
    });
    const double losses = std::fabs(negatives);
    if (losses != 0.0) return gains / losses;
    return gains == 0.0 ? 1.0 : std::numeric_limits<double>::infinity();
}

}  // namespace plenko
