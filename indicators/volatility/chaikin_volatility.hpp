#pragma once
// ChaikinVolatility: e = exponential average of high − low over the EMA
// length (seeded with the plain mean of its first values); the value is
// 100·(e − e r bars earlier)/(e r bars earlier), 0 when the earlier e is 0.

#include <cstddef>
#include <optional>

#include "indicators/indicator.hpp"

namespace plenko {

class ChaikinVolatility {
public:
    static Expected<ChaikinVolatility, IndicatorError> create(std::size_t ema_length, std::size_t roc_length);

    std::optional<double> update(const Candle& c);
    std::size_t warmup_period() const { return sat_add(ema_.length(), earlier_.length()); }

private:
    ChaikinVolatility(std::size_t e, std::size_t r) : ema_(e), earlier_(r) {}

    ExponentialAverage ema_;
    RingWindow<double> earlier_;  // the last r averages, oldest = r bars back once full
};

}  // namespace plenko
