#pragma once
// Median of the absolute deviations of the last n closes from their median (no scale factor).
// O(log n) per bar beyond the sorted window's update.

#include <cstddef>
#include <optional>

#include "indicators/blocks/sorted_window.hpp"
#include "indicators/expected.hpp"
#include "indicators/indicator_error.hpp"

namespace plenko {

class MedianAbsoluteDeviation {
public:
    static Expected<MedianAbsoluteDeviation, IndicatorError> create(std::size_t period);
    std::optional<double> update(double close);
    std::size_t warmup_period() const { return window_.length(); }

private:
    explicit MedianAbsoluteDeviation(std::size_t n);
    SortedWindow window_;
};

}  // namespace plenko
