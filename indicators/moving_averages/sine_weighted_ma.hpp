#pragma once
// SineWeightedMa: mean of the last n closes weighted by the positive half of
// a sine wave, w_i = sin((i + 1)·π / (n + 1)), i = 0 the oldest close.

#include <cstddef>
#include <optional>
#include <vector>

#include "indicators/indicator.hpp"

namespace plenko {

class SineWeightedMa {
public:
    static Expected<SineWeightedMa, IndicatorError> create(std::size_t period);

    std::optional<double> update(double close);
    std::size_t warmup_period() const { return window_.length(); }

private:
    explicit SineWeightedMa(std::size_t n) : window_(n) {}
    void build_weights();

    RingWindow<double> window_;
    // Built when the window first fills (a long period allocates nothing
    // up front); weight_sum_ is their sum in index order.
    std::vector<double> weights_;
    double weight_sum_ = 0.0;
};

}  // namespace plenko
