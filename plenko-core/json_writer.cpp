#include "plenko-core/json_writer.hpp"

#include <charconv>
#include <cmath>
#include <cstdlib>

namespace plenko::json {

void write_string(std::string& out, std::string_view s) {
    static const char hex[] = "0123456789abcdef";
    out.push_back('"');
    std::size_t run = 0;
    for (std::size_t i = 0; i < s.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(s[i]);
        const char* esc = nullptr;
        switch (c) {
            case '"': esc = "\\\""; break;
            case '\\': esc = "\\\\"; break;
            case '\b': esc = "\\b"; break;
            case '\t': esc = "\\t"; break;
            case '\n': esc = "\\n"; break;
            case '\f': esc = "\\f"; break;
            case '\r': esc = "\\r"; break;
            default: break;
        }
        if (!esc && c >= 0x20) continue;
        out.append(s.data() + run, i - run);
        run = i + 1;
        if (esc) {
            out.append(esc);
        } else {
            out.append("\\u00");
            out.push_back(hex[c >> 4]);
            out.push_back(hex[c & 0xF]);
        }
    }
    out.append(s.data() + run, s.size() - run);
    out.push_back('"');
}

void write_int(std::string& out, std::int64_t v) {
    char buf[24];
    auto r = std::to_chars(buf, buf + sizeof buf, v);
    out.append(buf, r.ptr);
}

void write_uint(std::string& out, std::uint64_t v) {
    char buf[24];
    auto r = std::to_chars(buf, buf + sizeof buf, v);
    out.append(buf, r.ptr);
}

void write_number(std::string& out, double v) {
    if (!std::isfinite(v)) {
        out.append("null");
        return;
    }
    if (v == 0.0) {
        out.append(std::signbit(v) ? "-0.0" : "0.0");
        return;
    }
    // Shortest round-trip digits in the form d.ddde±x.
    char buf[40];
    auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::scientific);
    std::string_view sci(buf, static_cast<std::size_t>(r.ptr - buf));
    bool negative = sci.front() == '-';
    if (negative) sci.remove_prefix(1);
    std::size_t epos = sci.find('e');
    std::string digits;
    for (char c : sci.substr(0, epos))
        if (c != '.') digits.push_back(c);
    int e = std::atoi(std::string(sci.substr(epos + 1)).c_str());
    if (negative) out.push_back('-');
    const int n = static_cast<int>(digits.size());
    if (e >= -5 && e <= 15) {
        if (e < 0) {
            out.append("0.");
            out.append(static_cast<std::size_t>(-e - 1), '0');
            out.append(digits);
        } else if (n <= e + 1) {
            out.append(digits);
            out.append(static_cast<std::size_t>(e + 1 - n), '0');
            out.append(".0");
        } else {
            out.append(digits, 0, static_cast<std::size_t>(e + 1));
            out.push_back('.');
            out.append(digits, static_cast<std::size_t>(e + 1), std::string::npos);
        }
        return;
    }
    out.push_back(digits[0]);
    if (n > 1) {
        out.push_back('.');
        out.append(digits, 1, std::string::npos);
    }
    out.push_back('e');
    out.append(std::to_string(e));
}

std::string number_text(double v) {
    std::string s;
    write_number(s, v);
    return s;
}

}  // namespace plenko::json
