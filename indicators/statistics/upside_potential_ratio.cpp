#include "indicators/statistics/upside_potential_ratio.hpp"

#include <cmath>

#include "indicators/blocks/window_length.hpp"

namespace plenko {

UpsidePotentialRatio::UpsidePotentialRatio(std::size_t n, double mar) : ring_(n), mar_(mar) {}

Expected<UpsidePotentialRatio, IndicatorError> UpsidePotentialRatio::create(std::size_t period, double mar) {
    if (auto ok = check_period(period); !ok) return unexpected(ok.error());
    if (period < 2) return unexpected(IndicatorError::invalid_period("upside potential ratio needs period >= 2"));
    if (!std::isfinite(mar)) return unexpected(IndicatorError::invalid_parameter("mar must be finite"));
    return UpsidePotentialRatio(period, mar);
}

// sign = +1 admits x, −1 evicts it. A sum whose last contributor leaves is
// set to exactly 0, so no rounding residue can pose as downside (which would
// turn a window without shortfalls into a huge ratio).
void UpsidePotentialRatio::add(double x, double sign) {
    const double d = x - mar_;
    if (d > 0.0) {
        upside_ = upside_ + sign * d;
        above_ = sign > 0.0 ? above_ + 1 : above_ - 1;
        if (above_ == 0) upside_ = 0.0;
    } else if (d < 0.0) {
        downside_ = downside_ + sign * (d * d);
        below_ = sign > 0.0 ? below_ + 1 : below_ - 1;
        if (below_ == 0) downside_ = 0.0;
    }
}

std::optional<double> UpsidePotentialRatio::update(double close) {
    if (auto gone = ring_.push(close)) add(*gone, -1.0);
    add(close, 1.0);
    if (!ring_.full()) return std::nullopt;
    const double n = static_cast<double>(ring_.length());
    const double downside_mean = downside_ / n;
    if (!(downside_mean > 0.0)) return 0.0;
    return (upside_ / n) / std::sqrt(downside_mean);
}

}  // namespace plenko
