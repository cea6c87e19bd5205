#include "plenko-core/json_number.hpp"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string>
#include <system_error>

namespace plenko::json {

namespace {

// from_chars reports both overflow and underflow as out of range; strtod
// tells them apart and still gives the correctly rounded subnormal.
double slow_parse(const char* begin, const char* end, bool& overflow) {
    std::string copy(begin, end);
    double v = std::strtod(copy.c_str(), nullptr);
    overflow = std::isinf(v);
    return v;
}

double parse_double(const char* begin, const char* end, bool& overflow) {
    double v = 0.0;
    auto r = std::from_chars(begin, end, v);
    if (r.ec == std::errc() && r.ptr == end) {
        overflow = false;
        return v;
    }
    return slow_parse(begin, end, overflow);
}

}  // namespace

Number number_from_literal(const char* begin, const char* end, bool& overflow) {
    overflow = false;
    Number n;
    const char* p = begin;
    bool negative = *p == '-';
    if (negative) ++p;
    std::uint64_t acc = 0;
    bool integral = true, fits = true;
    for (const char* q = p; q < end; ++q) {
        char c = *q;
        if (c < '0' || c > '9') {
            integral = false;
            break;
        }
        unsigned d = static_cast<unsigned>(c - '0');
        if (acc > (UINT64_MAX - d) / 10) fits = false;
        if (fits) acc = acc * 10 + d;
    }
    if (integral && fits) {
        if (!negative) {
            n.kind = Number::Kind::PosInt;
            n.u = acc;
            return n;
        }
        if (acc == 0) {
            n.kind = Number::Kind::Float;
            n.f = -0.0;
            return n;
        }
        if (acc <= (std::uint64_t{1} << 63)) {
            n.kind = Number::Kind::NegInt;
            n.i = acc == (std::uint64_t{1} << 63) ? INT64_MIN : -static_cast<std::int64_t>(acc);
            return n;
        }
        n.kind = Number::Kind::Float;
        n.f = -static_cast<double>(acc);
        return n;
    }
    n.kind = Number::Kind::Float;
    n.f = parse_double(begin, end, overflow);
    return n;
}

}  // namespace plenko::json
