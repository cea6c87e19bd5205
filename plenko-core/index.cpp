#include "plenko-core/index.hpp"

#include <algorithm>
#include <cmath>

#include "plenko-core/feature_set.hpp"
#include "plenko-core/fingerprint.hpp"

namespace plenko {

namespace {

// Every usable row of the history, back to back, with the time of its candle.
struct Rows {
    std::vector<double> values;
    std::vector<std::int64_t> times;
};

Rows usable_rows(FeatureSet& set, const std::vector<Candle>& history) {
    Rows rows;
    const std::size_t width = set.width();
    // Rows never outnumber candles; reserving up to the candles' own size
    // avoids regrowing (and the freed blocks a regrowing leaves behind).
    rows.times.reserve(history.size());
    rows.values.reserve(history.size() * std::min<std::size_t>(width, sizeof(Candle) / sizeof(double)));
    std::vector<double> row(width);
    for (const Candle& c : history) {
        set.feed(c);
        if (!set.row(row)) continue;
        rows.values.insert(rows.values.end(), row.begin(), row.end());
        rows.times.push_back(c.time);
    }
    return rows;
}

// Cuts fingerprint after fingerprint from the rows, rescaling each value as
// it is stored and summing the cosine norm over the stored values in index
// order, so the big array is written once and never read back here.
template <NormalizeMode Mode, bool Norms>
void cut(const Rows& rows, std::size_t width, std::size_t window, FingerprintIndex& index) {
    const std::size_t dim = index.dim;
    const double* src = rows.values.data();
    for (std::size_t n = 0; n < index.count(); ++n) {
        double* out = index.values.get() + n * dim;
        double sum = 0.0;
        for (std::size_t k = 0; k < width; ++k) {
            for (std::size_t i = 0; i < window; ++i) {
                const std::size_t j = k * window + i;
                double v = src[(n + i) * width + k];
                if constexpr (Mode != NormalizeMode::None) v = rescale(v, index.stats[j], Mode);
                out[j] = v;
                if constexpr (Norms) sum += v * v;
            }
        }
        if constexpr (Norms) index.root_norms[n] = std::sqrt(sum);
    }
}

template <NormalizeMode Mode>
void cut_all(const Rows& rows, std::size_t width, std::size_t window, FingerprintIndex& index) {
    if (index.spec.metric == Metric::Cosine)
        cut<Mode, true>(rows, width, window, index);
    else
        cut<Mode, false>(rows, width, window, index);
}

}  // namespace

Expected<FingerprintIndex, EngineError> build_index(const FingerprintSpec& spec, const std::vector<Candle>& history,
                                                    const std::map<std::int64_t, std::string>& labels) {
    auto dim = validate_spec(spec);
    if (!dim) return unexpected(std::move(dim).error());
    auto set = FeatureSet::build(spec.features);
    if (!set) return unexpected(std::move(set).error());

    // The rows are gathered first so that the fingerprints, which overlap in
    // window - 1 rows, are stored in one allocation of exactly their size.
    const Rows rows = usable_rows(*set, history);
    const std::size_t width = set->width();
    const std::size_t window = static_cast<std::size_t>(spec.window);
    const std::size_t usable = rows.times.size();
    const std::size_t count = usable >= window ? usable - window + 1 : 0;

    FingerprintIndex index;
    index.spec = spec;
    index.dim = static_cast<std::size_t>(*dim);
    // Fingerprint n is completed by usable row n + window - 1.
    index.ts.assign(rows.times.begin() + static_cast<std::ptrdiff_t>(usable - count), rows.times.end());
    index.values = std::make_unique_for_overwrite<double[]>(count * index.dim);
    if (spec.metric == Metric::Cosine) index.root_norms.resize(count);
    if (spec.normalize != NormalizeMode::None) index.stats = window_stats(rows.values.data(), width, window, count);
    switch (spec.normalize) {
        case NormalizeMode::None: cut_all<NormalizeMode::None>(rows, width, window, index); break;
        case NormalizeMode::ZScore: cut_all<NormalizeMode::ZScore>(rows, width, window, index); break;
        case NormalizeMode::MinMax: cut_all<NormalizeMode::MinMax>(rows, width, window, index); break;
    }
    index.labels = labels;
    return index;
}

}  // namespace plenko
