#pragma once
// McGinleyDynamic: seeded with the mean of the first n closes, then
// md ← md + (x − md) / (0.6·n·(x / md)⁴) while both x and md are positive;
// otherwise md is repeated unchanged.

#include <cstddef>
#include <optional>

#include "indicators/indicator.hpp"

namespace plenko {

class McGinleyDynamic {
public:
    static Expected<McGinleyDynamic, IndicatorError> create(std::size_t period);

    std::optional<double> update(double close);
    std::size_t warmup_period() const { return n_; }

private:
    explicit McGinleyDynamic(std::size_t n)
        : n_(n), nf_(static_cast<double>(n)), k_(0.6 * static_cast<double>(n)) {}

    std::size_t n_;
    double nf_;
    double k_;  // 0.6·n
    double sum_ = 0.0;
    std::size_t count_ = 0;
    double md_ = 0.0;
};

}  // namespace plenko
