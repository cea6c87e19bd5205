#include "indicators/volatility/projection_oscillator.hpp"

namespace plenko {

Expected<ProjectionOscillator, IndicatorError> ProjectionOscillator::create(std::size_t period) {
    if (auto ok = check_period(period); !ok) return unexpected(ok.error());
    return ProjectionOscillator(period);
}

std::optional<double> ProjectionOscillator::update(const Candle& c) {
    const auto bands = core_.update(c);
    if (!bands) return std::nullopt;
    const double width = bands->upper - bands->lower;
    if (width == 0.0) return 50.0;
    return 100.0 * (c.close - bands->lower) / width;
}

}  // namespace plenko
