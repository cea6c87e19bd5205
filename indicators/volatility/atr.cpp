#include "indicators/volatility/atr.hpp"

namespace plenko {

Expected<Atr, IndicatorError> Atr::create(std::size_t period) {
    if (auto ok = check_period(period); !ok) return unexpected(ok.error());
    return Atr(period);
}

}  // namespace plenko
