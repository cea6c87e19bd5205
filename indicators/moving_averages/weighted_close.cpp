#include "indicators/moving_averages/weighted_close.hpp"

namespace plenko {

Expected<WeightedClose, IndicatorError> WeightedClose::create() { return WeightedClose{}; }

}  // namespace plenko
