#include "indicators/moving_averages/frama.hpp"

#include <cmath>

namespace plenko {

namespace {

constexpr double kMinAlpha = 0.01;

struct Range {
    double high;
    double low;
    void add(double x) {
        if (x > high) high = x;
        if (x < low) low = x;
    }
    double width() const { return high - low; }
};

}  // namespace

Expected<Frama, IndicatorError> Frama::create(std::size_t period) {
    if (auto ok = check_period(period); !ok) return unexpected(ok.error());
    if (period == 1) return unexpected(IndicatorError::invalid_period("FRAMA period must be at least 2"));
    if (period % 2 != 0) return unexpected(IndicatorError::invalid_period("FRAMA period must be even"));
    return Frama(period);
}

std::optional<double> Frama::update(double close) {
    window_.push(close);
    if (!window_.full()) return std::nullopt;
    const std::size_t n = window_.length();
    const std::size_t half = n / 2;
    Range first{window_[0], window_[0]};
    Range second{window_[half], window_[half]};
    std::size_t i = 0;
    window_.for_each([&](double x) {
        if (i < half) {
            first.add(x);
        } else {
            second.add(x);
        }
        ++i;
    });
    const Range all{first.high > second.high ? first.high : second.high,
                    first.low < second.low ? first.low : second.low};
    const double half_f = static_cast<double>(half);
    const double n1 = first.width() / half_f;
    const double n2 = second.width() / half_f;
    const double n3 = all.width() / static_cast<double>(n);
    double alpha = kMinAlpha;
    if (n3 > 0.0 && n1 > 0.0 && n2 > 0.0) {
        const double d = (std::log(n1 + n2) - std::log(n3)) / std::log(2.0);
        const double a = std::exp(-4.6 * (d - 1.0));
        // Written so that a NaN (only from overflowing ranges) gives 0.01.
        alpha = a > kMinAlpha ? (a < 1.0 ? a : 1.0) : kMinAlpha;
    }
    const double prev = has_value_ ? value_ : close;
    value_ = (1.0 - alpha) * prev + alpha * close;
    has_value_ = true;
    return value_;
}

}  // namespace plenko
