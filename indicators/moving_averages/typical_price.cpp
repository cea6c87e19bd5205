#include "indicators/moving_averages/typical_price.hpp"

namespace plenko {

Expected<TypicalPrice, IndicatorError> TypicalPrice::create() { return TypicalPrice{}; }

}  // namespace plenko
