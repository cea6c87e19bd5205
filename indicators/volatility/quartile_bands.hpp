#pragma once
// QuartileBands: over the sorted window of the last n closes, upper = the
// 0.75 quantile, middle = the 0.5 quantile, lower = the 0.25 quantile, each
// interpolated linearly at position q·(n − 1).

#include <array>
#include <cmath>
#include <cstddef>
#include <optional>
#include <span>
#include <string_view>

#include "indicators/indicator.hpp"

namespace plenko {

class QuartileBands {
public:
    static constexpr std::array<std::string_view, 3> field_names{"upper", "middle", "lower"};

    static Expected<QuartileBands, IndicatorError> create(std::size_t period);

    std::optional<double> update(double close);
    std::size_t warmup_period() const { return window_.length(); }
    std::span<const double> field_values() const { return out_; }

private:
    explicit QuartileBands(std::size_t n) : window_(n) {}

    SortedWindow window_;
    std::array<double, 3> out_{NAN, NAN, NAN};
};

}  // namespace plenko
