#include "indicators/moving_averages/avg_price.hpp"

namespace plenko {

Expected<AvgPrice, IndicatorError> AvgPrice::create() { return AvgPrice{}; }

}  // namespace plenko
