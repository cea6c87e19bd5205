#pragma once
// Direction of the last n closes: the sign (1, −1 or 0) of Σ(i − (n − 1)/2)(yᵢ − ȳ), the
// numerator of the least-squares slope, recomputed from the window.

#include <cstddef>
#include <optional>

#include "indicators/blocks/ring_window.hpp"
#include "indicators/expected.hpp"
#include "indicators/indicator_error.hpp"

namespace plenko {

class TrendLabel {
public:
    static Expected<TrendLabel, IndicatorError> create(std::size_t period);
    std::optional<double> update(double close);
    std::size_t warmup_period() const { return ring_.length(); }

private:
    explicit TrendLabel(std::size_t n);
    RingWindow<double> ring_;
};

}  // namespace plenko
