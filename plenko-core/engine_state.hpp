#pragma once
// What one engine instance owns between commands.

#include <cstdint>
#include <map>
#include <memory>
#include <string>

#include "plenko-core/schema.hpp"

namespace plenko {

struct FingerprintIndex;

struct FingerprintIndexDeleter {
    void operator()(FingerprintIndex* p) const;
};

struct EngineState {
    FingerprintSpec spec;
    std::unique_ptr<FingerprintIndex, FingerprintIndexDeleter> index;
    std::map<std::int64_t, std::string> labels;
};

}  // namespace plenko
