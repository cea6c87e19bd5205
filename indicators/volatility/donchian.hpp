#pragma once
// Donchian: upper = highest high, lower = lowest low of the last n candles,
// middle = their overflow-safe midpoint.

#include <array>
#include <cmath>
#include <cstddef>
#include <optional>
#include <span>
#include <string_view>

#include "indicators/indicator.hpp"

namespace plenko {

class Donchian {
public:
    static constexpr std::array<std::string_view, 3> field_names{"upper", "middle", "lower"};

    static Expected<Donchian, IndicatorError> create(std::size_t period);

    std::optional<double> update(const Candle& c);
    std::size_t warmup_period() const { return highs_.length(); }
    std::span<const double> field_values() const { return out_; }

private:
    explicit Donchian(std::size_t n) : highs_(n), lows_(n) {}

    RingWindow<double> highs_;
    RingWindow<double> lows_;
    std::array<double, 3> out_{NAN, NAN, NAN};
};

}  // namespace plenko
