// The `index` and `match` commands and the index's copy of the labels.

#include "plenko-core/commands.hpp"
#include "plenko-core/engine_state.hpp"
#include "plenko-core/index.hpp"
#include "plenko-core/json_writer.hpp"
#include "plenko-core/responses.hpp"
#include "plenko-core/search.hpp"

namespace plenko {

void FingerprintIndexDeleter::operator()(FingerprintIndex* p) const { delete p; }

Expected<std::string, EngineError> index_command(EngineState& state, const std::vector<Candle>& history) {
    auto built = build_index(state.spec, history, state.labels);
    if (!built) return unexpected(std::move(built).error());
    const std::size_t count = built->count();
    // The previous index is released only once the new one is complete.
    state.index.reset(new FingerprintIndex(std::move(*built)));
    return indexed_response(count);
}

Expected<std::string, EngineError> match_command(const EngineState& state, const std::vector<Candle>& current,
                                                 std::uint64_t k) {
    auto result = match_index(state.index.get(), current, k);
    if (!result) return unexpected(std::move(result).error());
    // Members in the fixed order ts, similarity, label; "indexed" last.
    std::string out = "{\"matches\":[";
    bool first = true;
    for (const MatchEntry& e : result->entries) {
        if (!first) out.push_back(',');
        first = false;
        out.append("{\"ts\":");
        json::write_int(out, e.ts);
        out.append(",\"similarity\":");
        json::write_number(out, e.similarity);
        if (e.label) {
            out.append(",\"label\":");
            json::write_string(out, *e.label);
        }
        out.push_back('}');
    }
    out.append("],\"indexed\":");
    json::write_uint(out, result->indexed);
    out.push_back('}');
    return out;
}

void set_index_label(EngineState& state, std::int64_t ts, const std::string& label) {
    if (state.index) state.index->labels[ts] = label;
}

}  // namespace plenko
