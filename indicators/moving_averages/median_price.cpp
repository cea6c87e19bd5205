#include "indicators/moving_averages/median_price.hpp"

namespace plenko {

Expected<MedianPrice, IndicatorError> MedianPrice::create() { return MedianPrice{}; }

}  // namespace plenko
