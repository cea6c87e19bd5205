#pragma once
// Order statistics over values sorted ascending (a SortedWindow's sorted()
// view or any sorted copy): the interpolated quantile, the median and the
// median absolute deviation. None allocates; the quantile and median cost
// O(1), the median absolute deviation O(log m).

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <limits>
#include <span>

#include "indicators/blocks/midpoint.hpp"

namespace plenko {

// Q(q) for q in [0, 1]: p = (m − 1)·q, i = ⌊p⌋; the largest value when
// i >= m − 1, otherwise s[i] + (s[i + 1] − s[i])·(p − i).
inline double quantile_of_sorted(std::span<const double> s, double q) {
    const std::size_t m = s.size();
    if (m == 0) return std::numeric_limits<double>::quiet_NaN();
    const double p = static_cast<double>(m - 1) * q;
    double fi = std::floor(p);
    if (!(fi > 0.0)) fi = 0.0;  // clamped before the conversion; NaN gives 0
    if (fi >= static_cast<double>(m - 1)) return s[m - 1];
    const auto i = static_cast<std::size_t>(fi);
    return s[i] + (s[i + 1] - s[i]) * (p - fi);
}

// The middle value, or the overflow-safe midpoint of the two middle values.
inline double median_of_sorted(std::span<const double> s) {
    const std::size_t m = s.size();
    if (m == 0) return std::numeric_limits<double>::quiet_NaN();
    if (m % 2 == 1) return s[m / 2];
    return safe_midpoint(s[m / 2 - 1], s[m / 2]);
}

namespace detail {

// The k-th smallest (0-based) of |s[i] − c| over a sorted s. The deviations
// of the values below c, read from c outwards, ascend, and so do those of the
// values from c on: two sorted runs, searched by bisection on how many of the
// k + 1 smallest come from the lower run. (c − s[i] and |s[i] − c| are the
// same double: rounding is symmetric.)
inline double kth_abs_deviation(std::span<const double> s, std::size_t split, double c, std::size_t k) {
    const std::size_t a = split;             // lower run: c − s[split − 1 − j]
    const std::size_t b = s.size() - split;  // upper run: s[split + j] − c
    auto lower = [&](std::size_t j) { return c - s[split - 1 - j]; };
    auto upper = [&](std::size_t j) { return s[split + j] - c; };
    std::size_t lo = k + 1 > b ? k + 1 - b : 0;
    std::size_t hi = std::min(a, k + 1);
    while (lo < hi) {
        const std::size_t i = lo + (hi - lo) / 2;
        if (lower(i) < upper(k - i)) lo = i + 1;
        else hi = i;
    }
    const std::size_t i = lo;
    double best = -std::numeric_limits<double>::infinity();
    if (i > 0) best = lower(i - 1);
    if (i <= k) {
        const double u = upper(k - i);
        if (u > best) best = u;
    }
    return best;
}

}  // namespace detail

// Median of |x − median| over the sorted values (no scale factor).
inline double median_absolute_deviation_of_sorted(std::span<const double> s) {
    const std::size_t m = s.size();
    if (m == 0) return std::numeric_limits<double>::quiet_NaN();
    const double med = median_of_sorted(s);
    const std::size_t split = static_cast<std::size_t>(std::lower_bound(s.begin(), s.end(), med) - s.begin());
    if (m % 2 == 1) return detail::kth_abs_deviation(s, split, med, m / 2);
    return safe_midpoint(detail::kth_abs_deviation(s, split, med, m / 2 - 1),
                         detail::kth_abs_deviation(s, split, med, m / 2));
}

}  // namespace plenko
