#pragma once
// MaEnvelope: s = simple average of the last n closes; upper = (1 + f)·s,
// middle = s, lower = (1 − f)·s, the fraction f applied directly.

#include <array>
#include <cmath>
#include <cstddef>
#include <optional>
#include <span>
#include <string_view>

#include "indicators/indicator.hpp"

namespace plenko {

class MaEnvelope {
public:
    static constexpr std::array<std::string_view, 3> field_names{"upper", "middle", "lower"};

    static Expected<MaEnvelope, IndicatorError> create(std::size_t period, double fraction);

    std::optional<double> update(double close);
    std::size_t warmup_period() const { return sma_.length(); }
    std::span<const double> field_values() const { return out_; }

private:
    MaEnvelope(std::size_t n, double fraction) : sma_(n), fraction_(fraction) {}

    SimpleAverage sma_;
    double fraction_;
    std::array<double, 3> out_{NAN, NAN, NAN};
};

}  // namespace plenko
