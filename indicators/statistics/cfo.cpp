#include "indicators/statistics/cfo.hpp"

#include <cmath>

#include "indicators/blocks/window_length.hpp"

namespace plenko {

Cfo::Cfo(std::size_t n) : fit_(n) {}

Expected<Cfo, IndicatorError> Cfo::create(std::size_t period) {
    if (auto ok = check_period(period); !ok) return unexpected(ok.error());
    if (period < 2) return unexpected(IndicatorError::invalid_period("linear regression needs period >= 2"));
    return Cfo(period);
}

}  // namespace plenko
