#include "indicators/statistics/skewness.hpp"

#include "indicators/blocks/window_length.hpp"

namespace plenko {

Skewness::Skewness(std::size_t n) : moments_(n) {}

Expected<Skewness, IndicatorError> Skewness::create(std::size_t period) {
    if (auto ok = check_period(period); !ok) return unexpected(ok.error());
    if (period < 3) return unexpected(IndicatorError::invalid_period("skewness needs period >= 3"));
    return Skewness(period);
}

std::optional<double> Skewness::update(double close) {
    moments_.push(close);
    if (!moments_.full()) return std::nullopt;
    const double variance = moments_.variance();
    if (variance == 0.0) return 0.0;
    const double m1 = moments_.m1();
    const double m2 = moments_.m2();
    const double m3 = moments_.m3();
    // Third central moment from the moments about the shift.
    const double central3 = m3 - 3.0 * m1 * m2 + 2.0 * (m1 * m1 * m1);
    return central3 / (variance * std::sqrt(variance));
}

}  // namespace plenko
