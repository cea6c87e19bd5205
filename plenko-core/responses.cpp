#include "plenko-core/responses.hpp"

#include "plenko-core/engine.hpp"
#include "plenko-core/json_writer.hpp"

namespace plenko {

std::string ok_response() { return "{\"ok\":true}"; }

std::string error_response(const EngineError& e) {
    std::string out = "{\"error\":";
    json::write_string(out, e.display());
    out.append(",\"ok\":false}");
    return out;
}

std::string indexed_response(std::uint64_t n) {
    std::string out = "{\"indexed\":";
    json::write_uint(out, n);
    out.append(",\"ok\":true}");
    return out;
}

std::string version_response() {
    std::string out = "{\"version\":";
    json::write_string(out, kVersion);
    out.push_back('}');
    return out;
}

}  // namespace plenko
