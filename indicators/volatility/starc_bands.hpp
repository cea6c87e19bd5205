#pragma once
// StarcBands: middle = simple average of the close over the SMA length;
// upper/lower = middle ± k·ATR over the ATR length (Wilder's smoothing).

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

class StarcBands {
public:
    static constexpr std::array<std::string_view, 3> field_names{"upper", "middle", "lower"};

    static Expected<StarcBands, IndicatorError> create(std::size_t sma_length, std::size_t atr_length, double k);

    std::optional<double> update(const Candle& c);
    std::size_t warmup_period() const { return std::max(sma_.length(), atr_.length()); }
    std::span<const double> field_values() const { return out_; }

private:
    StarcBands(std::size_t sma_length, std::size_t atr_length, double k) : sma_(sma_length), atr_(atr_length), k_(k) {}

    SimpleAverage sma_;
    WilderAtr atr_;
    double k_;
    std::array<double, 3> out_{NAN, NAN, NAN};
};

}  // namespace plenko
