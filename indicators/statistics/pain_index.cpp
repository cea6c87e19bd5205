#include "indicators/statistics/pain_index.hpp"

#include "indicators/blocks/window_length.hpp"
#include "indicators/statistics/drawdown_walks.hpp"

namespace plenko {

PainIndex::PainIndex(std::size_t n) : ring_(n) {}

Expected<PainIndex, IndicatorError> PainIndex::create(std::size_t period) {
    if (auto ok = check_period(period); !ok) return unexpected(ok.error());
    return PainIndex(period);
}

std::optional<double> PainIndex::update(double close) {
    ring_.push(close);
    if (!ring_.full()) return std::nullopt;
    double total = 0.0;
    drawdown::level_walk(ring_, [&](double x, double peak) {
        if (peak > 0.0) total = total + (peak - x) / peak;
    });
    return total / static_cast<double>(ring_.length());
}

}  // namespace plenko
