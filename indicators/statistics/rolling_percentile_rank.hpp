#pragma once
// Percentile rank of the newest close among the last n: (count below + half the count equal,
// itself included)/n × 100.

#include <cstddef>
#include <optional>

#include "indicators/blocks/sorted_window.hpp"
#include "indicators/expected.hpp"
#include "indicators/indicator_error.hpp"

namespace plenko {

class RollingPercentileRank {
public:
    static Expected<RollingPercentileRank, IndicatorError> create(std::size_t period);
    std::optional<double> update(double close);
    std::size_t warmup_period() const { return window_.length(); }

private:
    explicit RollingPercentileRank(std::size_t n);
    SortedWindow window_;
};

}  // namespace plenko
