#include "indicators/volatility/chaikin_volatility.hpp"

namespace plenko {

Expected<ChaikinVolatility, IndicatorError> ChaikinVolatility::create(std::size_t ema_length,
                                                                      std::size_t roc_length) {
    if (auto ok = check_period(ema_length); !ok) return unexpected(ok.error());
    if (auto ok = check_period(roc_length); !ok) return unexpected(ok.error());
    return ChaikinVolatility(ema_length, roc_length);
}

std::optional<double> ChaikinVolatility::update(const Candle& c) {
    const auto e = ema_.update(c.high - c.low);
    if (!e) return std::nullopt;
    std::optional<double> out;
    if (earlier_.full()) {
        const double before = earlier_.oldest();
        out = before == 0.0 ? 0.0 : 100.0 * (*e - before) / before;
    }
    earlier_.push(*e);
    return out;
}

}  // namespace plenko
