#pragma once
// Turn-of-month effect: the mean daily return (last close of a local date
// over the last close of the date before, minus 1) of the dates that are
// among the first f or the last g days of their month. A date's return is
// counted when the next date begins, so the first value can come at the
// start of the third local date.

#include <cstddef>
#include <cstdint>
#include <optional>

#include "indicators/candle.hpp"
#include "indicators/expected.hpp"
#include "indicators/indicator_error.hpp"

namespace plenko {

class TurnOfMonth {
public:
    static Expected<TurnOfMonth, IndicatorError> create(std::uint32_t first_days, std::uint32_t last_days,
                                                        std::int32_t utc_offset_minutes);
    std::optional<double> update(const Candle& candle);
    // Reported as 2 whatever the calendar makes of the first value.
    std::size_t warmup_period() const { return 2; }

private:
    TurnOfMonth(std::uint32_t first_days, std::uint32_t last_days, std::int32_t utc_offset_minutes);
    void close_date();

    std::uint32_t first_days_;
    std::uint32_t last_days_;
    std::int32_t offset_;
    bool has_date_ = false;
    std::int64_t day_ = 0;     // local day number of the current date
    double last_close_ = 0.0;  // of the current date
    bool has_reference_ = false;
    double reference_ = 0.0;   // last close of the date before
    double total_ = 0.0;
    std::size_t count_ = 0;
};

}  // namespace plenko
