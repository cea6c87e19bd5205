#include "indicators/statistics/sharpe_ratio.hpp"

#include <cmath>

#include "indicators/blocks/window_length.hpp"

namespace plenko {

SharpeRatio::SharpeRatio(std::size_t n, double risk_free) : moments_(n), risk_free_(risk_free) {}

Expected<SharpeRatio, IndicatorError> SharpeRatio::create(std::size_t period, double risk_free) {
    if (auto ok = check_period(period); !ok) return unexpected(ok.error());
    if (period < 2) return unexpected(IndicatorError::invalid_period("sharpe ratio needs period >= 2"));
    return SharpeRatio(period, risk_free);
}

}  // namespace plenko
