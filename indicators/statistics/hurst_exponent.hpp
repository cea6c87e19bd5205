#pragma once
// Hurst exponent of the last n closes by rescaled range: for j = 1..k the window is cut into j
// chunks, ln of the mean R/S of the chunks is fitted against ln of the chunk size, and the slope
// is clamped to [0, 1]; 0.5 without a fit. O(k·n) per bar.

#include <cstddef>
#include <optional>
#include <vector>

#include "indicators/blocks/ring_window.hpp"
#include "indicators/expected.hpp"
#include "indicators/indicator_error.hpp"

namespace plenko {

class HurstExponent {
public:
    static Expected<HurstExponent, IndicatorError> create(std::size_t period, std::size_t chunks);
    std::optional<double> update(double close);
    std::size_t warmup_period() const { return ring_.length(); }

private:
    explicit HurstExponent(std::size_t n, std::size_t chunks);
    RingWindow<double> ring_;
    std::size_t chunks_;
    std::vector<double> values_;  // the window oldest first, filled once the window is full
};

}  // namespace plenko
