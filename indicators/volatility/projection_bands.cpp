#include "indicators/volatility/projection_bands.hpp"

#include <limits>

#include "indicators/volatility/true_range_core.hpp"

namespace plenko {

namespace {

// The extreme of the window's values carried forward to the newest position
// along `slope`; `better` picks the extreme.
template <class Better>
double projected_extreme(const RingWindow<double>& w, double slope, Better better) {
    const double newest = static_cast<double>(w.size() - 1);
    double best = std::numeric_limits<double>::quiet_NaN();
    double i = 0.0;
    w.for_each([&](double v) {
        best = better(best, v + slope * (newest - i));
        i = i + 1.0;
    });
    return best;
}

}  // namespace

std::optional<ProjectionCore::Bands> ProjectionCore::update(const Candle& c) {
    highs_.push(c.high);
    lows_.push(c.low);
    if (!highs_.full()) return std::nullopt;
    // A one-candle window has no slope; it projects nothing forward.
    const bool sloped = highs_.length() > 1;
    const double high_slope = sloped ? highs_.slope() : 0.0;
    const double low_slope = sloped ? lows_.slope() : 0.0;
    return Bands{projected_extreme(highs_.window(), high_slope, max_keeping_numbers),
                 projected_extreme(lows_.window(), low_slope, min_keeping_numbers)};
}

Expected<ProjectionBands, IndicatorError> ProjectionBands::create(std::size_t period) {
    if (auto ok = check_period(period); !ok) return unexpected(ok.error());
    if (period < 2) return unexpected(IndicatorError::invalid_period("projection bands need period >= 2"));
    return ProjectionBands(period);
}

std::optional<double> ProjectionBands::update(const Candle& c) {
    const auto bands = core_.update(c);
    if (!bands) return std::nullopt;
    out_ = {bands->upper, safe_midpoint(bands->upper, bands->lower), bands->lower};
    return out_[0];
}

}  // namespace plenko
