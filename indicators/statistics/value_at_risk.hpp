#pragma once
// Historical value at risk of the last n returns at confidence c: the loss at the (1 − c)
// quantile, never below 0.

#include <cstddef>
#include <optional>

#include "indicators/blocks/sorted_window.hpp"
#include "indicators/expected.hpp"
#include "indicators/indicator_error.hpp"

namespace plenko {

class ValueAtRisk {
public:
    static Expected<ValueAtRisk, IndicatorError> create(std::size_t period, double confidence);
    std::optional<double> update(double close);
    std::size_t warmup_period() const { return window_.length(); }

private:
    explicit ValueAtRisk(std::size_t n, double confidence);
    SortedWindow window_;
    double rank_;  // (n − 1)(1 − c), the interpolated rank of the quantile
};

}  // namespace plenko
