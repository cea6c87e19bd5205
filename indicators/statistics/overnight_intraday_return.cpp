#include "indicators/statistics/overnight_intraday_return.hpp"

namespace plenko {

Expected<OvernightIntradayReturn, IndicatorError> OvernightIntradayReturn::create(
    std::int32_t utc_offset_minutes) {
    return OvernightIntradayReturn(utc_offset_minutes);
}

std::optional<double> OvernightIntradayReturn::update(const Candle& candle) {
    if (tracker_.update(candle)) day_open_ = candle.open;
    const auto overnight = tracker_.gap();
    if (!overnight) return std::nullopt;
    const double intraday = day_open_ == 0.0 ? 0.0 : candle.close / day_open_ - 1.0;
    out_ = {*overnight, intraday};
    return *overnight;
}

}  // namespace plenko
