#pragma once
// Mean return of the last n returns over the average depth of the drawdown episodes of their
// compounded equity; 0 without episodes.

#include <cstddef>
#include <optional>

#include "indicators/blocks/ring_window.hpp"
#include "indicators/expected.hpp"
#include "indicators/indicator_error.hpp"

namespace plenko {

class SterlingRatio {
public:
    static Expected<SterlingRatio, IndicatorError> create(std::size_t period);
    std::optional<double> update(double close);
    std::size_t warmup_period() const { return ring_.length(); }

private:
    explicit SterlingRatio(std::size_t n);
    RingWindow<double> ring_;
};

}  // namespace plenko
