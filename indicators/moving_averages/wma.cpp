#include "indicators/moving_averages/wma.hpp"

namespace plenko {

Expected<Wma, IndicatorError> Wma::create(std::size_t period) {
    if (auto ok = check_period(period); !ok) return unexpected(ok.error());
    return Wma(period);
}

}  // namespace plenko
