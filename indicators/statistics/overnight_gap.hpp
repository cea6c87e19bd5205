#pragma once
// Overnight gap: at the first candle of each new local date, the open over
// the previous candle's close, minus 1 (0 after a zero close). The gap is
// repeated on every candle of its date, from the second local date on.

#include <cstddef>
#include <cstdint>
#include <optional>

#include "indicators/candle.hpp"
#include "indicators/expected.hpp"
#include "indicators/indicator_error.hpp"

namespace plenko {

// The date-change bookkeeping shared with OvernightIntradayReturn.
class OvernightTracker {
public:
    explicit OvernightTracker(std::int32_t utc_offset_minutes) : offset_(utc_offset_minutes) {}

    // Feeds a candle; true when it opens a new local date (the first candle
    // included).
    bool update(const Candle& candle);
    // The gap of the current date, once a date change after a close was seen.
    std::optional<double> gap() const { return gap_; }

private:
    std::int32_t offset_;
    bool has_previous_ = false;
    std::int64_t day_ = 0;
    double previous_close_ = 0.0;
    std::optional<double> gap_;
};

class OvernightGap {
public:
    static Expected<OvernightGap, IndicatorError> create(std::int32_t utc_offset_minutes);
    std::optional<double> update(const Candle& candle);
    // Reported as 2 whatever the calendar makes of the first value.
    std::size_t warmup_period() const { return 2; }

private:
    explicit OvernightGap(std::int32_t utc_offset_minutes) : tracker_(utc_offset_minutes) {}
    OvernightTracker tracker_;
};

}  // namespace plenko
