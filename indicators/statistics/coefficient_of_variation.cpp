#include "indicators/statistics/coefficient_of_variation.hpp"

#include "indicators/blocks/window_length.hpp"

namespace plenko {

CoefficientOfVariation::CoefficientOfVariation(std::size_t n) : moments_(n) {}

Expected<CoefficientOfVariation, IndicatorError> CoefficientOfVariation::create(std::size_t period) {
    if (auto ok = check_period(period); !ok) return unexpected(ok.error());
    return CoefficientOfVariation(period);
}

}  // namespace plenko
