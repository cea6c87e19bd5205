#include "indicators/volatility/standard_error_bands.hpp"

namespace plenko {

Expected<StandardErrorBands, IndicatorError> StandardErrorBands::create(std::size_t period, double k) {
    if (auto ok = check_period(period); !ok) return unexpected(ok.error());
    if (period < 3) return unexpected(IndicatorError::invalid_period("standard error bands need period >= 3"));
    return StandardErrorBands(period, k);
}

std::optional<double> StandardErrorBands::update(double close) {
    fit_.push(close);
    if (!fit_.full()) return std::nullopt;
    const ResidualRegression::Fit f = fit_.fit();
    const double n = static_cast<double>(fit_.length());
    const double middle = fit_.newest_fitted(f);
    const double width = k_ * std::sqrt(f.ssr / (n - 2.0));
    out_ = {middle + width, middle, middle - width};
    return out_[0];
}

}  // namespace plenko
