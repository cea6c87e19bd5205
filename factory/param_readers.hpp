#pragma once
// Readers for positional parameters. Each takes the whole parameter list,
// the index to read and the indicator name used in the error.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "factory/factory_error.hpp"
#include "indicators/expected.hpp"

namespace plenko {

Expected<double, FactoryError> param_f64(std::span<const double> params, std::size_t index, std::string_view name);
// A positive integer; values above the largest count saturate to it.
Expected<std::size_t, FactoryError> param_usize(std::span<const double> params, std::size_t index, std::string_view name);
Expected<std::int32_t, FactoryError> param_i32(std::span<const double> params, std::size_t index, std::string_view name);
Expected<std::uint32_t, FactoryError> param_u32(std::span<const double> params, std::size_t index, std::string_view name);

}  // namespace plenko
