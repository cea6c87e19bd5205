#include "indicators/moving_averages/geometric_ma.hpp"

#include <cmath>

namespace plenko {

Expected<GeometricMa, IndicatorError> GeometricMa::create(std::size_t period) {
    if (auto ok = check_period(period); !ok) return unexpected(ok.error());
    return GeometricMa(period);
}

std::optional<double> GeometricMa::update(double close) {
    if (!(close > 0.0)) return std::nullopt;  // no logarithm: the bar is skipped
    const double l = std::log(close);
    if (auto oldest = logs_.push(l)) {
        sum_ = l + (sum_ - *oldest);
    } else {
        sum_ = l + sum_;
    }
    if (++since_resum_ >= logs_.length()) {
        double s = 0.0;
        logs_.for_each([&](double v) { s = s + v; });
        sum_ = s;
        since_resum_ = 0;
    }
    if (!logs_.full()) return std::nullopt;
    return std::exp(sum_ / static_cast<double>(logs_.length()));
}

}  // namespace plenko
