#pragma once
// BomarBands, published definition: SMA(n) ± the smallest half-width that holds the coverage fraction of the last n closes.
//
// BomarBands: middle = simple average of the last n closes; the half-width is
// the smallest distance from the middle that holds the coverage fraction of
// those closes, i.e. the coverage quantile (linear interpolation at
// coverage·(n − 1)) of |close − middle| over the window; upper/lower =
// middle ± that width.

#include <array>
#include <cmath>
#include <cstddef>
#include <optional>
#include <span>
#include <string_view>

#include "indicators/indicator.hpp"

namespace plenko {

class BomarBands {
public:
    static constexpr std::array<std::string_view, 3> field_names{"upper", "middle", "lower"};

    static Expected<BomarBands, IndicatorError> create(std::size_t period, double coverage);

    std::optional<double> update(double close);
    std::size_t warmup_period() const { return window_.length(); }
    std::span<const double> field_values() const { return out_; }

private:
    BomarBands(std::size_t n, double coverage) : sma_(n), window_(n), coverage_(coverage) {}

    SimpleAverage sma_;
    SortedWindow window_;
    double coverage_;
    std::array<double, 3> out_{NAN, NAN, NAN};
};

}  // namespace plenko
