#pragma once
// MedianChannel, published definition: the median of the last n closes ± k·their unscaled median absolute deviation from it.
//
// MedianChannel: middle = median of the last n closes; upper/lower = middle ±
// k times the median absolute deviation from that median (raw, no
// normal-consistency factor).

#include <array>
#include <cmath>
#include <cstddef>
#include <optional>
#include <span>
#include <string_view>

#include "indicators/indicator.hpp"

namespace plenko {

class MedianChannel {
public:
    static constexpr std::array<std::string_view, 3> field_names{"upper", "middle", "lower"};

    static Expected<MedianChannel, IndicatorError> create(std::size_t period, double k);

    std::optional<double> update(double close);
    std::size_t warmup_period() const { return window_.length(); }
    std::span<const double> field_values() const { return out_; }

private:
    MedianChannel(std::size_t n, double k) : window_(n), k_(k) {}

    SortedWindow window_;
    double k_;
    std::array<double, 3> out_{NAN, NAN, NAN};
};

}  // namespace plenko
