#include "plenko-core/normalize.hpp"

#include <algorithm>
#include <cmath>
#include <limits>

namespace plenko {

namespace {

// Calls visit(j, v) for every (dimension, value) pair, in row order; for a
// fixed dimension that is fingerprint order.
template <class Visit>
void for_each_window_value(const double* rows, std::size_t width, std::size_t window, std::size_t count,
                           Visit visit) {
    const std::size_t used_rows = count + window - 1;
    for (std::size_t r = 0; r < used_rows; ++r) {
        // Row r is position i of fingerprint n = r - i, for 0 <= n < count.
        const std::size_t i_lo = r >= count ? r - count + 1 : 0;
        const std::size_t i_hi = std::min(window - 1, r);
        const double* row = rows + r * width;
        for (std::size_t k = 0; k < width; ++k) {
            const double v = row[k];
            const std::size_t base = k * window;
            for (std::size_t i = i_lo; i <= i_hi; ++i) visit(base + i, v);
        }
    }
}

}  // namespace

std::vector<DimStats> window_stats(const double* rows, std::size_t width, std::size_t window, std::size_t count) {
    const std::size_t dim = width * window;
    std::vector<DimStats> stats(dim);
    if (count == 0) return stats;
    std::vector<double> sum(dim, 0.0);
    std::vector<double> lo(dim, std::numeric_limits<double>::infinity());
    std::vector<double> hi(dim, -std::numeric_limits<double>::infinity());
    for_each_window_value(rows, width, window, count, [&](std::size_t j, double v) {
        sum[j] += v;
        lo[j] = v < lo[j] ? v : lo[j];  // a NaN never becomes the minimum or maximum
        hi[j] = v > hi[j] ? v : hi[j];
    });
    const double n = static_cast<double>(count);
    for (std::size_t j = 0; j < dim; ++j) stats[j].mean = sum[j] / n;
    std::vector<double> m2(dim, 0.0);
    for_each_window_value(rows, width, window, count, [&](std::size_t j, double v) {
        const double d = v - stats[j].mean;
        m2[j] += d * d;
    });
    for (std::size_t j = 0; j < dim; ++j) {
        stats[j].std = std::sqrt(m2[j] / n);
        stats[j].min = lo[j];
        stats[j].max = hi[j];
    }
    return stats;
}

void apply(std::span<double> values, std::span<const DimStats> stats, NormalizeMode mode) {
    const std::size_t n = std::min(values.size(), stats.size());
    for (std::size_t j = 0; j < n; ++j) values[j] = rescale(values[j], stats[j], mode);
}

}  // namespace plenko
