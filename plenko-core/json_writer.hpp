#pragma once
// Compact JSON writing: strings with the minimal escaping, integers in plain
// decimal, floats with the fewest digits that read back to the same value.

#include <cstdint>
#include <string>
#include <string_view>

namespace plenko::json {

void write_string(std::string& out, std::string_view utf8);
void write_int(std::string& out, std::int64_t v);
void write_uint(std::string& out, std::uint64_t v);
// Fixed notation for decimal exponents -5..15 ("0.00001", "12.25", "100.0"),
// scientific outside ("1e-6", "1.5e-7", "1e16"); NaN and infinities as null.
void write_number(std::string& out, double v);
std::string number_text(double v);

}  // namespace plenko::json
