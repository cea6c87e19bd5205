#include "indicators/statistics/burke_ratio.hpp"

#include <cmath>

#include "indicators/blocks/window_length.hpp"
#include "indicators/statistics/drawdown_walks.hpp"

namespace plenko {

BurkeRatio::BurkeRatio(std::size_t n) : ring_(n) {}

Expected<BurkeRatio, IndicatorError> BurkeRatio::create(std::size_t period) {
    if (auto ok = check_period(period); !ok) return unexpected(ok.error());
    if (period < 2) return unexpected(IndicatorError::invalid_period("burke ratio needs period >= 2"));
    return BurkeRatio(period);
}

std::optional<double> BurkeRatio::update(double close) {
    ring_.push(close);
    if (!ring_.full()) return std::nullopt;
    double sum = 0.0;
    ring_.for_each([&](double x) { sum = sum + x; });
    const double mean = sum / static_cast<double>(ring_.length());
    double squares = 0.0;
    drawdown::compounded_episodes(ring_, [&](double depth) { squares = squares + depth * depth; });
    if (!(squares > 0.0)) return 0.0;
    return mean / std::sqrt(squares);
}

}  // namespace plenko
