#pragma once
// Fraction of the last n returns above 0.

#include <cstddef>
#include <optional>

#include "indicators/blocks/ring_window.hpp"
#include "indicators/expected.hpp"
#include "indicators/indicator_error.hpp"

namespace plenko {

class WinRate {
public:
    static Expected<WinRate, IndicatorError> create(std::size_t period);
    std::optional<double> update(double close);
    std::size_t warmup_period() const { return ring_.length(); }

private:
    explicit WinRate(std::size_t n);
    void add(double x, double sign);
    RingWindow<double> ring_;
    std::size_t wins_ = 0;
};

}  // namespace plenko
