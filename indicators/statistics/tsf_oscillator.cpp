#include "indicators/statistics/tsf_oscillator.hpp"

#include <cmath>

#include "indicators/blocks/window_length.hpp"

namespace plenko {

TsfOscillator::TsfOscillator(std::size_t n) : fit_(n) {}

Expected<TsfOscillator, IndicatorError> TsfOscillator::create(std::size_t period) {
    if (auto ok = check_period(period); !ok) return unexpected(ok.error());
    if (period < 2) return unexpected(IndicatorError::invalid_period("TSF oscillator needs period >= 2"));
    return TsfOscillator(period);
}

}  // namespace plenko
