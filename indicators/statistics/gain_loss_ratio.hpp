#pragma once
// Average gain over average loss of the last n returns; 1 without gains or losses, +∞ with gains
// and no losses.

#include <cstddef>
#include <optional>

#include "indicators/blocks/ring_window.hpp"
#include "indicators/expected.hpp"
#include "indicators/indicator_error.hpp"

namespace plenko {

class GainLossRatio {
public:
    static Expected<GainLossRatio, IndicatorError> create(std::size_t period);
    std::optional<double> update(double close);
    std::size_t warmup_period() const { return ring_.length(); }

private:
    explicit GainLossRatio(std::size_t n);
    RingWindow<double> ring_;
};

}  // namespace plenko
