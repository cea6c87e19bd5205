#include "indicators/moving_averages/ema.hpp"

namespace plenko {

Expected<Ema, IndicatorError> Ema::create(std::size_t period) {
    if (auto ok = check_period(period); !ok) return unexpected(ok.error());
    return Ema(period);
}

}  // namespace plenko
