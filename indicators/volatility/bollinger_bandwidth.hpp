#pragma once
// BollingerBandwidth: (upper − lower) / middle of the Bollinger bands (n, k),
// a ratio (not a percentage), 0 when the middle is 0.

#include <cstddef>
#include <optional>

#include "indicators/indicator.hpp"
#include "indicators/volatility/bollinger.hpp"

namespace plenko {

class BollingerBandwidth {
public:
    static Expected<BollingerBandwidth, IndicatorError> create(std::size_t period, double k);

    std::optional<double> update(double close);
    std::size_t warmup_period() const { return core_.length(); }

private:
    BollingerBandwidth(std::size_t n, double k) : core_(n), k_(k) {}

    BollingerCore core_;
    double k_;
};

}  // namespace plenko
