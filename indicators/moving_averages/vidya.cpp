#include "indicators/moving_averages/vidya.hpp"

namespace plenko {

// The smoothing period only sets alpha, so it takes any size; the momentum
// length is a window length.
Expected<Vidya, IndicatorError> Vidya::create(std::size_t period, std::size_t momentum_length) {
    if (period == 0) return unexpected(IndicatorError::zero_period());
    if (auto ok = check_period(momentum_length); !ok) return unexpected(ok.error());
    return Vidya(period, momentum_length);
}

}  // namespace plenko
