#include "plenko-core/normalize.hpp"

#include <algorithm>
#include <cmath>
#include <limits>

namespace plenko {

std::vector<DimStats> compute_stats(std::span<const double> values, std::size_t count, std::size_t dim) {
    std::vector<DimStats> stats(dim);
    if (count == 0) return stats;
    // Fingerprint-outer loops keep memory access sequential; each dimension
    // still accumulates its own terms in fingerprint order.
    std::vector<double> sum(dim, 0.0);
    for (DimStats& s : stats) {
        s.min = std::numeric_limits<double>::infinity();
        s.max = -std::numeric_limits<double>::infinity();
    }
    for (std::size_t n = 0; n < count; ++n) {
        const double* fp = values.data() + n * dim;
        for (std::size_t j = 0; j < dim; ++j) {
            const double v = fp[j];
            sum[j] += v;
            if (v < stats[j].min) stats[j].min = v;
            if (v > stats[j].max) stats[j].max = v;
        }
    }
    const double n_f = static_cast<double>(count);
    for (std::size_t j = 0; j < dim; ++j) stats[j].mean = sum[j] / n_f;
    std::vector<double> m2(dim, 0.0);
    for (std::size_t n = 0; n < count; ++n) {
        const double* fp = values.data() + n * dim;
        for (std::size_t j = 0; j < dim; ++j) {
            const double d = fp[j] - stats[j].mean;
            m2[j] += d * d;
        }
    }
    for (std::size_t j = 0; j < dim; ++j) stats[j].std = std::sqrt(m2[j] / n_f);
    return stats;
}

void apply(std::span<double> values, std::span<const DimStats> stats, NormalizeMode mode) {
    const std::size_t n = std::min(values.size(), stats.size());
    switch (mode) {
        case NormalizeMode::None: return;
        case NormalizeMode::ZScore:
            for (std::size_t j = 0; j < n; ++j) {
                const DimStats& s = stats[j];
                values[j] = s.std == 0.0 ? 0.0 : (values[j] - s.mean) / s.std;
            }
            return;
        case NormalizeMode::MinMax:
            for (std::size_t j = 0; j < n; ++j) {
                const DimStats& s = stats[j];
                const double range = s.max - s.min;
                values[j] = range == 0.0 ? 0.0 : (values[j] - s.min) / range;
            }
            return;
    }
}

}  // namespace plenko
