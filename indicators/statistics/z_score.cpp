#include "indicators/statistics/z_score.hpp"

#include "indicators/blocks/window_length.hpp"

namespace plenko {

ZScore::ZScore(std::size_t n) : moments_(n) {}

Expected<ZScore, IndicatorError> ZScore::create(std::size_t period) {
    if (auto ok = check_period(period); !ok) return unexpected(ok.error());
    return ZScore(period);
}

std::optional<double> ZScore::update(double close) {
    moments_.push(close);
    if (!moments_.full()) return std::nullopt;
    const double variance = moments_.variance();
    if (variance == 0.0) return 0.0;
    return (close - moments_.mean()) / std::sqrt(variance);
}

}  // namespace plenko
