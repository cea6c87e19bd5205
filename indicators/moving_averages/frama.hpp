#pragma once
// Frama: Ehlers' fractal adaptive moving average over the last n closes
// (n even). The ranges of the two halves and of the whole window give the
// fractal dimension D = (ln(N1 + N2) − ln N3) / ln 2, and
// alpha = clamp(exp(−4.6·(D − 1)), 0.01, 1); a window without range in
// either half (or overall) smooths with alpha 0.01.

#include <cstddef>
#include <optional>

#include "indicators/indicator.hpp"

namespace plenko {

class Frama {
public:
    static Expected<Frama, IndicatorError> create(std::size_t period);

    std::optional<double> update(double close);
    std::size_t warmup_period() const { return window_.length(); }

private:
    explicit Frama(std::size_t n) : window_(n) {}

    RingWindow<double> window_;
    double value_ = 0.0;
    bool has_value_ = false;
};

}  // namespace plenko
