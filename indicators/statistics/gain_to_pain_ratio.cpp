#include "indicators/statistics/gain_to_pain_ratio.hpp"

#include "indicators/blocks/window_length.hpp"

namespace plenko {

GainToPainRatio::GainToPainRatio(std::size_t n) : ring_(n) {}

Expected<GainToPainRatio, IndicatorError> GainToPainRatio::create(std::size_t period) {
    if (auto ok = check_period(period); !ok) return unexpected(ok.error());
    return GainToPainRatio(period);
}

// sign = +1 admits x, −1 evicts it. The pain sum is set to exactly 0 when its
// last contributor leaves, so no rounding residue can pose as a loss (which
// would turn a window without losses into a huge ratio).
void GainToPainRatio::add(double x, double sign) {
    sum_ = sum_ + sign * x;
    if (x < 0.0) {
        pain_ = pain_ + sign * -x;
        losses_ = sign > 0.0 ? losses_ + 1 : losses_ - 1;
        if (losses_ == 0) pain_ = 0.0;
    }
}

std::optional<double> GainToPainRatio::update(double close) {
    if (auto gone = ring_.push(close)) add(*gone, -1.0);
    add(close, 1.0);
    if (!ring_.full()) return std::nullopt;
    if (!(pain_ > 0.0)) return 0.0;
    return sum_ / pain_;
}

}  // namespace plenko
