#pragma once
// The fixed response texts; members of generic responses are written in
// ascending byte order of their names.

#include <cstdint>
#include <string>

#include "plenko-core/engine_error.hpp"

namespace plenko {

std::string ok_response();
std::string error_response(const EngineError& e);
std::string indexed_response(std::uint64_t n);
std::string version_response();

}  // namespace plenko
