#include "indicators/statistics/win_rate.hpp"

#include "indicators/blocks/window_length.hpp"

namespace plenko {

WinRate::WinRate(std::size_t n) : ring_(n) {}

Expected<WinRate, IndicatorError> WinRate::create(std::size_t period) {
    if (auto ok = check_period(period); !ok) return unexpected(ok.error());
    return WinRate(period);
}

// sign = +1 admits x, −1 evicts it.
void WinRate::add(double x, double sign) {
    if (x > 0.0) wins_ = sign > 0.0 ? wins_ + 1 : wins_ - 1;
}

std::optional<double> WinRate::update(double close) {
    if (auto gone = ring_.push(close)) add(*gone, -1.0);
    add(close, 1.0);
    if (!ring_.full()) return std::nullopt;
    return static_cast<double>(wins_) / static_cast<double>(ring_.length());
}

}  // namespace plenko
