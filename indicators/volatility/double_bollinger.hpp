#pragma once
// DoubleBollinger: the Bollinger mean m and deviation sd of the last n closes
// with an inner and an outer multiplier: m ± k_outer·sd and m ± k_inner·sd.

#include <array>
#include <cmath>
#include <cstddef>
#include <optional>
#include <span>
#include <string_view>

#include "indicators/indicator.hpp"
#include "indicators/volatility/bollinger.hpp"

namespace plenko {

class DoubleBollinger {
public:
    static constexpr std::array<std::string_view, 5> field_names{"upper_outer", "upper_inner", "middle",
                                                                 "lower_inner", "lower_outer"};

    static Expected<DoubleBollinger, IndicatorError> create(std::size_t period, double k_inner, double k_outer);

    std::optional<double> update(double close);
    std::size_t warmup_period() const { return core_.length(); }
    std::span<const double> field_values() const { return out_; }

private:
    DoubleBollinger(std::size_t n, double k_inner, double k_outer) : core_(n), inner_(k_inner), outer_(k_outer) {}

    BollingerCore core_;
    double inner_;
    double outer_;
    std::array<double, 5> out_{NAN, NAN, NAN, NAN, NAN};
};

}  // namespace plenko
