#include "indicators/moving_averages/dema.hpp"

namespace plenko {

Expected<Dema, IndicatorError> Dema::create(std::size_t period) {
    if (auto ok = check_period(period); !ok) return unexpected(ok.error());
    return Dema(period);
}

// The second stage needs n values of the first, which starts at bar n.
std::size_t Dema::warmup_period() const { return sat_sub(sat_mul(2, chain_.length()), 1); }

}  // namespace plenko
