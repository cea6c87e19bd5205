#pragma once
// Atr: Wilder's average true range over n, seeded with the plain mean of the
// first n true ranges.

#include <cstddef>
#include <optional>

#include "indicators/indicator.hpp"
#include "indicators/volatility/wilder_atr.hpp"

namespace plenko {

class Atr {
public:
    static Expected<Atr, IndicatorError> create(std::size_t period);

    std::optional<double> update(const Candle& c) { return core_.update(c); }
    std::size_t warmup_period() const { return core_.length(); }

private:
    explicit Atr(std::size_t n) : core_(n) {}
    WilderAtr core_;
};

}  // namespace plenko
