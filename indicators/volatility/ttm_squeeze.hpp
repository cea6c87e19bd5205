#pragma once
// TtmSqueeze, published definition (Carter): squeeze while Bollinger lies inside Keltner; momentum = linreg of close − mean(Donchian mid, SMA).
//
// TtmSqueeze (Carter): squeeze = 1 while the Bollinger bands (n, Bollinger k)
// lie strictly inside the Keltner-style bands SMA(n) ± Keltner k·ATR(n),
// else 0; momentum = the least-squares line over n, read at the newest bar,
// of close − the mean of (Donchian midpoint over n, SMA(n) of the close).
// The momentum series starts at candle n, so the first value comes at
// candle 2n − 1. The value is `squeeze`.

#include <array>
#include <cmath>
#include <cstddef>
#include <optional>
#include <span>
#include <string_view>

#include "indicators/indicator.hpp"
#include "indicators/statistics/sliding_regression.hpp"
#include "indicators/volatility/bollinger.hpp"
#include "indicators/volatility/wilder_atr.hpp"

namespace plenko {

class TtmSqueeze {
public:
    static constexpr std::array<std::string_view, 2> field_names{"squeeze", "momentum"};

    static Expected<TtmSqueeze, IndicatorError> create(std::size_t period, double bollinger_k, double keltner_k);

    std::optional<double> update(const Candle& c);
    std::size_t warmup_period() const { return sat_sub(sat_mul(2, sma_.length()), 1); }
    std::span<const double> field_values() const { return out_; }

private:
    TtmSqueeze(std::size_t n, double bollinger_k, double keltner_k)
        : bollinger_(n), sma_(n), atr_(n), highs_(n), lows_(n), momentum_(n),
          bollinger_k_(bollinger_k), keltner_k_(keltner_k) {}

    BollingerCore bollinger_;
    SimpleAverage sma_;
    WilderAtr atr_;
    RingWindow<double> highs_;
    RingWindow<double> lows_;
    SlidingRegression momentum_;
    double bollinger_k_;
    double keltner_k_;
    std::array<double, 2> out_{NAN, NAN};
};

}  // namespace plenko
