#include "indicators/statistics/recovery_factor.hpp"

namespace plenko {

Expected<RecoveryFactor, IndicatorError> RecoveryFactor::create() { return RecoveryFactor(); }

std::optional<double> RecoveryFactor::update(double close) {
    if (!started_) {
        started_ = true;
        first_ = close;
        peak_ = close;
    } else if (close > peak_) {
        peak_ = close;
    }
    if (peak_ > 0.0) {
        const double dd = (peak_ - close) / peak_;
        if (dd > largest_drawdown_) largest_drawdown_ = dd;
    }
    if (first_ == 0.0) return std::nullopt;
    if (largest_drawdown_ == 0.0) return 0.0;
    return (close / first_ - 1.0) / largest_drawdown_;
}

}  // namespace plenko
