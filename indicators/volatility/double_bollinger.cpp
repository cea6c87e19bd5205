#include "indicators/volatility/double_bollinger.hpp"

namespace plenko {

Expected<DoubleBollinger, IndicatorError> DoubleBollinger::create(std::size_t period, double k_inner,
                                                                  double k_outer) {
    // The multipliers are checked before the period.
    if (!std::isfinite(k_inner) || !(k_inner > 0.0) || !std::isfinite(k_outer) || !(k_outer > 0.0)) {
        return unexpected(IndicatorError::zero_multiplier());
    }
    if (k_inner >= k_outer) {
        return unexpected(IndicatorError::invalid_period("double bollinger requires k_outer > k_inner"));
    }
    if (auto ok = check_period(period); !ok) return unexpected(ok.error());
    return DoubleBollinger(period, k_inner, k_outer);
}

std::optional<double> DoubleBollinger::update(double close) {
    if (!core_.update(close)) return std::nullopt;
    const double m = core_.mean();
    const double sd = core_.std_dev();
    out_ = {m + outer_ * sd, m + inner_ * sd, m, m - inner_ * sd, m - outer_ * sd};
    return out_[0];
}

}  // namespace plenko
