#pragma once
// HoltWinters: Holt's additive linear-trend smoothing; yields the one-step
// forecast level + trend. The first close is only stored; the second sets
// level = x and trend = x − first.

#include <cstddef>
#include <optional>

#include "indicators/indicator.hpp"

namespace plenko {

class HoltWinters {
public:
    static Expected<HoltWinters, IndicatorError> create(double alpha, double beta);

    std::optional<double> update(double close);
    std::size_t warmup_period() const { return 2; }

private:
    HoltWinters(double alpha, double beta) : alpha_(alpha), beta_(beta) {}

    double alpha_;
    double beta_;
    double first_ = 0.0;
    double level_ = 0.0;
    double trend_ = 0.0;
    std::size_t seen_ = 0;  // 0, 1, or 2 once running
};

}  // namespace plenko
