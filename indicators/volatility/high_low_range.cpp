#include "indicators/volatility/high_low_range.hpp"

namespace plenko {

Expected<HighLowRange, IndicatorError> HighLowRange::create() { return HighLowRange(); }

}  // namespace plenko
