#include "indicators/statistics/sample_entropy.hpp"

#include <cmath>
#include <cstdint>

#include "indicators/checked.hpp"
#include "indicators/statistics/window_mean.hpp"

namespace plenko {

SampleEntropy::SampleEntropy(std::size_t n, std::size_t template_length, double r_factor)
    : ring_(n), m_(template_length), r_factor_(r_factor) {}

// The period has no upper bound; the window grows with the inputs, so a
// large period costs memory only as values actually arrive.
Expected<SampleEntropy, IndicatorError> SampleEntropy::create(std::size_t period, std::size_t template_length,
                                                              double r_factor) {
    if (period == 0 || template_length == 0) return unexpected(IndicatorError::zero_period());
    const auto needed = checked_add(template_length, 2);
    if (!needed || period < *needed) {
        return unexpected(IndicatorError::invalid_period("sample entropy needs period >= m + 2"));
    }
    if (!std::isfinite(r_factor) || !(r_factor > 0.0)) {
        return unexpected(IndicatorError::invalid_parameter("sample entropy r_factor must be finite and positive"));
    }
    return SampleEntropy(period, template_length, r_factor);
}

std::optional<double> SampleEntropy::update(double close) {
    ring_.push(close);
    if (!ring_.full()) return std::nullopt;
    const std::size_t n = ring_.length();
    if (values_.size() != n) values_.resize(n);
    std::size_t at = 0;
    ring_.for_each([&](double v) { values_[at++] = v; });
    const double* x = values_.data();

    const double nf = static_cast<double>(n);
    const double mean = range_mean(x, n);
    double squares = 0.0;
    for (std::size_t i = 0; i < n; ++i) {
        const double d = x[i] - mean;
        squares = squares + d * d;
    }
    const double variance = squares / nf;
    if (variance == 0.0) return 0.0;
    const double tolerance = std::sqrt(variance) * r_factor_;

    const std::size_t starts = n - m_;
    std::uint64_t b = 0;
    std::uint64_t a = 0;
    for (std::size_t k = 0; k < starts; ++k) {
        for (std::size_t l = k + 1; l < starts; ++l) {
            bool close_enough = true;
            for (std::size_t t = 0; t < m_; ++t) {
                if (!(std::fabs(x[k + t] - x[l + t]) <= tolerance)) {
                    close_enough = false;
                    break;
                }
            }
            if (!close_enough) continue;
            ++b;
            if (std::fabs(x[k + m_] - x[l + m_]) <= tolerance) ++a;
        }
    }
    if (b == 0) return 0.0;
    if (a == 0) return std::log(static_cast<double>(b));
    return 0.0 - std::log(static_cast<double>(a) / static_cast<double>(b));
}

}  // namespace plenko
