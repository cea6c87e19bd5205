#pragma once
// Standard error of the least-squares fit through the last n closes, √(SSR/(n − 2)).

#include <cstddef>
#include <optional>

#include "indicators/expected.hpp"
#include "indicators/indicator_error.hpp"
#include "indicators/statistics/residual_regression.hpp"

namespace plenko {

class StandardError {
public:
    static Expected<StandardError, IndicatorError> create(std::size_t period);
    std::optional<double> update(double close);
    std::size_t warmup_period() const { return fit_.length(); }

private:
    explicit StandardError(std::size_t n);
    ResidualRegression fit_;
};

}  // namespace plenko
