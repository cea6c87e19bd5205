#pragma once
// Logarithmic return over n bars, ln(x / x n bars earlier). Closes of 0 or
// below have no logarithm: they are skipped and leave the state untouched.

#include <cstddef>
#include <optional>

#include "indicators/blocks/ring_window.hpp"
#include "indicators/expected.hpp"
#include "indicators/indicator_error.hpp"

namespace plenko {

class LogReturn {
public:
    static Expected<LogReturn, IndicatorError> create(std::size_t period);
    std::optional<double> update(double close);
    std::size_t warmup_period() const { return ring_.length(); }

private:
    explicit LogReturn(std::size_t n);
    RingWindow<double> ring_;  // n + 1 closes: the newest and the one n bars before it
};

}  // namespace plenko
