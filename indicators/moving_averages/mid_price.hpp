#pragma once
// MidPrice: midpoint of the highest high and the lowest low of the last n
// candles.

#include <cstddef>
#include <optional>

#include "indicators/indicator.hpp"

namespace plenko {

class MidPrice {
public:
    static Expected<MidPrice, IndicatorError> create(std::size_t period);

    std::optional<double> update(const Candle& candle);
    std::size_t warmup_period() const { return window_.length(); }

private:
    struct Span {
        double high;
        double low;
    };
    explicit MidPrice(std::size_t n) : window_(n) {}
    RingWindow<Span> window_;
};

}  // namespace plenko
