#include "indicators/volatility/median_channel.hpp"

#include "indicators/statistics/sorted_quantiles.hpp"

namespace plenko {

Expected<MedianChannel, IndicatorError> MedianChannel::create(std::size_t period, double k) {
    if (auto ok = check_period(period); !ok) return unexpected(ok.error());
    return MedianChannel(period, k);
}

std::optional<double> MedianChannel::update(double close) {
    window_.update(close);
    if (!window_.full()) return std::nullopt;
    const double middle = window_.median();
    const double width = k_ * median_absolute_deviation_of_sorted(window_.sorted());
    out_ = {middle + width, middle, middle - width};
    return out_[0];
}

}  // namespace plenko
