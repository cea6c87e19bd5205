#include "indicators/moving_averages/zlema.hpp"

namespace plenko {

Expected<Zlema, IndicatorError> Zlema::create(std::size_t period) {
    if (auto ok = check_period(period); !ok) return unexpected(ok.error());
    return Zlema(period);
}

// L bars fill the lag ring before the EMA sees its first input.
std::size_t Zlema::warmup_period() const { return sat_add(ema_.length(), lagged_.length() - 1); }

}  // namespace plenko
