#include "indicators/volatility/true_range.hpp"

namespace plenko {

Expected<TrueRange, IndicatorError> TrueRange::create() { return TrueRange(); }

}  // namespace plenko
