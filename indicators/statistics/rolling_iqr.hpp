#pragma once
// Interquartile range of the last n closes, Q(0.75) − Q(0.25).

#include <cstddef>
#include <optional>

#include "indicators/blocks/sorted_window.hpp"
#include "indicators/expected.hpp"
#include "indicators/indicator_error.hpp"

namespace plenko {

class RollingIqr {
public:
    static Expected<RollingIqr, IndicatorError> create(std::size_t period);
    std::optional<double> update(double close);
    std::size_t warmup_period() const { return window_.length(); }

private:
    explicit RollingIqr(std::size_t n);
    SortedWindow window_;
};

}  // namespace plenko
