#include "indicators/volatility/lin_reg_channel.hpp"

namespace plenko {

Expected<LinRegChannel, IndicatorError> LinRegChannel::create(std::size_t period, double k) {
    if (auto ok = check_period(period); !ok) return unexpected(ok.error());
    if (period < 2) return unexpected(IndicatorError::invalid_period("linear regression channel needs period >= 2"));
    if (!std::isfinite(k) || !(k > 0.0)) return unexpected(IndicatorError::zero_multiplier());
    return LinRegChannel(period, k);
}

std::optional<double> LinRegChannel::update(double close) {
    fit_.push(close);
    if (!fit_.full()) return std::nullopt;
    const ResidualRegression::Fit f = fit_.fit();
    const double n = static_cast<double>(fit_.length());
    const double middle = fit_.newest_fitted(f);
    const double width = k_ * std::sqrt(f.ssr / n);
    out_ = {middle + width, middle, middle - width};
    return out_[0];
}

}  // namespace plenko
