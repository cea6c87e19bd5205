#include "indicators/statistics/average_drawdown.hpp"

#include "indicators/blocks/window_length.hpp"
#include "indicators/statistics/drawdown_walks.hpp"

namespace plenko {

AverageDrawdown::AverageDrawdown(std::size_t n) : ring_(n) {}

Expected<AverageDrawdown, IndicatorError> AverageDrawdown::create(std::size_t period) {
    if (auto ok = check_period(period); !ok) return unexpected(ok.error());
    return AverageDrawdown(period);
}

std::optional<double> AverageDrawdown::update(double close) {
    ring_.push(close);
    if (!ring_.full()) return std::nullopt;
    double depth_sum = 0.0;
    std::size_t episodes = 0;
    drawdown::level_episodes(ring_, [&](double depth) {
        depth_sum = depth_sum + depth;
        ++episodes;
    });
    if (episodes == 0) return 0.0;
    return depth_sum / static_cast<double>(episodes);
}

}  // namespace plenko
