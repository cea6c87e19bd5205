#pragma once
// JumpIndicator: with μ and σ the mean and sample standard deviation (divisor
// n − 1) of the n log returns before the current one, z = r − μ gives +1 when
// z > threshold·σ, −1 when z < −threshold·σ, else 0; the current return then
// joins the window. Closes that are not above 0 are skipped.

#include <cstddef>
#include <optional>

#include "indicators/indicator.hpp"
#include "indicators/statistics/shifted_moments.hpp"
#include "indicators/volatility/log_returns.hpp"

namespace plenko {

class JumpIndicator {
public:
    static Expected<JumpIndicator, IndicatorError> create(std::size_t period, double threshold);

    std::optional<double> update(double close);
    std::size_t warmup_period() const { return sat_add(returns_.length(), 2); }

private:
    JumpIndicator(std::size_t n, double threshold) : returns_(n), threshold_(threshold) {}

    LogReturns feed_;
    ShiftedMoments<2> returns_;
    double threshold_;
};

}  // namespace plenko
