#include "indicators/moving_averages/trima.hpp"

namespace plenko {

Expected<Trima, IndicatorError> Trima::create(std::size_t period) {
    if (auto ok = check_period(period); !ok) return unexpected(ok.error());
    return Trima(period);
}

}  // namespace plenko
