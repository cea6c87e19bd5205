#include "plenko-core/candle_fast_path.hpp"

#include <charconv>
#include <cstdint>
#include <cstring>

#include "plenko-core/json_view.hpp"

namespace plenko::json {

namespace {

inline bool digit(char c) { return c >= '0' && c <= '9'; }

// A number literal; integers of up to 18 digits are exact in `i`.
struct Literal {
    bool integral;
    std::int64_t i;
    double f;
};

inline bool read_number(const char*& p, const char* end, Literal& out) {
    const char* start = p;
    bool negative = p < end && *p == '-';
    if (negative) ++p;
    const char* digits = p;
    while (p < end && digit(*p)) ++p;
    std::ptrdiff_t n = p - digits;
    if (n == 0 || n > 18) return false;
    std::int64_t acc = 0;
    for (const char* d = digits; d < p; ++d) acc = acc * 10 + (*d - '0');
    if (p < end && (*p == '.' || *p == 'e' || *p == 'E')) {
        double v = 0.0;
        auto r = std::from_chars(start, end, v);
        if (r.ec != std::errc()) return false;
        p = r.ptr;
        out = {false, 0, v};
        return true;
    }
    if (negative && acc == 0) return false;  // -0 is a float; let the general reader say so
    out = {true, negative ? -acc : acc, 0.0};
    return true;
}

inline double as_f64(const Literal& l) { return l.integral ? static_cast<double>(l.i) : l.f; }

bool read_object(const char* p, const char* end, Candle& c, const char*& next) {
    double* slots[6] = {nullptr, &c.open, &c.high, &c.low, &c.close, &c.volume};
    unsigned seen = 0;
    p = skip_ws(p + 1, end);
    if (p < end && *p == '}') return false;
    for (;;) {
        if (p >= end || *p != '"') return false;
        const char* k = ++p;
        const char* q = static_cast<const char*>(std::memchr(p, '"', static_cast<std::size_t>(end - p)));
        if (!q) return false;
        std::size_t len = static_cast<std::size_t>(q - k);
        int which = -1;
        switch (len) {
            case 3: which = std::memcmp(k, "low", 3) == 0 ? 3 : -1; break;
            case 4:
                which = std::memcmp(k, "time", 4) == 0 ? 0 : std::memcmp(k, "open", 4) == 0 ? 1
                      : std::memcmp(k, "high", 4) == 0 ? 2 : -1;
                break;
            case 5: which = std::memcmp(k, "close", 5) == 0 ? 4 : -1; break;
            case 6: which = std::memcmp(k, "volume", 6) == 0 ? 5 : -1; break;
            default: break;
        }
        if (which < 0 || (seen & (1u << which))) return false;
        seen |= 1u << which;
        p = skip_ws(q + 1, end);
        if (p >= end || *p != ':') return false;
        p = skip_ws(p + 1, end);
        Literal l;
        if (!read_number(p, end, l)) return false;
        if (which == 0) {
            if (!l.integral) return false;
            c.time = l.i;
        } else {
            *slots[which] = as_f64(l);
        }
        p = skip_ws(p, end);
        if (p < end && *p == ',') {
            p = skip_ws(p + 1, end);
            continue;
        }
        if (p < end && *p == '}') break;
        return false;
    }
    if ((seen & 0x1F) != 0x1F) return false;
    if (!(seen & 0x20)) c.volume = 0.0;
    next = p + 1;
    return true;
}

bool read_array(const char* p, const char* end, Candle& c, const char*& next) {
    double* slots[6] = {nullptr, &c.open, &c.high, &c.low, &c.close, &c.volume};
    c.volume = 0.0;
    p = skip_ws(p + 1, end);
    for (int i = 0; i < 6; ++i) {
        Literal l;
        if (!read_number(p, end, l)) return false;
        if (i == 0) {
            if (!l.integral) return false;
            c.time = l.i;
        } else {
            *slots[i] = as_f64(l);
        }
        p = skip_ws(p, end);
        if (p < end && *p == ']') {
            if (i < 4) return false;
            next = p + 1;
            return true;
        }
        if (p >= end || *p != ',') return false;
        p = skip_ws(p + 1, end);
    }
    return false;
}

}  // namespace

bool read_plain_candle(const char* p, const char* end, Candle& out, const char*& next) {
    if (p >= end) return false;
    if (*p == '{') return read_object(p, end, out, next);
    if (*p == '[') return read_array(p, end, out, next);
    return false;
}

}  // namespace plenko::json
