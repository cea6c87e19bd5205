#include "indicators/volatility/keltner.hpp"

namespace plenko {

Expected<Keltner, IndicatorError> Keltner::create(std::size_t ema_length, std::size_t atr_length, double k) {
    if (auto ok = check_period(ema_length); !ok) return unexpected(ok.error());
    if (auto ok = check_period(atr_length); !ok) return unexpected(ok.error());
    return Keltner(ema_length, atr_length, k);
}

}  // namespace plenko
