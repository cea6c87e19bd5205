#pragma once
// Largest drawdown fraction of the last n levels from their running peak (counted while the peak
// is above 0); 0 without one.

#include <cstddef>
#include <optional>

#include "indicators/blocks/ring_window.hpp"
#include "indicators/expected.hpp"
#include "indicators/indicator_error.hpp"

namespace plenko {

class MaxDrawdown {
public:
    static Expected<MaxDrawdown, IndicatorError> create(std::size_t period);
    std::optional<double> update(double close);
    std::size_t warmup_period() const { return ring_.length(); }

private:
    explicit MaxDrawdown(std::size_t n);
    RingWindow<double> ring_;
};

}  // namespace plenko
