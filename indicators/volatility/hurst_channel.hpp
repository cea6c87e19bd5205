#pragma once
// HurstChannel, published definition: SMA(n) of the high-low midpoint ± k·half the highest-high-to-lowest-low range of n candles.
//
// HurstChannel: middle = simple average over n of the high–low midpoint;
// upper/lower = middle ± k·(half the range from the lowest low to the highest
// high of the last n candles).

#include <array>
#include <cmath>
#include <cstddef>
#include <optional>
#include <span>
#include <string_view>

#include "indicators/indicator.hpp"

namespace plenko {

class HurstChannel {
public:
    static constexpr std::array<std::string_view, 3> field_names{"upper", "middle", "lower"};

    static Expected<HurstChannel, IndicatorError> create(std::size_t period, double k);

    std::optional<double> update(const Candle& c);
    std::size_t warmup_period() const { return highs_.length(); }
    std::span<const double> field_values() const { return out_; }

private:
    HurstChannel(std::size_t n, double k) : sma_(n), highs_(n), lows_(n), k_(k) {}

    SimpleAverage sma_;
    RingWindow<double> highs_;
    RingWindow<double> lows_;
    double k_;
    std::array<double, 3> out_{NAN, NAN, NAN};
};

}  // namespace plenko
