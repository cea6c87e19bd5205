#include "indicators/statistics/expectancy.hpp"

#include "indicators/blocks/window_length.hpp"

namespace plenko {

Expectancy::Expectancy(std::size_t n) : ring_(n) {}

Expected<Expectancy, IndicatorError> Expectancy::create(std::size_t period) {
    if (auto ok = check_period(period); !ok) return unexpected(ok.error());
    return Expectancy(period);
}

// sign = +1 admits x, −1 evicts it. The loss sum is set to exactly 0 when
// its last contributor leaves, so no rounding residue survives it.
void Expectancy::add(double x, double sign) {
    sum_ = sum_ + sign * x;
    if (x < 0.0) {
        loss_sum_ = loss_sum_ + sign * -x;
        losses_ = sign > 0.0 ? losses_ + 1 : losses_ - 1;
        if (losses_ == 0) loss_sum_ = 0.0;
    }
}

std::optional<double> Expectancy::update(double close) {
    if (auto gone = ring_.push(close)) add(*gone, -1.0);
    add(close, 1.0);
    if (!ring_.full()) return std::nullopt;
    if (losses_ == 0) return 0.0;
    return (sum_ / static_cast<double>(ring_.length())) / (loss_sum_ / static_cast<double>(losses_));
}

}  // namespace plenko
