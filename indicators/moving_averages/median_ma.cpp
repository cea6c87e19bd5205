#include "indicators/moving_averages/median_ma.hpp"

namespace plenko {

Expected<MedianMa, IndicatorError> MedianMa::create(std::size_t period) {
    if (auto ok = check_period(period); !ok) return unexpected(ok.error());
    return MedianMa(period);
}

}  // namespace plenko
