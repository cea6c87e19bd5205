#pragma once
// Mean depth of the drawdown episodes of the last n levels, the open one included; 0 without
// episodes.

#include <cstddef>
#include <optional>

#include "indicators/blocks/ring_window.hpp"
#include "indicators/expected.hpp"
#include "indicators/indicator_error.hpp"

namespace plenko {

class AverageDrawdown {
public:
    static Expected<AverageDrawdown, IndicatorError> create(std::size_t period);
    std::optional<double> update(double close);
    std::size_t warmup_period() const { return ring_.length(); }

private:
    explicit AverageDrawdown(std::size_t n);
    RingWindow<double> ring_;
};

}  // namespace plenko
