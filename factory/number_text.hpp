#pragma once
// Plain decimal text of a double: the fewest digits that read back to the
// same value, never an exponent, no fractional part for integral values
// (1e20 -> "100000000000000000000", 2.5 -> "2.5", -0.0 -> "-0"). NaN and
// infinities print as "NaN", "inf" and "-inf".

#include <string>

namespace plenko {

std::string plain_decimal(double x);

}  // namespace plenko
