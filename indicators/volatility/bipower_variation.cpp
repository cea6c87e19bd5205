#include "indicators/volatility/bipower_variation.hpp"

#include <cmath>
#include <numbers>

namespace plenko {

Expected<BipowerVariation, IndicatorError> BipowerVariation::create(std::size_t period) {
    if (auto ok = check_period(period); !ok) return unexpected(ok.error());
    if (period < 2) return unexpected(IndicatorError::invalid_period("bipower variation period must be >= 2"));
    return BipowerVariation(period);
}

std::optional<double> BipowerVariation::update(double close) {
    const auto r = feed_.update(close);
    if (!r) return std::nullopt;
    const double a = std::fabs(*r);
    const bool paired = has_return_;
    const double before = previous_abs_;
    has_return_ = true;
    previous_abs_ = a;
    if (!paired) return std::nullopt;
    products_.update(a * before);
    if (!products_.full()) return std::nullopt;
    const double sum = products_.sum();
    return std::numbers::pi / 2.0 * (sum > 0.0 ? sum : 0.0);
}

}  // namespace plenko
