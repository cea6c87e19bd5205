#pragma once
// AtrBands: middle = the close; upper/lower = close ± k·ATR(n).

#include <array>
#include <cmath>
#include <cstddef>
#include <optional>
#include <span>
#include <string_view>

#include "indicators/indicator.hpp"
#include "indicators/volatility/wilder_atr.hpp"

namespace plenko {

class AtrBands {
public:
    static constexpr std::array<std::string_view, 3> field_names{"upper", "middle", "lower"};

    static Expected<AtrBands, IndicatorError> create(std::size_t period, double k);

    std::optional<double> update(const Candle& c);
    std::size_t warmup_period() const { return atr_.length(); }
    std::span<const double> field_values() const { return out_; }

private:
    AtrBands(std::size_t n, double k) : atr_(n), k_(k) {}

    WilderAtr atr_;
    double k_;
    std::array<double, 3> out_{NAN, NAN, NAN};
};

}  // namespace plenko
