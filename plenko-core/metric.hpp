#pragma once
// The three similarity measures, scored for one query against a run of
// stored fingerprints. Every sum starts at 0.0 and adds its terms in index
// order, one at a time; speed comes only from scoring several stored
// fingerprints side by side, each in its own accumulator, so every
// similarity is bit-identical to scoring that pair alone.

#include <cstddef>
#include <span>
#include <vector>

#include "plenko-core/schema.hpp"

namespace plenko {

// Rounds to 8 decimals, halves away from zero; NaN stays NaN.
double round_similarity(double s);

// √(Σ v[m]²): the cosine norm, computed once per stored fingerprint at build
// time and once per query.
double root_sum_squares(std::span<const double> v);

// The query of one match, prepared once for every comparison.
struct PreparedQuery {
    Metric metric = Metric::Cosine;
    std::size_t window = 1;
    std::vector<double> values;
    double root_sq = 0.0;       // cosine
    std::vector<double> steps;  // dtw: window steps of step_len values, oldest first
    std::size_t step_len = 0;
};

PreparedQuery prepare_query(Metric metric, std::vector<double> values, std::size_t window);

// Stored fingerprints back to back, `dim` values each, with their cosine
// norms (only read by the cosine measure).
struct StoredView {
    const double* values = nullptr;
    std::size_t dim = 0;
    const double* root_norms = nullptr;
};

// Working rows of the dtw measure: two matrix rows instead of the whole
// matrix. One per thread; sized for the largest window on first use.
struct DtwScratch {
    using Pair = double __attribute__((vector_size(16)));  // as lanes::Pair
    std::vector<Pair> lanes;  // stored values, interleaved by lane
    std::vector<Pair> cost;   // one row of local costs
    std::vector<Pair> prev, cur;
    void fit(std::size_t dim, std::size_t window);
};

// Writes the rounded similarity of stored fingerprints [begin, end) to
// out[begin .. end). The query and the stored fingerprints have `dim` values.
void score_range(const PreparedQuery& query, const StoredView& stored, std::size_t begin, std::size_t end,
                 double* out, DtwScratch& scratch);

}  // namespace plenko
