#include "indicators/statistics/gain_loss_ratio.hpp"

#include <cmath>
#include <limits>

#include "indicators/blocks/window_length.hpp"

namespace plenko {

GainLossRatio::GainLossRatio(std::size_t n) : ring_(n) {}

Expected<GainLossRatio, IndicatorError> GainLossRatio::create(std::size_t period) {
    if (auto ok = check_period(period); !ok) return unexpected(ok.error());
    return GainLossRatio(period);
}

std::optional<double> GainLossRatio::update(double close) {
    ring_.push(close);
    if (!ring_.full()) return std::nullopt;
    std::size_t wins = 0;
    std::size_t losses = 0;
    double gain_sum = 0.0;
    double loss_sum = 0.0;
    ring_.for_each([&](double x) {
        if (x > 0.0) {
            ++wins;
            gain_sum = gain_sum + x;
        } else if (x < 0.0) {
            ++losses;
            loss_sum = loss_sum + x;
        }
    });
    if (losses == 0) return wins == 0 ? 1.0 : std::numeric_limits<double>::infinity();
    const double average_gain = wins == 0 ? 0.0 : gain_sum / static_cast<double>(wins);
    return average_gain / (std::fabs(loss_sum) / static_cast<double>(losses));
}

}  // namespace plenko
