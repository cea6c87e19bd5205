#include "indicators/statistics/seasonal_z_score.hpp"

#include <cmath>

#include "indicators/statistics/local_calendar.hpp"

namespace plenko {

Expected<SeasonalZScore, IndicatorError> SeasonalZScore::create(std::int32_t utc_offset_minutes) {
    return SeasonalZScore(utc_offset_minutes);
}

std::optional<double> SeasonalZScore::update(const Candle& candle) {
    if (!has_previous_) {
        has_previous_ = true;
        previous_close_ = candle.close;
        return std::nullopt;
    }
    const double r = previous_close_ == 0.0 ? 0.0 : candle.close / previous_close_ - 1.0;
    previous_close_ = candle.close;
    Welford& hour = hours_[static_cast<std::size_t>(calendar::local_hour(candle.time, offset_))];
    std::optional<double> z;
    if (hour.count >= 2) {
        const double variance = hour.m2 / static_cast<double>(hour.count - 1);
        z = variance > 0.0 ? (r - hour.mean) / std::sqrt(variance) : 0.0;
    }
    // The return joins its hour only after it was scored against the others.
    const double old_mean = hour.mean;
    ++hour.count;
    hour.mean = hour.mean + (r - hour.mean) / static_cast<double>(hour.count);
    hour.m2 = hour.m2 + (r - hour.mean) * (r - old_mean);
    return z;
}

}  // namespace plenko
