#include "indicators/statistics/skewness.hpp"

#include "indicators/blocks/window_length.hpp"

namespace plenko {

Skewness::Skewness(std::size_t n) : moments_(n) {}

Expected<Skewness, IndicatorError> Skewness::create(std::size_t period) {
    if (auto ok = check_period(period); !ok) return unexpected(ok.error());
    if (period < 3) return unexpected(IndicatorError::invalid_period("skewness needs period >= 3"));
    return Skewness(period);
}

}  // namespace plenko
