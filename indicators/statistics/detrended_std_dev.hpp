#pragma once
// Root mean square of the residuals about the least-squares line through the last n closes,
// √(SSR/n).

#include <cstddef>
#include <optional>

#include "indicators/expected.hpp"
#include "indicators/indicator_error.hpp"
#include "indicators/statistics/residual_regression.hpp"

namespace plenko {

class DetrendedStdDev {
public:
    static Expected<DetrendedStdDev, IndicatorError> create(std::size_t period);
    std::optional<double> update(double close);
    std::size_t warmup_period() const { return fit_.length(); }

private:
    explicit DetrendedStdDev(std::size_t n);
    ResidualRegression fit_;
};

}  // namespace plenko
