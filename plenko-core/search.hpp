#pragma once
// Ranking the index against the fingerprint of the current candles.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "indicators/candle.hpp"
#include "indicators/expected.hpp"
#include "plenko-core/engine_error.hpp"

namespace plenko {

struct FingerprintIndex;

struct MatchEntry {
    std::int64_t ts = 0;
    double similarity = 0.0;
    std::optional<std::string> label;
};

struct MatchResult {
    std::vector<MatchEntry> entries;  // best first, min(k, indexed) of them
    std::size_t indexed = 0;          // fingerprints scored
};

// The order of the ranking: similarity descending under the IEEE total
// order (a positive NaN first, a negative NaN last), then ts ascending, then
// index order.
struct RankKey {
    std::int64_t similarity;  // total-order key of the similarity
    std::int64_t ts;
    std::size_t index;
};
std::int64_t total_order_key(double x);
bool ranks_before(const RankKey& a, const RankKey& b);

// Fails without an index, for k of 0, for a refused feature, or when the
// current candles do not fill one window.
Expected<MatchResult, EngineError> match_index(const FingerprintIndex* index, const std::vector<Candle>& current,
                                               std::uint64_t k);

}  // namespace plenko
