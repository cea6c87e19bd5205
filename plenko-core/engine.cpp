#include "plenko-core/engine.hpp"

#include "plenko-core/engine_state.hpp"
#include "plenko-core/utf8.hpp"

namespace plenko {

void EngineStateDeleter::operator()(EngineState* s) const { delete s; }

Expected<EngineHandle, EngineError> create_engine(std::string_view spec_text) {
    EngineHandle state(new EngineState{});
    std::string_view trimmed = trim_unicode_space(spec_text);
    if (trimmed.empty() || trimmed == "{}") return state;
    auto spec = decode_spec_text(spec_text);
    if (!spec) return unexpected(std::move(spec).error());
    if (auto dim = validate_spec(*spec); !dim) return unexpected(std::move(dim).error());
    state->spec = std::move(*spec);
    return state;
}

}  // namespace plenko
