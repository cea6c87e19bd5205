#pragma once
// Expected shortfall of the last n returns at confidence c: minus the mean of the h = ⌊n(1 − c)⌋
// (at least 1) smallest returns, never below 0.

#include <cstddef>
#include <optional>

#include "indicators/blocks/sorted_window.hpp"
#include "indicators/expected.hpp"
#include "indicators/indicator_error.hpp"

namespace plenko {

class ConditionalValueAtRisk {
public:
    static Expected<ConditionalValueAtRisk, IndicatorError> create(std::size_t period, double confidence);
    std::optional<double> update(double close);
    std::size_t warmup_period() const { return window_.length(); }

private:
    explicit ConditionalValueAtRisk(std::size_t n, double confidence);
    SortedWindow window_;
    std::size_t tail_count_;
};

}  // namespace plenko
