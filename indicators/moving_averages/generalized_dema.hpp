#pragma once
// GeneralizedDema: e1, e2 as for Dema; yields e1·(1 + v) − e2·v for a volume
// factor v in [0, 1] (v = 0 is the EMA, v = 1 the Dema).

#include <cmath>
#include <cstddef>
#include <optional>

#include "indicators/indicator.hpp"
#include "indicators/moving_averages/exponential_chain.hpp"

namespace plenko {

class GeneralizedDema {
public:
    static Expected<GeneralizedDema, IndicatorError> create(std::size_t period, double volume_factor);

    std::optional<double> update(double close) {
        if (!chain_.update(close)) return std::nullopt;
        const double v = chain_[0] * one_plus_v_ - chain_[1] * v_;
        // Overflow of the combination is treated like an overflowing stage.
        if (!std::isfinite(v)) return std::nullopt;
        return v;
    }
    std::size_t warmup_period() const;

private:
    GeneralizedDema(std::size_t n, double v) : chain_(n), v_(v), one_plus_v_(1.0 + v) {}
    ExponentialChain<2> chain_;
    double v_;
    double one_plus_v_;
};

}  // namespace plenko
