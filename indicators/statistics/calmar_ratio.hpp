#pragma once
// Calmar ratio of the last n returns: their mean over the maximum drawdown of their compounded
// equity; 0 without drawdown.

#include <cstddef>
#include <optional>

#include "indicators/expected.hpp"
#include "indicators/indicator_error.hpp"
#include "indicators/statistics/resummed_sum.hpp"

namespace plenko {

class CalmarRatio {
public:
    static Expected<CalmarRatio, IndicatorError> create(std::size_t period);
    std::optional<double> update(double close);
    std::size_t warmup_period() const { return sums_.length(); }

private:
    explicit CalmarRatio(std::size_t n);
    ResummedSum sums_;
};

}  // namespace plenko
