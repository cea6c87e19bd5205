#pragma once
// RviVolatility (Dorsey's relative volatility index): the population standard
// deviation of the last n closes goes to the up series when the close rose,
// to the down series when it fell (0 to the other, 0 to both when unchanged);
// each series is smoothed by an exponential average of length n seeded with
// its plain mean; the value is 100·up/(up + down), 50 when both are 0.

#include <cstddef>
#include <optional>

#include "indicators/indicator.hpp"
#include "indicators/statistics/shifted_moments.hpp"

namespace plenko {

class RviVolatility {
public:
    static Expected<RviVolatility, IndicatorError> create(std::size_t period);

    std::optional<double> update(double close);
    std::size_t warmup_period() const { return sat_sub(sat_mul(2, closes_.length()), 1); }

private:
    explicit RviVolatility(std::size_t n) : closes_(n), up_(n), down_(n) {}

    ShiftedMoments<2> closes_;
    ExponentialAverage up_;
    ExponentialAverage down_;
    bool has_previous_ = false;
    double previous_ = 0.0;
};

}  // namespace plenko
