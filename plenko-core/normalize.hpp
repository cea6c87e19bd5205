#pragma once
// Per-dimension rescaling of fingerprints with statistics gathered once over
// the whole index. Dimension j is (feature j / window, position j % window).

#include <cstddef>
#include <span>
#include <vector>

#include "plenko-core/schema.hpp"

namespace plenko {

struct DimStats {
    double mean = 0.0;
    double std = 0.0;  // population deviation: divisor N
    double min = 0.0;
    double max = 0.0;
};

// The statistics of the `count` fingerprints cut from consecutive rows
// (`width` values each, back to back): fingerprint n holds rows n ..
// n + window - 1, so dimension (k, i) runs over feature k of rows i ..
// i + count - 1. Summing those rows in order adds exactly the terms a pass
// over the fingerprints in index order would, without reading the
// fingerprints. With no fingerprints every entry is all zeros.
std::vector<DimStats> window_stats(const double* rows, std::size_t width, std::size_t window, std::size_t count);

// One value of a dimension rescaled; a divisor of exactly zero gives 0.0
// (a NaN divisor is divided by).
inline double rescale(double v, const DimStats& s, NormalizeMode mode) {
    switch (mode) {
        case NormalizeMode::None: return v;
        case NormalizeMode::ZScore: return s.std == 0.0 ? 0.0 : (v - s.mean) / s.std;
        case NormalizeMode::MinMax: {
            const double range = s.max - s.min;
            return range == 0.0 ? 0.0 : (v - s.min) / range;
        }
    }
    return v;
}

// Rescales one fingerprint in place.
void apply(std::span<double> values, std::span<const DimStats> stats, NormalizeMode mode);

}  // namespace plenko
