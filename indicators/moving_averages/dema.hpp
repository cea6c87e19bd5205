#pragma once
// Dema: e1 = EMA(n) of the closes, e2 = EMA(n) of e1; yields 2·e1 − e2.

#include <cmath>
#include <cstddef>
#include <optional>

#include "indicators/indicator.hpp"
#include "indicators/moving_averages/exponential_chain.hpp"

namespace plenko {

class Dema {
public:
    static Expected<Dema, IndicatorError> create(std::size_t period);

    std::optional<double> update(double close) {
        if (!chain_.update(close)) return std::nullopt;
        const double v = 2.0 * chain_[0] - chain_[1];
        // Overflow of the combination is treated like an overflowing stage.
        if (!std::isfinite(v)) return std::nullopt;
        return v;
    }
    std::size_t warmup_period() const;

private:
    explicit Dema(std::size_t n) : chain_(n) {}
    ExponentialChain<2> chain_;
};

}  // namespace plenko
