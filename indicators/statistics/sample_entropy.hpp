#pragma once
// Sample entropy of the last n closes: −ln(A/B), where B counts pairs of length-m templates
// within r·σ of each other and A those that still match at length m + 1. O(n²·m) per bar.

#include <cstddef>
#include <optional>
#include <vector>

#include "indicators/blocks/ring_window.hpp"
#include "indicators/expected.hpp"
#include "indicators/indicator_error.hpp"

namespace plenko {

class SampleEntropy {
public:
    static Expected<SampleEntropy, IndicatorError> create(std::size_t period, std::size_t template_length, double r_factor);
    std::optional<double> update(double close);
    std::size_t warmup_period() const { return ring_.length(); }

private:
    explicit SampleEntropy(std::size_t n, std::size_t template_length, double r_factor);
    RingWindow<double> ring_;
    std::size_t m_;
    double r_factor_;
    std::vector<double> values_;  // the window oldest first, filled once the window is full
};

}  // namespace plenko
