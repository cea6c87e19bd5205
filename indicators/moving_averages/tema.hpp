#pragma once
// Tema: three chained EMA(n) stages; yields 3·e1 − 3·e2 + e3.

#include <cmath>
#include <cstddef>
#include <optional>

#include "indicators/indicator.hpp"
#include "indicators/moving_averages/exponential_chain.hpp"

namespace plenko {

class Tema {
public:
    static Expected<Tema, IndicatorError> create(std::size_t period);

    std::optional<double> update(double close) {
        if (!chain_.update(close)) return std::nullopt;
        const double v = 3.0 * chain_[0] - 3.0 * chain_[1] + chain_[2];
        // Overflow of the combination is treated like an overflowing stage.
        if (!std::isfinite(v)) return std::nullopt;
        return v;
    }
    std::size_t warmup_period() const;

private:
    explicit Tema(std::size_t n) : chain_(n) {}
    ExponentialChain<3> chain_;
};

}  // namespace plenko
