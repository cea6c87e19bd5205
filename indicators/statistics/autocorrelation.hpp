#pragma once
// Lag-L autocorrelation of the last n closes about the window mean; 0 on a flat window.

#include <cstddef>
#include <optional>

#include "indicators/blocks/ring_window.hpp"
#include "indicators/expected.hpp"
#include "indicators/indicator_error.hpp"

namespace plenko {

class Autocorrelation {
public:
    static Expected<Autocorrelation, IndicatorError> create(std::size_t period, std::size_t lag);
    std::optional<double> update(double close);
    std::size_t warmup_period() const { return ring_.length(); }

private:
    explicit Autocorrelation(std::size_t n, std::size_t lag);
    RingWindow<double> ring_;
    std::size_t lag_;
};

}  // namespace plenko
