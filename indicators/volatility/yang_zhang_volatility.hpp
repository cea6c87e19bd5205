#pragma once
// YangZhangVolatility, published definition (Yang–Zhang 2000): overnight, open-to-close and Rogers–Satchell variances combined with k.
//
// YangZhangVolatility (Yang–Zhang 2000): σ² = V_o + k·V_c + (1 − k)·V_rs over
// the last n candles, with V_o the sample variance (divisor n − 1) of the
// overnight log returns ln(open/previous close), V_c that of the open-to-close
// log returns ln(close/open), V_rs the mean Rogers–Satchell term and
// k = 0.34/(1.34 + (n + 1)/(n − 1)); yielded as √(max(σ², 0)) · √periods ·
// 100. The first candle only primes the previous close; candles whose low is
// not above 0 are skipped.

#include <cstddef>
#include <optional>

#include "indicators/indicator.hpp"
#include "indicators/statistics/shifted_moments.hpp"
#include "indicators/volatility/periods_per_year.hpp"

namespace plenko {

class YangZhangVolatility {
public:
    static Expected<YangZhangVolatility, IndicatorError> create(std::size_t period, std::size_t periods_per_year);

    std::optional<double> update(const Candle& c);
    std::size_t warmup_period() const { return sat_add(overnight_.length(), 1); }

private:
    YangZhangVolatility(std::size_t n, std::size_t periods);

    ShiftedMoments<2> overnight_;
    ShiftedMoments<2> open_to_close_;
    SimpleAverage rogers_satchell_;
    Annualisation annual_;
    double k_;
    double rest_;  // 1 − k
    bool has_previous_ = false;
    double previous_close_ = 0.0;
};

}  // namespace plenko
