#pragma once
// The commands that work on the fingerprint index.

#include <cstdint>
#include <string>
#include <vector>

#include "indicators/candle.hpp"
#include "indicators/expected.hpp"
#include "plenko-core/engine_error.hpp"

namespace plenko {

struct EngineState;

Expected<std::string, EngineError> index_command(EngineState& state, const std::vector<Candle>& history);
Expected<std::string, EngineError> match_command(const EngineState& state, const std::vector<Candle>& current,
                                                 std::uint64_t k);
// Keeps the index's own copy of the labels in step with the engine's.
void set_index_label(EngineState& state, std::int64_t ts, const std::string& label);

}  // namespace plenko
