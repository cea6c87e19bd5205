#pragma once
// Entropy in bits of the histogram of the last n closes over m equal-width bins between the
// window's minimum and maximum; 0 on a flat window.

#include <cstddef>
#include <optional>
#include <vector>

#include "indicators/blocks/ring_window.hpp"
#include "indicators/expected.hpp"
#include "indicators/indicator_error.hpp"

namespace plenko {

class ShannonEntropy {
public:
    static Expected<ShannonEntropy, IndicatorError> create(std::size_t period, std::size_t bins);
    std::optional<double> update(double close);
    std::size_t warmup_period() const { return ring_.length(); }

private:
    explicit ShannonEntropy(std::size_t n, std::size_t bins);
    RingWindow<double> ring_;
    std::size_t bins_;
    // Per-bin counts when there are no more bins than values; otherwise the
    // bin of every value, sorted, so memory stays proportional to the window.
    std::vector<std::size_t> counts_;
};

}  // namespace plenko
