#include "indicators/volatility/average_daily_range.hpp"

#include "indicators/statistics/local_calendar.hpp"
#include "indicators/volatility/true_range_core.hpp"

namespace plenko {

Expected<AverageDailyRange, IndicatorError> AverageDailyRange::create(std::size_t days,
                                                                      std::int32_t offset_minutes) {
    if (auto ok = check_period(days); !ok) return unexpected(ok.error());
    return AverageDailyRange(days, offset_minutes);
}

std::optional<double> AverageDailyRange::update(const Candle& c) {
    // Distinct day numbers are distinct civil dates, so the number itself
    // tells a new date.
    const std::int64_t day = calendar::local_day(c.time, offset_);
    if (!has_day_ || day != day_) {
        if (has_day_) ranges_.update(day_high_ - day_low_);
        has_day_ = true;
        day_ = day;
        day_high_ = c.high;
        day_low_ = c.low;
    } else {
        day_high_ = max_keeping_numbers(day_high_, c.high);
        day_low_ = min_keeping_numbers(day_low_, c.low);
    }
    const std::size_t held = ranges_.window().size();
    if (held == 0) return std::nullopt;
    return ranges_.sum() / static_cast<double>(held);
}

}  // namespace plenko
