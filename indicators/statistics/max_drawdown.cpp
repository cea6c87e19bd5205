#include "indicators/statistics/max_drawdown.hpp"

#include "indicators/blocks/window_length.hpp"
#include "indicators/statistics/drawdown_walks.hpp"

namespace plenko {

MaxDrawdown::MaxDrawdown(std::size_t n) : ring_(n) {}

Expected<MaxDrawdown, IndicatorError> MaxDrawdown::create(std::size_t period) {
    if (auto ok = check_period(period); !ok) return unexpected(ok.error());
    return MaxDrawdown(period);
}

std::optional<double> MaxDrawdown::update(double close) {
    ring_.push(close);
    if (!ring_.full()) return std::nullopt;
    double largest = 0.0;
    drawdown::level_walk(ring_, [&](double x, double peak) {
        if (!(peak > 0.0)) return;
        const double dd = (peak - x) / peak;
        if (dd > largest) largest = dd;
    });
    return largest;
}

}  // namespace plenko
