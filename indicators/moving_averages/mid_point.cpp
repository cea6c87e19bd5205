#include "indicators/moving_averages/mid_point.hpp"

namespace plenko {

Expected<MidPoint, IndicatorError> MidPoint::create(std::size_t period) {
    if (auto ok = check_period(period); !ok) return unexpected(ok.error());
    return MidPoint(period);
}

std::optional<double> MidPoint::update(double close) {
    window_.push(close);
    if (!window_.full()) return std::nullopt;
    double high = window_.oldest();
    double low = high;
    window_.for_each([&](double x) {
        if (x > high) high = x;
        if (x < low) low = x;
    });
    return safe_midpoint(high, low);
}

}  // namespace plenko
