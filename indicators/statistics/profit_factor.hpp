#pragma once
// Profit factor of the last n returns: the sum of the positive values over the magnitude of the
// sum of the negative ones; 1 when both are 0, +∞ without losses.

#include <cstddef>
#include <optional>

#include "indicators/blocks/ring_window.hpp"
#include "indicators/expected.hpp"
#include "indicators/indicator_error.hpp"

namespace plenko {

class ProfitFactor {
public:
    static Expected<ProfitFactor, IndicatorError> create(std::size_t period);
    std::optional<double> update(double close);
    std::size_t warmup_period() const { return ring_.length(); }

private:
    explicit ProfitFactor(std::size_t n);
    RingWindow<double> ring_;
};

}  // namespace plenko
