#include "indicators/volatility/bollinger.hpp"

namespace plenko {

Expected<BollingerBands, IndicatorError> BollingerBands::create(std::size_t period, double k) {
    if (auto ok = check_period(period); !ok) return unexpected(ok.error());
    return BollingerBands(period, k);
}

}  // namespace plenko
