#pragma once
// The fingerprint index: every full window of a candle history, rescaled
// with statistics over all of them, together with the specification it was
// built with and its own copy of the labels.

#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "indicators/candle.hpp"
#include "indicators/expected.hpp"
#include "plenko-core/engine_error.hpp"
#include "plenko-core/metric.hpp"
#include "plenko-core/normalize.hpp"
#include "plenko-core/schema.hpp"

namespace plenko {

struct FingerprintIndex {
    FingerprintSpec spec;
    std::size_t dim = 0;                 // features × window
    std::vector<DimStats> stats;         // empty under "none"
    std::unique_ptr<double[]> values;    // count() fingerprints of dim values, history order
    std::vector<std::int64_t> ts;        // one per fingerprint
    std::vector<double> root_norms;      // cosine only: √(Σ c²) of each stored fingerprint
    std::map<std::int64_t, std::string> labels;

    std::size_t count() const { return ts.size(); }
    StoredView view() const { return {values.get(), dim, root_norms.empty() ? nullptr : root_norms.data()}; }
};

// Cuts, rescales and stores the fingerprints of `history` under `spec`; the
// labels are copied in. Fails only on the specification or its features.
Expected<FingerprintIndex, EngineError> build_index(const FingerprintSpec& spec, const std::vector<Candle>& history,
                                                    const std::map<std::int64_t, std::string>& labels);

}  // namespace plenko
