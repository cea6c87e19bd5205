#include "indicators/statistics/calmar_ratio.hpp"

#include "indicators/blocks/window_length.hpp"
#include "indicators/statistics/drawdown_walks.hpp"

namespace plenko {

CalmarRatio::CalmarRatio(std::size_t n) : sums_(n) {}

Expected<CalmarRatio, IndicatorError> CalmarRatio::create(std::size_t period) {
    if (auto ok = check_period(period); !ok) return unexpected(ok.error());
    if (period < 2) return unexpected(IndicatorError::invalid_period("calmar ratio needs period >= 2"));
    return CalmarRatio(period);
}

std::optional<double> CalmarRatio::update(double close) {
    sums_.push(close);
    if (!sums_.full()) return std::nullopt;
    double largest = 0.0;
    drawdown::compounded_walk(sums_.window(), [&](double equity, double peak) {
        const double dd = (peak - equity) / peak;
        if (dd > largest) largest = dd;
    });
    if (largest == 0.0) return 0.0;
    return sums_.mean() / largest;
}

}  // namespace plenko
