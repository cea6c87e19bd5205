#include "indicators/statistics/martin_ratio.hpp"

#include <cmath>

#include "indicators/blocks/window_length.hpp"
#include "indicators/statistics/drawdown_walks.hpp"

namespace plenko {

MartinRatio::MartinRatio(std::size_t n) : ring_(n) {}

Expected<MartinRatio, IndicatorError> MartinRatio::create(std::size_t period) {
    if (auto ok = check_period(period); !ok) return unexpected(ok.error());
    if (period < 2) return unexpected(IndicatorError::invalid_period("martin ratio needs period >= 2"));
    return MartinRatio(period);
}

std::optional<double> MartinRatio::update(double close) {
    ring_.push(close);
    if (!ring_.full()) return std::nullopt;
    const double n = static_cast<double>(ring_.length());
    double sum = 0.0;
    ring_.for_each([&](double x) { sum = sum + x; });
    const double mean = sum / n;
    double squares = 0.0;
    drawdown::compounded_walk(ring_, [&](double equity, double peak) {
        const double percent = 100.0 * (peak - equity) / peak;
        squares = squares + percent * percent;
    });
    const double mean_square = squares / n;
    if (!(mean_square > 0.0)) return 0.0;
    // The mean stays a plain fraction: it is not scaled by 100.
    return mean / std::sqrt(mean_square);
}

}  // namespace plenko
