#include "indicators/statistics/overnight_gap.hpp"

#include "indicators/statistics/local_calendar.hpp"

namespace plenko {

bool OvernightTracker::update(const Candle& candle) {
    const std::int64_t day = calendar::local_day(candle.time, offset_);
    const bool new_date = !has_previous_ || day != day_;
    if (has_previous_ && day != day_) {
        gap_ = previous_close_ == 0.0 ? 0.0 : candle.open / previous_close_ - 1.0;
    }
    has_previous_ = true;
    day_ = day;
    previous_close_ = candle.close;
    return new_date;
}

Expected<OvernightGap, IndicatorError> OvernightGap::create(std::int32_t utc_offset_minutes) {
    return OvernightGap(utc_offset_minutes);
}

std::optional<double> OvernightGap::update(const Candle& candle) {
    tracker_.update(candle);
    return tracker_.gap();
}

}  // namespace plenko
