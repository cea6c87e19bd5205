#include "indicators/volatility/bomar_bands.hpp"

#include <algorithm>

#include "indicators/statistics/sorted_quantiles.hpp"

namespace plenko {

Expected<BomarBands, IndicatorError> BomarBands::create(std::size_t period, double coverage) {
    if (auto ok = check_period(period); !ok) return unexpected(ok.error());
    if (!std::isfinite(coverage) || !(coverage > 0.0) || !(coverage <= 1.0)) {
        return unexpected(
            IndicatorError::invalid_parameter("bomar bands coverage must be a finite value in (0.0, 1.0]"));
    }
    return BomarBands(period, coverage);
}

std::optional<double> BomarBands::update(double close) {
    const auto middle = sma_.update(close);
    window_.update(close);
    if (!middle) return std::nullopt;
    // The distances of the sorted closes from the middle form two ascending
    // runs (below and from the middle outwards); their order statistics are
    // found by bisection without sorting the distances.
    const std::span<const double> s = window_.sorted();
    const std::size_t m = s.size();
    const double c = *middle;
    const auto split = static_cast<std::size_t>(std::lower_bound(s.begin(), s.end(), c) - s.begin());
    const double r = static_cast<double>(m - 1) * coverage_;
    const double fi = std::floor(r);
    const std::size_t i = clamp_to_count(fi);  // in [0, m − 1]: coverage is in (0, 1]
    double width = 0.0;
    if (i >= m - 1) {
        width = detail::kth_abs_deviation(s, split, c, m - 1);
    } else {
        const double lo = detail::kth_abs_deviation(s, split, c, i);
        const double hi = detail::kth_abs_deviation(s, split, c, i + 1);
        width = lo + (hi - lo) * (r - fi);
    }
    out_ = {c + width, c, c - width};
    return out_[0];
}

}  // namespace plenko
