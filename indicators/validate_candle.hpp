#pragma once
// The shared candle check of every candle-based indicator, run before the
// indicator touches its state. The first failing check names the fault.

#include <cmath>

#include "indicators/candle.hpp"
#include "indicators/expected.hpp"
#include "indicators/indicator_error.hpp"

namespace plenko {

inline Expected<void, IndicatorError> validate_candle(const Candle& c) {
    if (!std::isfinite(c.open) || !std::isfinite(c.high) || !std::isfinite(c.low) || !std::isfinite(c.close)) {
        return unexpected(IndicatorError::invalid_candle("open, high, low, close must all be finite"));
    }
    if (!std::isfinite(c.volume)) {
        return unexpected(IndicatorError::invalid_candle("volume must be finite"));
    }
    if (c.volume < 0.0) {
        return unexpected(IndicatorError::invalid_candle("volume must be non-negative"));
    }
    if (c.high < c.low) {
        return unexpected(IndicatorError::invalid_candle("high must be >= low"));
    }
    if (c.high < c.open || c.high < c.close) {
        return unexpected(IndicatorError::invalid_candle("high must be >= open and >= close"));
    }
    if (c.low > c.open || c.low > c.close) {
        return unexpected(IndicatorError::invalid_candle("low must be <= open and <= close"));
    }
    return {};
}

}  // namespace plenko
