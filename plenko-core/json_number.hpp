#pragma once
// A JSON number as the decoder classifies it: a literal without fraction or
// exponent is an integer when it fits (non-negative ones as unsigned,
// negative ones as signed); everything else, including -0 and integers
// outside both 64-bit ranges, is a float.

#include <cstdint>

namespace plenko::json {

struct Number {
    enum class Kind : std::uint8_t { PosInt, NegInt, Float };
    Kind kind = Kind::PosInt;
    std::uint64_t u = 0;
    std::int64_t i = 0;
    double f = 0.0;

    double as_double() const {
        switch (kind) {
            case Kind::PosInt: return static_cast<double>(u);
            case Kind::NegInt: return static_cast<double>(i);
            case Kind::Float: return f;
        }
        return f;
    }
};

// Converts a literal the scanner has already accepted. `overflow` is set
// when the value does not fit a finite double.
Number number_from_literal(const char* begin, const char* end, bool& overflow);

}  // namespace plenko::json
