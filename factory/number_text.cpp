#include "factory/number_text.hpp"

#include <charconv>
#include <cmath>

namespace plenko {

std::string plain_decimal(double x) {
    if (std::isnan(x)) return "NaN";
    if (std::isinf(x)) return x > 0 ? "inf" : "-inf";
    // Fixed notation without a precision is the shortest text that reads
    // back exactly; the longest (the smallest subnormal) needs ~330 chars.
    char buf[512];
    const auto res = std::to_chars(buf, buf + sizeof buf, x, std::chars_format::fixed);
    return std::string(buf, res.ptr);
}

}  // namespace plenko
