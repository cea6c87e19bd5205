#include "indicators/statistics/kurtosis.hpp"

#include "indicators/blocks/window_length.hpp"

namespace plenko {

Kurtosis::Kurtosis(std::size_t n) : moments_(n) {}

Expected<Kurtosis, IndicatorError> Kurtosis::create(std::size_t period) {
    if (auto ok = check_period(period); !ok) return unexpected(ok.error());
    if (period < 4) return unexpected(IndicatorError::invalid_period("kurtosis needs period >= 4"));
    return Kurtosis(period);
}

std::optional<double> Kurtosis::update(double close) {
    moments_.push(close);
    if (!moments_.full()) return std::nullopt;
    const double variance = moments_.variance();
    if (variance == 0.0) return 0.0;
    const double m1 = moments_.m1();
    const double m2 = moments_.m2();
    const double m3 = moments_.m3();
    const double m4 = moments_.m4();
    const double m1_sq = m1 * m1;
    // Fourth central moment from the moments about the shift.
    const double central4 = m4 - 4.0 * m1 * m3 + 6.0 * m1_sq * m2 - 3.0 * (m1_sq * m1 * m1);
    return central4 / (variance * variance) - 3.0;
}

}  // namespace plenko
