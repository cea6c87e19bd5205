#pragma once
// MassIndex (Dorsey): e1 = exponential average of high − low over e (seeded
// with the plain mean of its first values), e2 = the same average of e1; the
// value is the sum of e1/e2 over the last s bars. A bar whose e2 is 0 (a run
// of flat candles) counts with a ratio of 1.

#include <cstddef>
#include <optional>

#include "indicators/indicator.hpp"

namespace plenko {

class MassIndex {
public:
    static Expected<MassIndex, IndicatorError> create(std::size_t ema_length, std::size_t sum_length);

    std::optional<double> update(const Candle& c);
    std::size_t warmup_period() const {
        return sat_sub(sat_add(ratios_.length(), sat_mul(2, single_.length())), 2);
    }

private:
    MassIndex(std::size_t e, std::size_t s) : single_(e), double_(e), ratios_(s) {}

    ExponentialAverage single_;
    ExponentialAverage double_;
    SimpleAverage ratios_;  // used for its ring and running sum
};

}  // namespace plenko
