#pragma once
// Vidya: Chande's variable index dynamic average. The Chande momentum c over
// m changes scales the EMA factor alpha = 2 / (p + 1): k = (|c| / 100)·alpha
// and value = (1 − k)·prev + k·x, prev being the last output or, on the first
// output, the current close.

#include <cmath>
#include <cstddef>
#include <optional>

#include "indicators/indicator.hpp"
#include "indicators/moving_averages/chande_momentum.hpp"

namespace plenko {

class Vidya {
public:
    static Expected<Vidya, IndicatorError> create(std::size_t period, std::size_t momentum_length);

    std::optional<double> update(double close) {
        const auto c = momentum_.update(close);
        if (!c) return std::nullopt;
        const double k = (std::fabs(*c) / 100.0) * alpha_;
        const double prev = has_value_ ? value_ : close;
        value_ = (1.0 - k) * prev + k * close;
        has_value_ = true;
        return value_;
    }
    std::size_t warmup_period() const { return sat_add(momentum_.length(), 1); }

private:
    Vidya(std::size_t p, std::size_t m) : momentum_(m), alpha_(2.0 / (static_cast<double>(p) + 1.0)) {}

    ChandeMomentum momentum_;
    double alpha_;
    double value_ = 0.0;
    bool has_value_ = false;
};

}  // namespace plenko
