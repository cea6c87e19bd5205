#include "indicators/statistics/shannon_entropy.hpp"

#include <algorithm>
#include <cmath>

#include "indicators/blocks/window_length.hpp"

namespace plenko {

ShannonEntropy::ShannonEntropy(std::size_t n, std::size_t bins) : ring_(n), bins_(bins) {}

Expected<ShannonEntropy, IndicatorError> ShannonEntropy::create(std::size_t period, std::size_t bins) {
    if (auto ok = check_period(period); !ok) return unexpected(ok.error());
    if (bins == 0) return unexpected(IndicatorError::zero_period());
    if (bins == 1) return unexpected(IndicatorError::invalid_period("Shannon entropy needs bins >= 2"));
    if (auto ok = check_period(bins); !ok) return unexpected(ok.error());
    return ShannonEntropy(period, bins);
}

std::optional<double> ShannonEntropy::update(double close) {
    ring_.push(close);
    if (!ring_.full()) return std::nullopt;
    double lo = ring_.oldest();
    double hi = lo;
    ring_.for_each([&](double x) {
        if (x < lo) lo = x;
        if (x > hi) hi = x;
    });
    if (hi <= lo) return 0.0;
    const std::size_t n = ring_.length();
    const double width = (hi - lo) / static_cast<double>(bins_);
    const double last_bin = static_cast<double>(bins_ - 1);
    // Clamped in floating point before the conversion: a NaN quotient (0/0
    // when the width underflows) goes to bin 0, an infinite one to the last.
    auto bin_of = [&](double x) -> std::size_t {
        const double q = std::floor((x - lo) / width);
        if (!(q > 0.0)) return 0;
        if (q >= last_bin) return bins_ - 1;
        return static_cast<std::size_t>(q);
    };
    const double nf = static_cast<double>(n);
    double acc = 0.0;
    auto add = [&](std::size_t count) {
        const double p = static_cast<double>(count) / nf;
        acc = acc + p * std::log2(p);
    };
    if (bins_ <= n) {
        if (counts_.size() != bins_) counts_.assign(bins_, 0);
        else std::fill(counts_.begin(), counts_.end(), std::size_t{0});
        ring_.for_each([&](double x) { ++counts_[bin_of(x)]; });
        for (std::size_t c : counts_) {
            if (c != 0) add(c);
        }
    } else {
        // Visiting the occupied bins in ascending order keeps the summation
        // order of the counting path.
        if (counts_.size() != n) counts_.resize(n);
        std::size_t at = 0;
        ring_.for_each([&](double x) { counts_[at++] = bin_of(x); });
        std::sort(counts_.begin(), counts_.end());
        std::size_t run = 1;
        for (std::size_t i = 1; i <= n; ++i) {
            if (i < n && counts_[i] == counts_[i - 1]) {
                ++run;
            } else {
                add(run);
                run = 1;
            }
        }
    }
    return 0.0 - acc;
}

}  // namespace plenko
