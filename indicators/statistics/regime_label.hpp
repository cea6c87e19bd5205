#pragma once
// Volatility regime of a positive price series: the sample standard
// deviation of the last v log returns, compared with the quartiles of its own
// last l values: −1 below the first quartile, 1 above the third, 0 between.
// Closes of 0 or below are skipped and leave the state untouched.

#include <cstddef>
#include <optional>

#include "indicators/blocks/sorted_window.hpp"
#include "indicators/expected.hpp"
#include "indicators/indicator_error.hpp"
#include "indicators/statistics/shifted_moments.hpp"

namespace plenko {

class RegimeLabel {
public:
    static Expected<RegimeLabel, IndicatorError> create(std::size_t vol_period, std::size_t lookback);
    std::optional<double> update(double close);
    std::size_t warmup_period() const;

private:
    RegimeLabel(std::size_t vol_period, std::size_t lookback);
    bool has_previous_ = false;
    double previous_ = 0.0;
    ShiftedMoments<2> returns_;
    SortedWindow volatility_;
};

}  // namespace plenko
