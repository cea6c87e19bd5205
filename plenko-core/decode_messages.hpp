#pragma once
// Texts of typed decoding failures: what was found ("integer `5`",
// "string \"abc\"", "map" …) and what was expected.

#include <cstddef>
#include <string>
#include <string_view>

#include "plenko-core/json_error.hpp"
#include "plenko-core/json_number.hpp"
#include "plenko-core/json_view.hpp"

namespace plenko::schema {

std::string describe(const json::Number& n);
std::string describe_string(std::string_view s);
std::string describe(json::JsonView v);

json::Error invalid_type(const std::string& found, std::string_view expected);
json::Error invalid_value(const std::string& found, std::string_view expected);
json::Error invalid_length(std::size_t n, std::string_view expected);
json::Error missing_field(std::string_view name);
json::Error duplicate_field(std::string_view name);

template <class Names>
json::Error unknown_variant(std::string_view found, const Names& names) {
    std::string m = "unknown variant `";
    m.append(found);
    m.append("`, expected one of ");
    bool first = true;
    for (std::string_view n : names) {
        if (!first) m.append(", ");
        first = false;
        m.push_back('`');
        m.append(n);
        m.push_back('`');
    }
    return json::Error::custom(std::move(m));
}

}  // namespace plenko::schema
