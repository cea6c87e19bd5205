#include "indicators/statistics/kelly_criterion.hpp"

#include <cmath>

#include "indicators/blocks/window_length.hpp"
#include "indicators/statistics/win_loss_tally.hpp"

namespace plenko {

KellyCriterion::KellyCriterion(std::size_t n) : ring_(n) {}

Expected<KellyCriterion, IndicatorError> KellyCriterion::create(std::size_t period) {
    if (auto ok = check_period(period); !ok) return unexpected(ok.error());
    return KellyCriterion(period);
}

std::optional<double> KellyCriterion::update(double close) {
    ring_.push(close);
    if (!ring_.full()) return std::nullopt;
    const auto [wins, losses, gain_sum, loss_sum] = tally_wins_losses(ring_);
    const double win_fraction = static_cast<double>(wins) / static_cast<double>(ring_.length());
    if (losses == 0) return win_fraction;
    if (wins == 0) return -1.0;
    const double payoff = (gain_sum / static_cast<double>(wins)) / (std::fabs(loss_sum) / static_cast<double>(losses));
    return win_fraction - (1.0 - win_fraction) / payoff;
}

}  // namespace plenko
