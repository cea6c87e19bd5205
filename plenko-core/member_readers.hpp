#pragma once
// Readers for the members of a command object. Each takes the last
// occurrence of the name; a member of the wrong type reads as missing.

#include <cstdint>
#include <string>
#include <string_view>

#include "indicators/expected.hpp"
#include "plenko-core/engine_error.hpp"
#include "plenko-core/json_view.hpp"

namespace plenko {

Expected<json::JsonView, EngineError> any_member(const json::MemberTable& cmd, std::string_view name);
Expected<std::int64_t, EngineError> integer_member(const json::MemberTable& cmd, std::string_view name);
Expected<std::uint64_t, EngineError> unsigned_member(const json::MemberTable& cmd, std::string_view name);
Expected<std::string, EngineError> string_member(const json::MemberTable& cmd, std::string_view name);

}  // namespace plenko
