#pragma once
// Mean drawdown fraction of the last n levels from their running peak (counted while the peak is
// above 0).

#include <cstddef>
#include <optional>

#include "indicators/blocks/ring_window.hpp"
#include "indicators/expected.hpp"
#include "indicators/indicator_error.hpp"

namespace plenko {

class PainIndex {
public:
    static Expected<PainIndex, IndicatorError> create(std::size_t period);
    std::optional<double> update(double close);
    std::size_t warmup_period() const { return ring_.length(); }

private:
    explicit PainIndex(std::size_t n);
    RingWindow<double> ring_;
};

}  // namespace plenko
