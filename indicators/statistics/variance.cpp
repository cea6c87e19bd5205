#include "indicators/statistics/variance.hpp"

#include "indicators/blocks/window_length.hpp"

namespace plenko {

Variance::Variance(std::size_t n) : moments_(n) {}

Expected<Variance, IndicatorError> Variance::create(std::size_t period) {
    if (auto ok = check_period(period); !ok) return unexpected(ok.error());
    return Variance(period);
}

}  // namespace plenko
