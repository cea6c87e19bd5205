#pragma once
// Natr: 100 · ATR(n) / close, exactly 0 when the close is 0.

#include <cstddef>
#include <optional>

#include "indicators/indicator.hpp"
#include "indicators/volatility/wilder_atr.hpp"

namespace plenko {

class Natr {
public:
    static Expected<Natr, IndicatorError> create(std::size_t period);

    std::optional<double> update(const Candle& c) {
        const auto atr = core_.update(c);
        if (!atr) return std::nullopt;
        if (c.close == 0.0) return 0.0;
        return 100.0 * *atr / c.close;
    }
    std::size_t warmup_period() const { return core_.length(); }

private:
    explicit Natr(std::size_t n) : core_(n) {}
    WilderAtr core_;
};

}  // namespace plenko
