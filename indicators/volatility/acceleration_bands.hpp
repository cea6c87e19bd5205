#pragma once
// AccelerationBands: per candle f = (high − low) / (high + low), 0 when
// high + low is 0; upper = simple average over n of high·(1 + factor·f),
// middle = simple average of the close, lower = simple average of
// low·(1 − factor·f).

#include <array>
#include <cmath>
#include <cstddef>
#include <optional>
#include <span>
#include <string_view>

#include "indicators/indicator.hpp"

namespace plenko {

class AccelerationBands {
public:
    static constexpr std::array<std::string_view, 3> field_names{"upper", "middle", "lower"};

    static Expected<AccelerationBands, IndicatorError> create(std::size_t period, double factor);

    std::optional<double> update(const Candle& c);
    std::size_t warmup_period() const { return middle_.length(); }
    std::span<const double> field_values() const { return out_; }

private:
    AccelerationBands(std::size_t n, double factor) : upper_(n), middle_(n), lower_(n), factor_(factor) {}

    SimpleAverage upper_;
    SimpleAverage middle_;
    SimpleAverage lower_;
    double factor_;
    std::array<double, 3> out_{NAN, NAN, NAN};
};

}  // namespace plenko
