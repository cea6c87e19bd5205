#include "indicators/volatility/ewma_volatility.hpp"

#include <cmath>

namespace plenko {

Expected<EwmaVolatility, IndicatorError> EwmaVolatility::create(double lambda) {
    if (!(lambda > 0.0 && lambda < 1.0)) {
        return unexpected(
            IndicatorError::invalid_parameter("EWMA volatility lambda must be in the open interval (0, 1)"));
    }
    return EwmaVolatility(lambda);
}

std::optional<double> EwmaVolatility::update(double close) {
    const auto r = feed_.update(close);
    if (!r) return std::nullopt;
    const double square = *r * *r;
    variance_ = seeded_ ? lambda_ * variance_ + rest_ * square : square;
    seeded_ = true;
    return std::sqrt(variance_);
}

}  // namespace plenko
