#pragma once
// GeometricMa: geometric mean of the last n closes, exp of the mean of their
// logarithms. Only strictly positive closes are accepted; any other close is
// skipped without a trace. The running log sum is recomputed from the ring
// after every n accepted closes.

#include <cstddef>
#include <optional>

#include "indicators/indicator.hpp"

namespace plenko {

class GeometricMa {
public:
    static Expected<GeometricMa, IndicatorError> create(std::size_t period);

    std::optional<double> update(double close);
    std::size_t warmup_period() const { return logs_.length(); }

private:
    explicit GeometricMa(std::size_t n) : logs_(n) {}

    RingWindow<double> logs_;
    double sum_ = 0.0;
    std::size_t since_resum_ = 0;
};

}  // namespace plenko
