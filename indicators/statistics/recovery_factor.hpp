#pragma once
// Recovery factor over the whole history of a level series: the net growth
// since the first value, x/F − 1, over the largest drawdown fraction from the
// running peak seen so far; 0 while there has been no drawdown. A first value
// of 0 leaves the growth undefined, and nothing is ever produced.

#include <cstddef>
#include <optional>

#include "indicators/expected.hpp"
#include "indicators/indicator_error.hpp"

namespace plenko {

class RecoveryFactor {
public:
    static Expected<RecoveryFactor, IndicatorError> create();
    std::optional<double> update(double close);
    std::size_t warmup_period() const { return 1; }

private:
    RecoveryFactor() = default;
    bool started_ = false;
    double first_ = 0.0;
    double peak_ = 0.0;
    double largest_drawdown_ = 0.0;
};

}  // namespace plenko
