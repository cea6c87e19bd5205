#pragma once
// Record readers over decoded values, shared by both decoding routes.
// Failures carry no position; the text route adds one.

#include <array>
#include <cstdint>
#include <string_view>

#include "indicators/expected.hpp"
#include "plenko-core/json_error.hpp"
#include "plenko-core/json_view.hpp"
#include "plenko-core/schema.hpp"

namespace plenko::schema {

using json::Error;
using json::JsonView;

Expected<double, Error> f64_value(JsonView v);
Expected<std::int64_t, Error> i64_value(JsonView v);
Expected<std::uint64_t, Error> usize_value(JsonView v);

// An enumerated member: its name as a string, or a map of one member whose
// name is the value and whose value is null.
Expected<int, Error> enum_value(JsonView v, const std::string_view* names, std::size_t count);
template <std::size_t N>
Expected<int, Error> enum_value(JsonView v, const std::array<std::string_view, N>& names) {
    return enum_value(v, names.data(), N);
}

Expected<FeatureKind, Error> feature_kind_value(JsonView v);
// The members of a feature whose kind is known; the (single) `kind` member
// of the object form, or the first element of the array form, is skipped.
Expected<Feature, Error> feature_variant(FeatureKind kind, JsonView element);
Expected<Feature, Error> feature_value(JsonView v);
Expected<std::vector<Feature>, Error> features_value(JsonView v);
Expected<Candle, Error> candle_value(JsonView v);
Expected<FingerprintSpec, Error> spec_value(JsonView v);

}  // namespace plenko::schema
