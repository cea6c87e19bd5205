#pragma once
// Jma: Jurik-style adaptive average. beta = 0.45(n − 1) / (0.45(n − 1) + 2),
// alpha = beta^power, phase ratio = clamp(phase / 100 + 1.5, 0.5, 2.5). The
// first close starts the smoother and is its first value; every later close
// runs the three-stage filter (smoothed price ma1, detrended det0, adaptive
// correction det1) and yields jma.

#include <cstddef>
#include <cstdint>
#include <optional>

#include "indicators/indicator.hpp"

namespace plenko {

class Jma {
public:
    static Expected<Jma, IndicatorError> create(std::size_t period, double phase, std::uint32_t power);

    std::optional<double> update(double close);
    std::size_t warmup_period() const { return 1; }

private:
    Jma(std::size_t n, double phase, std::uint32_t power);

    double beta_;
    double alpha_;
    double ratio_;
    double alpha_sq_;         // alpha²
    double one_minus_alpha_sq_;  // (1 − alpha)²
    double ma1_ = 0.0;
    double det0_ = 0.0;
    double det1_ = 0.0;
    double jma_ = 0.0;
    bool started_ = false;
};

}  // namespace plenko
