#pragma once
// The name-keyed factory: an indicator name and a positional parameter list
// in, a fresh evaluator (or the reason it cannot be built) out.

#include <memory>
#include <span>
#include <string_view>
#include <vector>

#include "factory/factory_error.hpp"
#include "factory/registry.hpp"
#include "indicators/evaluator.hpp"
#include "indicators/expected.hpp"

namespace plenko {

Expected<std::unique_ptr<Evaluator>, FactoryError> build_evaluator(std::string_view name,
                                                                   std::span<const double> params);

// The row a name builds (aliases resolved), or null for an unknown name.
const IndicatorRow* find_row(std::string_view name);

// Every registered row, sorted by name.
std::span<const IndicatorRow> registered_rows();

struct Alias {
    std::string_view name;
    std::string_view target;
};
// The aliases whose target is registered.
std::vector<Alias> registered_aliases();

// Reads the parameters a row prescribes, then constructs. `name` is the
// indicator name used in error messages.
Expected<std::unique_ptr<Evaluator>, FactoryError> build_from_row(const IndicatorRow& row, std::string_view name,
                                                                  std::span<const double> params);

}  // namespace plenko
