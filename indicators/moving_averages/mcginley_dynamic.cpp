#include "indicators/moving_averages/mcginley_dynamic.hpp"

namespace plenko {

Expected<McGinleyDynamic, IndicatorError> McGinleyDynamic::create(std::size_t period) {
    if (auto ok = check_period(period); !ok) return unexpected(ok.error());
    return McGinleyDynamic(period);
}

std::optional<double> McGinleyDynamic::update(double close) {
    if (count_ < n_) {
        sum_ = sum_ + close;
        ++count_;
        if (count_ < n_) return std::nullopt;
        md_ = sum_ / nf_;
        return md_;
    }
    if (close > 0.0 && md_ > 0.0) {
        const double r = close / md_;
        const double r4 = r * r * r * r;
        md_ = md_ + (close - md_) / (k_ * r4);
    }
    return md_;
}

}  // namespace plenko
