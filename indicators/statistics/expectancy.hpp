#pragma once
// Expectancy of the last n returns: the mean return over the average loss magnitude; 0 without
// losses. Sums are kept by arrival and eviction.

#include <cstddef>
#include <optional>

#include "indicators/blocks/ring_window.hpp"
#include "indicators/expected.hpp"
#include "indicators/indicator_error.hpp"

namespace plenko {

class Expectancy {
public:
    static Expected<Expectancy, IndicatorError> create(std::size_t period);
    std::optional<double> update(double close);
    std::size_t warmup_period() const { return ring_.length(); }

private:
    explicit Expectancy(std::size_t n);
    void add(double x, double sign);
    RingWindow<double> ring_;
    double sum_ = 0.0;
    double loss_sum_ = 0.0;  // magnitude of the negative values
    std::size_t losses_ = 0;
};

}  // namespace plenko
