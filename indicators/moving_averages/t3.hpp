#pragma once
// T3: six chained EMA(n) stages e1 … e6 combined as
// c1·e6 + c2·e5 + c3·e4 + c4·e3 with the volume-factor coefficients
// c1 = −v³, c2 = 3v² + 3v³, c3 = −6v² − 3v − 3v³, c4 = 1 + 3v + 3v² + v³.

#include <cmath>
#include <cstddef>
#include <optional>

#include "indicators/indicator.hpp"
#include "indicators/moving_averages/exponential_chain.hpp"

namespace plenko {

class T3 {
public:
    static Expected<T3, IndicatorError> create(std::size_t period, double volume_factor);

    std::optional<double> update(double close) {
        if (!chain_.update(close)) return std::nullopt;
        const double v = c1_ * chain_[5] + c2_ * chain_[4] + c3_ * chain_[3] + c4_ * chain_[2];
        // Overflow of the combination is treated like an overflowing stage.
        if (!std::isfinite(v)) return std::nullopt;
        return v;
    }
    std::size_t warmup_period() const;

private:
    T3(std::size_t n, double v);
    ExponentialChain<6> chain_;
    double c1_, c2_, c3_, c4_;
};

}  // namespace plenko
