#pragma once
// PercentB: (close − lower) / (upper − lower) of the Bollinger bands (n, k),
// 0.5 when the bands coincide.

#include <cstddef>
#include <optional>

#include "indicators/indicator.hpp"
#include "indicators/volatility/bollinger.hpp"

namespace plenko {

class PercentB {
public:
    static Expected<PercentB, IndicatorError> create(std::size_t period, double k);

    std::optional<double> update(double close);
    std::size_t warmup_period() const { return core_.length(); }

private:
    PercentB(std::size_t n, double k) : core_(n), k_(k) {}

    BollingerCore core_;
    double k_;
};

}  // namespace plenko
