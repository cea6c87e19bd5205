#include "indicators/moving_averages/sma.hpp"

namespace plenko {

Expected<Sma, IndicatorError> Sma::create(std::size_t period) {
    if (auto ok = check_period(period); !ok) return unexpected(ok.error());
    return Sma(period);
}

}  // namespace plenko
