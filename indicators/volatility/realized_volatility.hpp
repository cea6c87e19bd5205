#pragma once
// RealizedVolatility: √(Σ r²) over the last n log returns (running sum,
// re-summed periodically), not annualised. Closes that are not above 0 are
// skipped.

#include <cstddef>
#include <optional>

#include "indicators/indicator.hpp"
#include "indicators/volatility/log_returns.hpp"

namespace plenko {

class RealizedVolatility {
public:
    static Expected<RealizedVolatility, IndicatorError> create(std::size_t period);

    std::optional<double> update(double close);
    std::size_t warmup_period() const { return sat_add(squares_.length(), 1); }

private:
    explicit RealizedVolatility(std::size_t n) : squares_(n) {}

    LogReturns feed_;
    SimpleAverage squares_;  // used for its ring and running sum
};

}  // namespace plenko
