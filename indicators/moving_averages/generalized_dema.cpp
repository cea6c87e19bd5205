#include "indicators/moving_averages/generalized_dema.hpp"

namespace plenko {

Expected<GeneralizedDema, IndicatorError> GeneralizedDema::create(std::size_t period, double volume_factor) {
    if (auto ok = check_period(period); !ok) return unexpected(ok.error());
    if (!(std::isfinite(volume_factor) && volume_factor >= 0.0 && volume_factor <= 1.0)) {
        return unexpected(IndicatorError::invalid_period("GD volume factor must be a finite value in [0.0, 1.0]"));
    }
    return GeneralizedDema(period, volume_factor);
}

std::size_t GeneralizedDema::warmup_period() const { return sat_sub(sat_mul(2, chain_.length()), 1); }

}  // namespace plenko
