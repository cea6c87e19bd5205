#pragma once
// Interpolated q-quantile of the last n closes.

#include <cstddef>
#include <optional>

#include "indicators/blocks/sorted_window.hpp"
#include "indicators/expected.hpp"
#include "indicators/indicator_error.hpp"

namespace plenko {

class RollingQuantile {
public:
    static Expected<RollingQuantile, IndicatorError> create(std::size_t period, double q);
    std::optional<double> update(double close);
    std::size_t warmup_period() const { return window_.length(); }

private:
    explicit RollingQuantile(std::size_t n, double q);
    SortedWindow window_;
    double q_;
};

}  // namespace plenko
