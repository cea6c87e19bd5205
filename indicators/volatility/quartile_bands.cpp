#include "indicators/volatility/quartile_bands.hpp"

namespace plenko {

Expected<QuartileBands, IndicatorError> QuartileBands::create(std::size_t period) {
    if (auto ok = check_period(period); !ok) return unexpected(ok.error());
    return QuartileBands(period);
}

std::optional<double> QuartileBands::update(double close) {
    window_.update(close);
    if (!window_.full()) return std::nullopt;
    out_ = {window_.quantile(0.75), window_.quantile(0.5), window_.quantile(0.25)};
    return out_[0];
}

}  // namespace plenko
