#pragma once
// AverageDailyRange: mean high − low of the last n finished calendar days.
// A candle's date is that of ⌊time / 1000⌋ + offset · 60 seconds (64-bit,
// floor division, so times before the epoch fall on the right date and no
// millisecond shift can overflow). Every candle from the first date change
// on yields the mean over the finished days held so far (1 to n of them).

#include <cstddef>
#include <cstdint>
#include <optional>

#include "indicators/indicator.hpp"

namespace plenko {

class AverageDailyRange {
public:
    static Expected<AverageDailyRange, IndicatorError> create(std::size_t days, std::int32_t offset_minutes);

    std::optional<double> update(const Candle& c);
    // The earliest possible first value: the second candle opening a new
    // date. On intraday data the first value comes later.
    std::size_t warmup_period() const { return 2; }

private:
    AverageDailyRange(std::size_t days, std::int32_t offset_minutes) : ranges_(days), offset_(offset_minutes) {}

    SimpleAverage ranges_;  // used for its ring and running sum
    std::int32_t offset_;
    bool has_day_ = false;
    std::int64_t day_ = 0;
    double day_high_ = 0.0;
    double day_low_ = 0.0;
};

}  // namespace plenko
