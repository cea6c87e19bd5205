#include "indicators/statistics/variance.hpp"

#include "indicators/blocks/window_length.hpp"

namespace plenko {

Variance::Variance(std::size_t n) : moments_(n) {}

Expected<Variance, IndicatorError> Variance::create(std::size_t period) {
    if (auto ok = check_period(period); !ok) return unexpected(ok.error());
    return Variance(period);
}

std::optional<double> Variance::update(double close) {
    moments_.push(close);
    if (!moments_.full()) return std::nullopt;
    return moments_.variance();
}

}  // namespace plenko
