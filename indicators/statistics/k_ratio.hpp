#pragma once
// K-ratio of the last n returns: the slope of their cumulated sums regressed on time over the
// standard error of that slope; 0 on a perfect fit.

#include <cstddef>
#include <optional>

#include "indicators/blocks/ring_window.hpp"
#include "indicators/expected.hpp"
#include "indicators/indicator_error.hpp"

namespace plenko {

class KRatio {
public:
    static Expected<KRatio, IndicatorError> create(std::size_t period);
    std::optional<double> update(double close);
    std::size_t warmup_period() const { return ring_.length(); }

private:
    explicit KRatio(std::size_t n);
    RingWindow<double> ring_;
    double time_spread_ = 0.0;  // Σ(i − x̄)², summed once on the first full window
};

}  // namespace plenko
