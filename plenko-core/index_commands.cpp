// Placeholder until feature extraction and the index exist: the commands
// decode and check their members, then report that indexing is unavailable.

#include "plenko-core/commands.hpp"
#include "plenko-core/engine_state.hpp"

namespace plenko {

struct FingerprintIndex {
    std::map<std::int64_t, std::string> labels;
};

void FingerprintIndexDeleter::operator()(FingerprintIndex* p) const { delete p; }

Expected<std::string, EngineError> index_command(EngineState& state, const std::vector<Candle>&) {
    if (auto dim = validate_spec(state.spec); !dim) return unexpected(std::move(dim).error());
    return unexpected(EngineError::data("indexing is not available in this build"));
}

Expected<std::string, EngineError> match_command(const EngineState& state, const std::vector<Candle>&,
                                                 std::uint64_t k) {
    if (!state.index) return unexpected(EngineError::data("no index; call `index` first"));
    if (k == 0) return unexpected(EngineError::bad_spec("k must be > 0"));
    return unexpected(EngineError::data("matching is not available in this build"));
}

void set_index_label(EngineState& state, std::int64_t ts, const std::string& label) {
    if (state.index) state.index->labels[ts] = label;
}

}  // namespace plenko
