#include "indicators/moving_averages/hma.hpp"

#include <cmath>

namespace plenko {

std::size_t hull_half_length(std::size_t n) { return n / 2 > 0 ? n / 2 : 1; }

std::size_t hull_smoothing_length(std::size_t n) {
    const std::size_t s = clamp_to_count(std::round(std::sqrt(static_cast<double>(n))));
    return s > 0 ? s : 1;
}

Hma::Hma(std::size_t n) : half_(hull_half_length(n)), full_(n), smooth_(hull_smoothing_length(n)) {}

Expected<Hma, IndicatorError> Hma::create(std::size_t period) {
    if (auto ok = check_period(period); !ok) return unexpected(ok.error());
    return Hma(period);
}

std::optional<double> Hma::update(double close) {
    const auto a = half_.update(close);
    const auto b = full_.update(close);
    if (!a || !b || !std::isfinite(*a) || !std::isfinite(*b)) return std::nullopt;
    const double raw = 2.0 * *a - *b;
    if (!std::isfinite(raw)) return std::nullopt;
    const auto v = smooth_.update(raw);
    if (!v || !std::isfinite(*v)) return std::nullopt;
    return v;
}

std::size_t Hma::warmup_period() const { return sat_sub(sat_add(full_.length(), smooth_.length()), 1); }

}  // namespace plenko
