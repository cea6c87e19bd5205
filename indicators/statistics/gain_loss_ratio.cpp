#include "indicators/statistics/gain_loss_ratio.hpp"

#include <cmath>
#include <limits>

#include "indicators/blocks/window_length.hpp"
#include "indicators/statistics/win_loss_tally.hpp"

namespace plenko {

GainLossRatio::GainLossRatio(std::size_t n) : ring_(n) {}

Expected<GainLossRatio, IndicatorError> GainLossRatio::create(std::size_t period) {
    if (auto ok = check_period(period); !ok) return unexpected(ok.error());
    return GainLossRatio(period);
}

std::optional<double> GainLossRatio::update(double close) {
    ring_.push(close);
    if (!ring_.full()) return std::nullopt;
    const auto [wins, losses, gain_sum, loss_sum] = tally_wins_losses(ring_);
    if (losses == 0) return wins == 0 ? 1.0 : std::numeric_limits<double>::infinity();
    const double average_gain = wins == 0 ? 0.0 : gain_sum / static_cast<double>(wins);
    return average_gain / (std::fabs(loss_sum) / static_cast<double>(losses));
}

}  // namespace plenko
