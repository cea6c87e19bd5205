#include "indicators/moving_averages/smma.hpp"

namespace plenko {

Expected<Smma, IndicatorError> Smma::create(std::size_t period) {
    if (auto ok = check_period(period); !ok) return unexpected(ok.error());
    return Smma(period);
}

}  // namespace plenko
