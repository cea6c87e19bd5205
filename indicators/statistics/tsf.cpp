#include "indicators/statistics/tsf.hpp"

#include <cmath>

#include "indicators/blocks/window_length.hpp"

namespace plenko {

Tsf::Tsf(std::size_t n) : fit_(n) {}

Expected<Tsf, IndicatorError> Tsf::create(std::size_t period) {
    if (auto ok = check_period(period); !ok) return unexpected(ok.error());
    if (period < 2) return unexpected(IndicatorError::invalid_period("time series forecast needs period >= 2"));
    return Tsf(period);
}

}  // namespace plenko
