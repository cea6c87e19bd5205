#pragma once
// The bound every indicator applies to every window length it takes.

#include <cstddef>
#include <string_view>

#include "indicators/expected.hpp"
#include "indicators/indicator_error.hpp"

namespace plenko {

inline constexpr std::size_t MAX_PERIOD = 16777216;  // 2^24

inline constexpr std::string_view kMaxPeriodMessage =
    "period exceeds the maximum supported window length (see MAX_PERIOD)";

inline Expected<void, IndicatorError> check_period(std::size_t n) {
    if (n == 0) return unexpected(IndicatorError::zero_period());
    if (n > MAX_PERIOD) return unexpected(IndicatorError::invalid_period(kMaxPeriodMessage));
    return {};
}

}  // namespace plenko
