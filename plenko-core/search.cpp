#include "plenko-core/search.hpp"

#include <algorithm>
#include <bit>
#include <span>

#include "plenko-core/feature_set.hpp"
#include "plenko-core/index.hpp"
#include "plenko-core/metric.hpp"
#include "plenko-core/normalize.hpp"
#include "plenko-core/row_window.hpp"
#include "plenko-core/worker_pool.hpp"

namespace plenko {

std::int64_t total_order_key(double x) {
    const auto bits = std::bit_cast<std::int64_t>(x);
    // Negative values (sign bit set) order backwards in their magnitude bits.
    return bits ^ static_cast<std::int64_t>(static_cast<std::uint64_t>(bits >> 63) >> 1);
}

bool ranks_before(const RankKey& a, const RankKey& b) {
    if (a.similarity != b.similarity) return a.similarity > b.similarity;
    if (a.ts != b.ts) return a.ts < b.ts;
    return a.index < b.index;
}

namespace {

// The query fingerprint: the last `window` usable rows of the current candles.
std::optional<std::vector<double>> query_values(FeatureSet& set, std::size_t window,
                                                const std::vector<Candle>& current) {
    RowWindow rows(set.width(), window);
    std::vector<double> row(set.width());
    for (const Candle& c : current) {
        set.feed(c);
        if (set.row(row)) rows.push(row);
    }
    if (!rows.is_full()) return std::nullopt;
    return std::move(rows.flatten(0).values);
}

// Items per piece of work: enough that handing out a piece costs little
// beside scoring it.
std::size_t min_piece(Metric metric, std::size_t dim, std::size_t window) {
    const std::size_t work = metric == Metric::Dtw ? window * dim : dim;
    return std::max<std::size_t>(64, 65536 / std::max<std::size_t>(work, 1));
}

std::vector<double> score_all(const FingerprintIndex& index, const PreparedQuery& query) {
    const std::size_t n = index.count();
    std::vector<double> sims(n);
    WorkerPool& pool = worker_pool();
    std::vector<DtwScratch> scratch(participants(pool));
    if (query.metric == Metric::Dtw)
        for (DtwScratch& s : scratch) s.fit(index.dim, query.window);
    const StoredView stored = index.view();
    parallel_for(pool, n, min_piece(query.metric, index.dim, query.window),
                 [&](std::size_t slot, std::size_t begin, std::size_t end) {
                     score_range(query, stored, begin, end, sims.data(), scratch[slot]);
                 });
    return sims;
}

// The best min(k, n) fingerprints, best first. A bounded heap keeps the
// memory at the size of the result whatever k is.
std::vector<RankKey> best(const FingerprintIndex& index, const std::vector<double>& sims, std::uint64_t k) {
    const std::size_t n = sims.size();
    const std::size_t keep = k < n ? static_cast<std::size_t>(k) : n;
    std::vector<RankKey> heap;
    heap.reserve(keep);
    if (keep == 0) return heap;
    // With ranks_before as "less", the heap's front is the worst kept entry.
    auto worse = [](const RankKey& a, const RankKey& b) { return ranks_before(a, b); };
    for (std::size_t i = 0; i < n; ++i) {
        const RankKey key{total_order_key(sims[i]), index.ts[i], i};
        if (heap.size() < keep) {
            heap.push_back(key);
            std::push_heap(heap.begin(), heap.end(), worse);
        } else if (ranks_before(key, heap.front())) {
            std::pop_heap(heap.begin(), heap.end(), worse);
            heap.back() = key;
            std::push_heap(heap.begin(), heap.end(), worse);
        }
    }
    std::sort_heap(heap.begin(), heap.end(), worse);
    return heap;
}

}  // namespace

Expected<MatchResult, EngineError> match_index(const FingerprintIndex* index, const std::vector<Candle>& current,
                                               std::uint64_t k) {
    if (index == nullptr) return unexpected(EngineError::data("no index; call `index` first"));
    if (k == 0) return unexpected(EngineError::bad_spec("k must be > 0"));
    const FingerprintSpec& spec = index->spec;
    auto set = FeatureSet::build(spec.features);
    if (!set) return unexpected(std::move(set).error());
    const std::size_t window = static_cast<std::size_t>(spec.window);
    auto values = query_values(*set, window, current);
    if (!values) return unexpected(EngineError::data("not enough current bars to form a fingerprint"));
    if (!index->stats.empty()) apply(*values, index->stats, spec.normalize);

    const PreparedQuery query = prepare_query(spec.metric, std::move(*values), window);
    const std::vector<double> sims = score_all(*index, query);

    MatchResult result;
    result.indexed = index->count();
    const std::vector<RankKey> ranked = best(*index, sims, k);
    result.entries.reserve(ranked.size());
    for (const RankKey& r : ranked) {
        MatchEntry e{index->ts[r.index], sims[r.index], std::nullopt};
        if (auto it = index->labels.find(e.ts); it != index->labels.end()) e.label = it->second;
        result.entries.push_back(std::move(e));
    }
    return result;
}

}  // namespace plenko
