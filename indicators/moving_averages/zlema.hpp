#pragma once
// Zlema: zero-lag EMA. With lag L = (n − 1) / 2, the de-lagged close
// d = 2·x − x[t − L] (one fused multiply-add) feeds an EMA(n) once L + 1
// closes are held.

#include <cmath>
#include <cstddef>
#include <optional>

#include "indicators/indicator.hpp"

namespace plenko {

class Zlema {
public:
    static Expected<Zlema, IndicatorError> create(std::size_t period);

    std::optional<double> update(double close) {
        lagged_.push(close);
        if (!lagged_.full()) return std::nullopt;
        const double d = std::fma(2.0, close, -lagged_.oldest());
        if (!std::isfinite(d)) return std::nullopt;
        const auto v = ema_.update(d);
        if (!v || !std::isfinite(*v)) return std::nullopt;
        return v;
    }
    std::size_t warmup_period() const;

private:
    explicit Zlema(std::size_t n) : lagged_((n - 1) / 2 + 1), ema_(n) {}
    RingWindow<double> lagged_;  // the current close and the L before it
    ExponentialAverage ema_;
};

}  // namespace plenko
