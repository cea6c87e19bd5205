#include "indicators/statistics/hurst_exponent.hpp"

#include <cmath>
#include <limits>

#include "indicators/blocks/window_length.hpp"
#include "indicators/statistics/window_mean.hpp"
#include "indicators/checked.hpp"

namespace plenko {

HurstExponent::HurstExponent(std::size_t n, std::size_t chunks) : ring_(n), chunks_(chunks) {}

// The period itself has no upper bound; the window grows with the inputs, so
// a large period costs memory only as values actually arrive.
Expected<HurstExponent, IndicatorError> HurstExponent::create(std::size_t period, std::size_t chunks) {
    if (period == 0) return unexpected(IndicatorError::zero_period());
    if (chunks < 2) return unexpected(IndicatorError::invalid_period("Hurst chunks must be >= 2"));
    if (auto ok = check_period(chunks); !ok) return unexpected(ok.error());
    const auto twice = checked_mul(2, chunks);
    if (!twice || period < *twice) {
        return unexpected(IndicatorError::invalid_period("Hurst period must be >= 2 * chunks"));
    }
    return HurstExponent(period, chunks);
}

std::optional<double> HurstExponent::update(double close) {
    ring_.push(close);
    if (!ring_.full()) return std::nullopt;
    const std::size_t n = ring_.length();
    if (values_.size() != n) values_.resize(n);
    std::size_t at = 0;
    ring_.for_each([&](double v) { values_[at++] = v; });

    double sum_x = 0.0;
    double sum_y = 0.0;
    double sum_xy = 0.0;
    double sum_xx = 0.0;
    std::size_t points = 0;
    for (std::size_t j = 1; j <= chunks_; ++j) {
        const std::size_t size = n / j;
        const double s = static_cast<double>(size);
        double rs_total = 0.0;
        std::size_t kept = 0;
        for (std::size_t c = 0; c < j; ++c) {
            const double* chunk = values_.data() + c * size;
            const double mean = range_mean(chunk, size);
            double run = 0.0;
            double hi = -std::numeric_limits<double>::infinity();
            double lo = std::numeric_limits<double>::infinity();
            double squares = 0.0;
            for (std::size_t t = 0; t < size; ++t) {
                const double d = chunk[t] - mean;
                run = run + d;
                if (run > hi) hi = run;
                if (run < lo) lo = run;
                squares = squares + d * d;
            }
            const double range = hi - lo;
            const double spread = std::sqrt(squares / s);
            if (range == 0.0 || spread == 0.0) continue;
            rs_total = rs_total + range / spread;
            ++kept;
        }
        if (kept == 0) continue;
        const double x = std::log(s);
        const double y = std::log(rs_total / static_cast<double>(kept));
        sum_x = sum_x + x;
        sum_y = sum_y + y;
        sum_xy = sum_xy + x * y;
        sum_xx = sum_xx + x * x;
        ++points;
    }
    if (points < 2) return 0.5;
    const double count = static_cast<double>(points);
    const double den = count * sum_xx - sum_x * sum_x;
    // Points that all share one chunk size admit no slope.
    if (!(den > 0.0)) return 0.5;
    const double slope = (count * sum_xy - sum_x * sum_y) / den;
    if (slope > 1.0) return 1.0;
    if (slope < 0.0) return 0.0;
    return slope;
}

}  // namespace plenko
