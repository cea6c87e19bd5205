#include "indicators/moving_averages/sine_weighted_ma.hpp"

#include <cmath>
#include <numbers>

namespace plenko {

Expected<SineWeightedMa, IndicatorError> SineWeightedMa::create(std::size_t period) {
    if (auto ok = check_period(period); !ok) return unexpected(ok.error());
    return SineWeightedMa(period);
}

void SineWeightedMa::build_weights() {
    const std::size_t n = window_.length();
    const double n_plus_1 = static_cast<double>(n) + 1.0;
    weights_.reserve(n);
    double total = 0.0;
    for (std::size_t i = 0; i < n; ++i) {
        const double w = std::sin(static_cast<double>(i + 1) * std::numbers::pi / n_plus_1);
        weights_.push_back(w);
        total = total + w;
    }
    weight_sum_ = total;
}

std::optional<double> SineWeightedMa::update(double close) {
    window_.push(close);
    if (!window_.full()) return std::nullopt;
    if (weights_.empty()) build_weights();
    double sum = 0.0;
    std::size_t i = 0;
    window_.for_each([&](double x) { sum = sum + weights_[i++] * x; });
    return sum / weight_sum_;
}

}  // namespace plenko
