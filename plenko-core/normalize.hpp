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

// `values` holds `count` fingerprints of `dim` values each, back to back.
// Every dimension's sums run over the fingerprints in index order; with no
// fingerprints every entry is all zeros.
std::vector<DimStats> compute_stats(std::span<const double> values, std::size_t count, std::size_t dim);

// Rescales one fingerprint in place; a divisor of exactly zero gives 0.0.
void apply(std::span<double> values, std::span<const DimStats> stats, NormalizeMode mode);

}  // namespace plenko
