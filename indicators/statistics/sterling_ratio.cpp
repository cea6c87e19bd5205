#include "indicators/statistics/sterling_ratio.hpp"

#include "indicators/blocks/window_length.hpp"
#include "indicators/statistics/drawdown_walks.hpp"

namespace plenko {

SterlingRatio::SterlingRatio(std::size_t n) : ring_(n) {}

Expected<SterlingRatio, IndicatorError> SterlingRatio::create(std::size_t period) {
    if (auto ok = check_period(period); !ok) return unexpected(ok.error());
    if (period < 2) return unexpected(IndicatorError::invalid_period("sterling ratio needs period >= 2"));
    return SterlingRatio(period);
}

std::optional<double> SterlingRatio::update(double close) {
    ring_.push(close);
    if (!ring_.full()) return std::nullopt;
    double sum = 0.0;
    ring_.for_each([&](double x) { sum = sum + x; });
    const double mean = sum / static_cast<double>(ring_.length());
    double depth_sum = 0.0;
    std::size_t episodes = 0;
    drawdown::compounded_episodes(ring_, [&](double depth) {
        depth_sum = depth_sum + depth;
        ++episodes;
    });
    if (episodes == 0) return 0.0;
    const double average = depth_sum / static_cast<double>(episodes);
    if (!(average > 0.0)) return 0.0;
    return mean / average;
}

}  // namespace plenko
