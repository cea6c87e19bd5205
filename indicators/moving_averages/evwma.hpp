#pragma once
// Evwma: elastic volume-weighted moving average. With V the volume of the
// last n candles and v the current one, the value moves from prev towards
// the close in proportion v / V: (v·close + (V − v)·prev) / V. Without volume
// in the window the last value is repeated (or, before the first one, the
// close is taken).

#include <cstddef>
#include <optional>

#include "indicators/indicator.hpp"

namespace plenko {

class Evwma {
public:
    static Expected<Evwma, IndicatorError> create(std::size_t period);

    std::optional<double> update(const Candle& candle);
    std::size_t warmup_period() const { return volumes_.length(); }

private:
    explicit Evwma(std::size_t n) : volumes_(n) {}

    RingWindow<double> volumes_;  // only the volumes enter V
    double volume_ = 0.0;         // V
    double value_ = 0.0;
    bool has_value_ = false;
};

}  // namespace plenko
