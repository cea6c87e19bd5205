#pragma once
// StandardErrorBands, published definition (Andersen, bands unsmoothed): the regression line at the newest bar ± k·standard error.
//
// StandardErrorBands (Andersen, without the 3-bar smoothing of the bands):
// the least-squares line of the last n closes against the bar index;
// middle = the line at the newest bar; upper/lower = middle ± k·√(SSR/(n − 2)),
// the standard error of the regression.

#include <array>
#include <cmath>
#include <cstddef>
#include <optional>
#include <span>
#include <string_view>

#include "indicators/indicator.hpp"
#include "indicators/statistics/residual_regression.hpp"

namespace plenko {

class StandardErrorBands {
public:
    static constexpr std::array<std::string_view, 3> field_names{"upper", "middle", "lower"};

    static Expected<StandardErrorBands, IndicatorError> create(std::size_t period, double k);

    std::optional<double> update(double close);
    std::size_t warmup_period() const { return fit_.length(); }
    std::span<const double> field_values() const { return out_; }

private:
    StandardErrorBands(std::size_t n, double k) : fit_(n), k_(k) {}

    ResidualRegression fit_;
    double k_;
    std::array<double, 3> out_{NAN, NAN, NAN};
};

}  // namespace plenko
