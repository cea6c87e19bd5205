#include "indicators/statistics/regime_label.hpp"

#include <cmath>

#include "indicators/blocks/window_length.hpp"
#include "indicators/checked.hpp"
#include "indicators/statistics/sorted_quantiles.hpp"

namespace plenko {

RegimeLabel::RegimeLabel(std::size_t vol_period, std::size_t lookback)
    : returns_(vol_period), volatility_(lookback) {}

Expected<RegimeLabel, IndicatorError> RegimeLabel::create(std::size_t vol_period, std::size_t lookback) {
    if (vol_period == 0) return unexpected(IndicatorError::zero_period());
    if (vol_period < 2) return unexpected(IndicatorError::invalid_period("regime label needs vol_period >= 2"));
    if (auto ok = check_period(vol_period); !ok) return unexpected(ok.error());
    if (lookback == 0) return unexpected(IndicatorError::zero_period());
    if (lookback < 2) return unexpected(IndicatorError::invalid_period("regime label needs lookback >= 2"));
    if (auto ok = check_period(lookback); !ok) return unexpected(ok.error());
    return RegimeLabel(vol_period, lookback);
}

// The first close only seeds the returns: v returns fill the volatility
// window at close v + 1, and l volatilities fill the lookback at close v + l.
std::size_t RegimeLabel::warmup_period() const { return sat_add(returns_.length(), volatility_.length()); }

std::optional<double> RegimeLabel::update(double close) {
    if (!(close > 0.0)) return std::nullopt;
    if (!has_previous_) {
        has_previous_ = true;
        previous_ = close;
        return std::nullopt;
    }
    const double r = std::log(close / previous_);
    previous_ = close;
    returns_.push(r);
    if (!returns_.full()) return std::nullopt;
    const double sigma = std::sqrt(returns_.sample_variance());
    volatility_.update(sigma);
    if (!volatility_.full()) return std::nullopt;
    const auto s = volatility_.sorted();
    if (sigma < quantile_of_sorted(s, 0.25)) return -1.0;
    if (sigma > quantile_of_sorted(s, 0.75)) return 1.0;
    return 0.0;
}

}  // namespace plenko
