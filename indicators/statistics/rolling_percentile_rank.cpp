#include "indicators/statistics/rolling_percentile_rank.hpp"

#include <algorithm>

#include "indicators/blocks/window_length.hpp"

namespace plenko {

RollingPercentileRank::RollingPercentileRank(std::size_t n) : window_(n) {}

Expected<RollingPercentileRank, IndicatorError> RollingPercentileRank::create(std::size_t period) {
    if (auto ok = check_period(period); !ok) return unexpected(ok.error());
    return RollingPercentileRank(period);
}

std::optional<double> RollingPercentileRank::update(double close) {
    window_.update(close);
    if (!window_.full()) return std::nullopt;
    // Ranks compare numerically (−0.0 equals +0.0); the total order of the
    // sorted window refines the numeric one, so bisection still applies.
    const auto s = window_.sorted();
    const auto first = std::lower_bound(s.begin(), s.end(), close);
    const auto past = std::upper_bound(first, s.end(), close);
    const double below = static_cast<double>(first - s.begin());
    const double equal = static_cast<double>(past - first);
    return (below + 0.5 * equal) / static_cast<double>(s.size()) * 100.0;
}

}  // namespace plenko
