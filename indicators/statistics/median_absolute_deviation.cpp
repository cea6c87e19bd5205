#include "indicators/statistics/median_absolute_deviation.hpp"

#include "indicators/blocks/window_length.hpp"
#include "indicators/statistics/sorted_quantiles.hpp"

namespace plenko {

MedianAbsoluteDeviation::MedianAbsoluteDeviation(std::size_t n) : window_(n) {}

Expected<MedianAbsoluteDeviation, IndicatorError> MedianAbsoluteDeviation::create(std::size_t period) {
    if (auto ok = check_period(period); !ok) return unexpected(ok.error());
    return MedianAbsoluteDeviation(period);
}

std::optional<double> MedianAbsoluteDeviation::update(double close) {
    window_.update(close);
    if (!window_.full()) return std::nullopt;
    return median_absolute_deviation_of_sorted(window_.sorted());
}

}  // namespace plenko
