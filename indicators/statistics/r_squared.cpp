#include "indicators/statistics/r_squared.hpp"

#include <cmath>

#include "indicators/blocks/window_length.hpp"

namespace plenko {

RSquared::RSquared(std::size_t n) : fit_(n) {}

Expected<RSquared, IndicatorError> RSquared::create(std::size_t period) {
    if (auto ok = check_period(period); !ok) return unexpected(ok.error());
    if (period < 2) return unexpected(IndicatorError::invalid_period("R² needs period >= 2"));
    return RSquared(period);
}

}  // namespace plenko
