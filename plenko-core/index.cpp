#include "plenko-core/index.hpp"

#include <span>

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
    std::vector<double> row(width);
    for (const Candle& c : history) {
        set.feed(c);
        if (!set.row(row)) continue;
        rows.values.insert(rows.values.end(), row.begin(), row.end());
        rows.times.push_back(c.time);
    }
    return rows;
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
    index.values.resize(count * index.dim);
    index.ts.resize(count);
    for (std::size_t n = 0; n < count; ++n) {
        // Fingerprint n is completed by usable row n + window - 1.
        flatten_rows(width, window, [&](std::size_t i) { return rows.values.data() + (n + i) * width; },
                     index.values.data() + n * index.dim);
        index.ts[n] = rows.times[n + window - 1];
    }

    if (spec.normalize != NormalizeMode::None) {
        index.stats = compute_stats(index.values, count, index.dim);
        for (std::size_t n = 0; n < count; ++n)
            apply(std::span<double>(index.values.data() + n * index.dim, index.dim), index.stats, spec.normalize);
    }
    if (spec.metric == Metric::Cosine) {
        index.root_norms.resize(count);
        for (std::size_t n = 0; n < count; ++n)
            index.root_norms[n] = root_sum_squares(std::span<const double>(index.values.data() + n * index.dim, index.dim));
    }
    index.labels = labels;
    return index;
}

}  // namespace plenko
