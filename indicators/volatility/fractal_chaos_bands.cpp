#include "indicators/volatility/fractal_chaos_bands.hpp"

#include "indicators/volatility/window_extremes.hpp"

namespace plenko {

namespace {

// True when the middle value of the window is strictly beyond every other
// value in the direction of `beyond`.
template <class Beyond>
bool middle_is_pivot(const RingWindow<double>& w, std::size_t middle, Beyond beyond) {
    const double pivot = w[middle];
    for (std::size_t i = 0; i < w.size(); ++i) {
        if (i != middle && !beyond(pivot, w[i])) return false;
    }
    return true;
}

}  // namespace

Expected<FractalChaosBands, IndicatorError> FractalChaosBands::create(std::size_t period) {
    if (auto ok = check_period(period); !ok) return unexpected(ok.error());
    // 2n + 1 fits: n is at most MAX_PERIOD.
    return FractalChaosBands(period, 2 * period + 1);
}

std::optional<double> FractalChaosBands::update(const Candle& c) {
    highs_.push(c.high);
    lows_.push(c.low);
    if (!highs_.full()) return std::nullopt;
    if (middle_is_pivot(highs_, n_, [](double p, double v) { return p > v; })) {
        upper_ = highs_[n_];
        has_upper_ = true;
    }
    if (middle_is_pivot(lows_, n_, [](double p, double v) { return p < v; })) {
        lower_ = lows_[n_];
        has_lower_ = true;
    }
    out_ = {has_upper_ ? upper_ : window_max(highs_), has_lower_ ? lower_ : window_min(lows_)};
    return out_[0];
}

}  // namespace plenko
