#pragma once
// MidPoint: midpoint of the highest and lowest close of the last n.

#include <cstddef>
#include <optional>

#include "indicators/indicator.hpp"

namespace plenko {

class MidPoint {
public:
    static Expected<MidPoint, IndicatorError> create(std::size_t period);

    std::optional<double> update(double close);
    std::size_t warmup_period() const { return window_.length(); }

private:
    explicit MidPoint(std::size_t n) : window_(n) {}
    RingWindow<double> window_;
};

}  // namespace plenko
