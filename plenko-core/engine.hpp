#pragma once
// The two entry points the host module uses: creating an engine from the
// constructor's specification text, and running one command text.

#include <memory>
#include <string>
#include <string_view>

#include "indicators/expected.hpp"
#include "plenko-core/engine_error.hpp"

namespace plenko {

struct EngineState;

struct EngineStateDeleter {
    void operator()(EngineState* s) const;
};
using EngineHandle = std::unique_ptr<EngineState, EngineStateDeleter>;

inline constexpr std::string_view kVersion = "0.2.0";

// `spec_text` is UTF-8. Blank text or "{}" (after trimming Unicode white
// space) starts with the empty default specification, unvalidated.
Expected<EngineHandle, EngineError> create_engine(std::string_view spec_text);

// Always answers with a JSON response text; failures are error responses.
std::string run_command(EngineState& state, std::string_view cmd_text);

}  // namespace plenko
