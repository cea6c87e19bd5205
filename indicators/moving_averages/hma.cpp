#include "indicators/moving_averages/hma.hpp"

#include <cmath>

namespace plenko {

std::size_t hull_half_length(std::size_t n) { return n / 2 > 0 ? n / 2 : 1; }

std::size_t hull_smoothing_length(std::size_t n) {
    const std::size_t s = clamp_to_count(std::round(std::sqrt(static_cast<double>(n))));
    return s > 0 ? s : 1;
}

Expected<Hma, IndicatorError> Hma::create(std::size_t period) {
    if (auto ok = check_period(period); !ok) return unexpected(ok.error());
    return Hma(period);
}

}  // namespace plenko
