#pragma once
// Omega ratio of the last n returns about a threshold T: the sum of gains above T over the sum
// of shortfalls below it; 1 when both are 0, +∞ without shortfalls.

#include <cstddef>
#include <optional>

#include "indicators/blocks/ring_window.hpp"
#include "indicators/expected.hpp"
#include "indicators/indicator_error.hpp"

namespace plenko {

class OmegaRatio {
public:
    static Expected<OmegaRatio, IndicatorError> create(std::size_t period, double threshold);
    std::optional<double> update(double close);
    std::size_t warmup_period() const { return ring_.length(); }

private:
    explicit OmegaRatio(std::size_t n, double threshold);
    RingWindow<double> ring_;
    double threshold_;
};

}  // namespace plenko
