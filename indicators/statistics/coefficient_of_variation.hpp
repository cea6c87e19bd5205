#pragma once
// Population standard deviation over the (signed) window mean; 0 when the mean is 0.

#include <cstddef>
#include <optional>

#include "indicators/expected.hpp"
#include "indicators/indicator_error.hpp"
#include "indicators/statistics/shifted_moments.hpp"

namespace plenko {

class CoefficientOfVariation {
public:
    static Expected<CoefficientOfVariation, IndicatorError> create(std::size_t period);
    std::optional<double> update(double close);
    std::size_t warmup_period() const { return moments_.length(); }

private:
    explicit CoefficientOfVariation(std::size_t n);
    ShiftedMoments<2> moments_;
};

}  // namespace plenko
