#pragma once
// Gain-to-pain ratio of the last n returns: their sum over the magnitude of the sum of the
// negative ones; 0 without losses. Sums are kept by arrival and eviction.

#include <cstddef>
#include <optional>

#include "indicators/blocks/ring_window.hpp"
#include "indicators/expected.hpp"
#include "indicators/indicator_error.hpp"

namespace plenko {

class GainToPainRatio {
public:
    static Expected<GainToPainRatio, IndicatorError> create(std::size_t period);
    std::optional<double> update(double close);
    std::size_t warmup_period() const { return ring_.length(); }

private:
    explicit GainToPainRatio(std::size_t n);
    void add(double x, double sign);
    RingWindow<double> ring_;
    double sum_ = 0.0;
    double pain_ = 0.0;  // magnitude of the negative values
    std::size_t losses_ = 0;
};

}  // namespace plenko
