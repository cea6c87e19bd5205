#pragma once
// FractalChaosBands, published definition: the latest Williams fractal high and low, strictly beyond the n candles on each side.
//
// FractalChaosBands (Williams fractals): a candle is a fractal high when its
// high is strictly above the highs of the n candles on each side (a tie on
// either side is no fractal), a fractal low likewise with lows; `upper` is
// the most recent fractal high and `lower` the most recent fractal low, each
// confirmed n candles after its pivot. Until the first fractal of a side is
// confirmed, that band is the extreme of the 2n + 1 candles held.

#include <array>
#include <cmath>
#include <cstddef>
#include <optional>
#include <span>
#include <string_view>

#include "indicators/indicator.hpp"

namespace plenko {

class FractalChaosBands {
public:
    static constexpr std::array<std::string_view, 2> field_names{"upper", "lower"};

    static Expected<FractalChaosBands, IndicatorError> create(std::size_t period);

    std::optional<double> update(const Candle& c);
    std::size_t warmup_period() const { return highs_.length(); }
    std::span<const double> field_values() const { return out_; }

private:
    FractalChaosBands(std::size_t n, std::size_t span) : n_(n), highs_(span), lows_(span) {}

    std::size_t n_;
    RingWindow<double> highs_;  // the last 2n + 1 highs, pivot candidate in the middle
    RingWindow<double> lows_;
    bool has_upper_ = false;
    bool has_lower_ = false;
    double upper_ = 0.0;
    double lower_ = 0.0;
    std::array<double, 2> out_{NAN, NAN};
};

}  // namespace plenko
