#include "indicators/moving_averages/t3.hpp"

namespace plenko {

T3::T3(std::size_t n, double v) : chain_(n) {
    const double v2 = v * v;
    const double v3 = v * v * v;
    c1_ = -v3;
    c2_ = 3.0 * v2 + 3.0 * v3;
    c3_ = -6.0 * v2 - 3.0 * v - 3.0 * v3;
    c4_ = 1.0 + 3.0 * v + 3.0 * v2 + v3;
}

Expected<T3, IndicatorError> T3::create(std::size_t period, double volume_factor) {
    if (auto ok = check_period(period); !ok) return unexpected(ok.error());
    if (!(std::isfinite(volume_factor) && volume_factor >= 0.0 && volume_factor <= 1.0)) {
        return unexpected(IndicatorError::invalid_period("T3 volume factor must be a finite value in [0.0, 1.0]"));
    }
    return T3(period, volume_factor);
}

// Six stages, each needing n − 1 more bars than the one before it.
std::size_t T3::warmup_period() const { return sat_sub(sat_mul(6, chain_.length()), 5); }

}  // namespace plenko
