#pragma once
// The explicit list of indicator families the factory knows.

#include <vector>

#include "factory/registry.hpp"

namespace plenko {

void register_families(std::vector<IndicatorRow>& rows);

}  // namespace plenko
