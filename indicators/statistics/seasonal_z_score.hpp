#pragma once
// Seasonal z-score: the bar return (close over the previous close, minus 1)
// standardised against the earlier returns of the same local hour of day
// (24 running Welford accumulators). No value until that hour holds at least
// two returns.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>

#include "indicators/candle.hpp"
#include "indicators/expected.hpp"
#include "indicators/indicator_error.hpp"

namespace plenko {

class SeasonalZScore {
public:
    static Expected<SeasonalZScore, IndicatorError> create(std::int32_t utc_offset_minutes);
    std::optional<double> update(const Candle& candle);
    // Reported as 2 whatever the calendar makes of the first value.
    std::size_t warmup_period() const { return 2; }

private:
    explicit SeasonalZScore(std::int32_t utc_offset_minutes) : offset_(utc_offset_minutes) {}

    struct Welford {
        std::size_t count = 0;
        double mean = 0.0;
        double m2 = 0.0;  // sum of squared deviations from the mean
    };

    std::int32_t offset_;
    bool has_previous_ = false;
    double previous_close_ = 0.0;
    std::array<Welford, 24> hours_{};
};

}  // namespace plenko
