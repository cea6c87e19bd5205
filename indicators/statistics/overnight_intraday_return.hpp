#pragma once
// Overnight and intraday returns: `overnight` is the gap of OvernightGap,
// `intraday` the close over the first open of the local date, minus 1 (0 for
// a zero open). Both come on every candle once an overnight gap exists; the
// value is the overnight figure.

#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "indicators/candle.hpp"
#include "indicators/expected.hpp"
#include "indicators/indicator_error.hpp"
#include "indicators/statistics/overnight_gap.hpp"

namespace plenko {

class OvernightIntradayReturn {
public:
    static constexpr std::array<std::string_view, 2> field_names{"overnight", "intraday"};

    static Expected<OvernightIntradayReturn, IndicatorError> create(std::int32_t utc_offset_minutes);
    std::optional<double> update(const Candle& candle);
    // Reported as 2 whatever the calendar makes of the first value.
    std::size_t warmup_period() const { return 2; }
    std::span<const double> field_values() const { return out_; }

private:
    explicit OvernightIntradayReturn(std::int32_t utc_offset_minutes) : tracker_(utc_offset_minutes) {}
    OvernightTracker tracker_;
    double day_open_ = 0.0;
    std::array<double, 2> out_{NAN, NAN};
};

}  // namespace plenko
