#include "indicators/moving_averages/ehma.hpp"

#include <cmath>

#include "indicators/moving_averages/hma.hpp"

namespace plenko {

Ehma::Ehma(std::size_t n) : half_(hull_half_length(n)), full_(n), smooth_(hull_smoothing_length(n)) {}

Expected<Ehma, IndicatorError> Ehma::create(std::size_t period) {
    if (auto ok = check_period(period); !ok) return unexpected(ok.error());
    return Ehma(period);
}

std::optional<double> Ehma::update(double close) {
    const auto a = half_.update(close);
    const auto b = full_.update(close);
    if (!a || !b || !std::isfinite(*a) || !std::isfinite(*b)) return std::nullopt;
    const double raw = 2.0 * *a - *b;
    if (!std::isfinite(raw)) return std::nullopt;
    const auto v = smooth_.update(raw);
    if (!v || !std::isfinite(*v)) return std::nullopt;
    return v;
}

std::size_t Ehma::warmup_period() const { return sat_sub(sat_add(full_.length(), smooth_.length()), 1); }

}  // namespace plenko
