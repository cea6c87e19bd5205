#pragma once
// Keltner: middle = exponential average of the close over the EMA length
// (seeded with the plain mean of its first closes); upper/lower = middle ±
// k·ATR over the ATR length (Wilder's smoothing). First value once both have
// one.

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <optional>
#include <span>
#include <string_view>

#include "indicators/indicator.hpp"
#include "indicators/volatility/wilder_atr.hpp"

namespace plenko {

class Keltner {
public:
    static constexpr std::array<std::string_view, 3> field_names{"upper", "middle", "lower"};

    static Expected<Keltner, IndicatorError> create(std::size_t ema_length, std::size_t atr_length, double k);

    std::optional<double> update(const Candle& c) {
        const auto middle = ema_.update(c.close);
        const auto atr = atr_.update(c);
        if (!middle || !atr) return std::nullopt;
        const double width = k_ * *atr;
        out_ = {*middle + width, *middle, *middle - width};
        return out_[0];
    }
    std::size_t warmup_period() const { return std::max(ema_.length(), atr_.length()); }
    std::span<const double> field_values() const { return out_; }

private:
    Keltner(std::size_t ema_length, std::size_t atr_length, double k) : ema_(ema_length), atr_(atr_length), k_(k) {}

    ExponentialAverage ema_;
    WilderAtr atr_;
    double k_;
    std::array<double, 3> out_{NAN, NAN, NAN};
};

}  // namespace plenko
