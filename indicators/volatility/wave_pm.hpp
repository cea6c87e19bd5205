#pragma once
// WavePm: d = close − close n bars back, o = d²; A = exponential average of o
// over m (seeded with its plain mean); u = 1 − exp(−o/(2A)), 0 when A ≤ 0;
// the value is 100 times the exponential average of u over m.

#include <cstddef>
#include <optional>

#include "indicators/indicator.hpp"

namespace plenko {

class WavePm {
public:
    static Expected<WavePm, IndicatorError> create(std::size_t lag, std::size_t smoothing);

    std::optional<double> update(double close);
    std::size_t warmup_period() const {
        return sat_sub(sat_add(closes_.length(), sat_mul(2, power_.length())), 1);
    }

private:
    WavePm(std::size_t n, std::size_t m) : closes_(n), power_(m), shaped_(m) {}

    RingWindow<double> closes_;  // the last n closes; the oldest is n bars back once full
    ExponentialAverage power_;
    ExponentialAverage shaped_;
};

}  // namespace plenko
