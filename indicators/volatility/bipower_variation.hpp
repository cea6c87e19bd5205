#pragma once
// BipowerVariation: (π/2)·Σ |r_t|·|r_{t−1}| over the n − 1 adjacent pairs of
// the last n log returns. Closes that are not above 0 are skipped.

#include <cstddef>
#include <optional>

#include "indicators/indicator.hpp"
#include "indicators/volatility/log_returns.hpp"

namespace plenko {

class BipowerVariation {
public:
    static Expected<BipowerVariation, IndicatorError> create(std::size_t period);

    std::optional<double> update(double close);
    std::size_t warmup_period() const { return sat_add(products_.length(), 2); }

private:
    explicit BipowerVariation(std::size_t n) : products_(n - 1) {}

    LogReturns feed_;
    bool has_return_ = false;
    double previous_abs_ = 0.0;
    SimpleAverage products_;  // the last n − 1 products, for the ring and running sum
};

}  // namespace plenko
