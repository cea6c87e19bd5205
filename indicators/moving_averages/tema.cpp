#include "indicators/moving_averages/tema.hpp"

namespace plenko {

Expected<Tema, IndicatorError> Tema::create(std::size_t period) {
    if (auto ok = check_period(period); !ok) return unexpected(ok.error());
    return Tema(period);
}

// Each further stage needs n − 1 more bars than the one before it.
std::size_t Tema::warmup_period() const { return sat_sub(sat_mul(3, chain_.length()), 2); }

}  // namespace plenko
