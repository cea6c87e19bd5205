#include "indicators/volatility/yang_zhang_volatility.hpp"

#include <cmath>

#include "indicators/volatility/rogers_satchell_volatility.hpp"

namespace plenko {

YangZhangVolatility::YangZhangVolatility(std::size_t n, std::size_t periods)
    : overnight_(n), open_to_close_(n), rogers_satchell_(n), annual_(periods) {
    const double nf = static_cast<double>(n);
    k_ = 0.34 / (1.34 + (nf + 1.0) / (nf - 1.0));
    rest_ = 1.0 - k_;
}

Expected<YangZhangVolatility, IndicatorError> YangZhangVolatility::create(std::size_t period,
                                                                          std::size_t periods_per_year) {
    if (auto ok = check_period(period); !ok) return unexpected(ok.error());
    if (period < 2) return unexpected(IndicatorError::invalid_period("Yang-Zhang period must be >= 2"));
    if (auto ok = check_periods_per_year(periods_per_year); !ok) return unexpected(ok.error());
    return YangZhangVolatility(period, periods_per_year);
}

std::optional<double> YangZhangVolatility::update(const Candle& c) {
    if (!(c.low > 0.0)) return std::nullopt;
    const bool primed = has_previous_;
    const double previous = previous_close_;
    has_previous_ = true;
    previous_close_ = c.close;
    if (!primed) return std::nullopt;
    overnight_.push(std::log(c.open / previous));
    open_to_close_.push(std::log(c.close / c.open));
    const auto rs = rogers_satchell_.update(RogersSatchellTerm::of(c));
    if (!rs) return std::nullopt;
    const double variance =
        overnight_.sample_variance() + k_ * open_to_close_.sample_variance() + rest_ * *rs;
    return annual_.of_variance(variance);
}

}  // namespace plenko
