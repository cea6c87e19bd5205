#include "indicators/statistics/turn_of_month.hpp"

#include "indicators/statistics/local_calendar.hpp"

namespace plenko {

TurnOfMonth::TurnOfMonth(std::uint32_t first_days, std::uint32_t last_days, std::int32_t utc_offset_minutes)
    : first_days_(first_days), last_days_(last_days), offset_(utc_offset_minutes) {}

Expected<TurnOfMonth, IndicatorError> TurnOfMonth::create(std::uint32_t first_days, std::uint32_t last_days,
                                                          std::int32_t utc_offset_minutes) {
    if (first_days == 0 && last_days == 0) return unexpected(IndicatorError::zero_period());
    return TurnOfMonth(first_days, last_days, utc_offset_minutes);
}

void TurnOfMonth::close_date() {
    if (has_reference_) {
        const double ret = reference_ == 0.0 ? 0.0 : last_close_ / reference_ - 1.0;
        const calendar::CivilDate date = calendar::civil_from_days(day_);
        // Signed: g may exceed the month length, and then every day is late.
        const std::int64_t late_from = static_cast<std::int64_t>(calendar::days_in_month(date.year, date.month)) -
                                       static_cast<std::int64_t>(last_days_);
        const std::int64_t d = date.day;
        if (d <= static_cast<std::int64_t>(first_days_) || d > (late_from > 0 ? late_from : 0)) {
            total_ = total_ + ret;
            ++count_;
        }
    }
    reference_ = last_close_;
    has_reference_ = true;
}

std::optional<double> TurnOfMonth::update(const Candle& candle) {
    const std::int64_t day = calendar::local_day(candle.time, offset_);
    if (has_date_ && day != day_) close_date();
    has_date_ = true;
    day_ = day;
    last_close_ = candle.close;
    if (count_ == 0) return std::nullopt;
    return total_ / static_cast<double>(count_);
}

}  // namespace plenko
