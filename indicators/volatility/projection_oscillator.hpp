#pragma once
// ProjectionOscillator (Widner): 100·(close − lower)/(upper − lower) of the
// projection bands over n, 50 when the bands coincide. With n = 1 the slopes
// are 0 and the bands are the candle's own high and low.

#include <cstddef>
#include <optional>

#include "indicators/indicator.hpp"
#include "indicators/volatility/projection_bands.hpp"

namespace plenko {

class ProjectionOscillator {
public:
    static Expected<ProjectionOscillator, IndicatorError> create(std::size_t period);

    std::optional<double> update(const Candle& c);
    std::size_t warmup_period() const { return core_.length(); }

private:
    explicit ProjectionOscillator(std::size_t n) : core_(n) {}

    ProjectionCore core_;
};

}  // namespace plenko
