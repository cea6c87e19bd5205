#include "indicators/statistics/kurtosis.hpp"

#include "indicators/blocks/window_length.hpp"

namespace plenko {

Kurtosis::Kurtosis(std::size_t n) : moments_(n) {}

Expected<Kurtosis, IndicatorError> Kurtosis::create(std::size_t period) {
    if (auto ok = check_period(period); !ok) return unexpected(ok.error());
    if (period < 4) return unexpected(IndicatorError::invalid_period("kurtosis needs period >= 4"));
    return Kurtosis(period);
}

}  // namespace plenko
