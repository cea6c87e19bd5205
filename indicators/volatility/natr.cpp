#include "indicators/volatility/natr.hpp"

namespace plenko {

Expected<Natr, IndicatorError> Natr::create(std::size_t period) {
    if (auto ok = check_period(period); !ok) return unexpected(ok.error());
    return Natr(period);
}

}  // namespace plenko
