#include "indicators/moving_averages/ehma.hpp"

namespace plenko {

Expected<Ehma, IndicatorError> Ehma::create(std::size_t period) {
    if (auto ok = check_period(period); !ok) return unexpected(ok.error());
    return Ehma(period);
}

}  // namespace plenko
