#include "plenko-core/json_scanner.hpp"

#include "plenko-core/utf8.hpp"

namespace plenko::json {

namespace {

bool is_digit(unsigned char c) { return c >= '0' && c <= '9'; }

int hex_value(unsigned char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

}  // namespace

bool Scanner::parse_ident(std::string_view rest) {
    for (char expected : rest) {
        if (i_ >= n_) return fail(Code::EofWhileParsingValue);
        if (s_[i_++] != expected) return fail(Code::ExpectedSomeIdent);
    }
    return true;
}

bool Scanner::parse_number(bool positive, Number* out) {
    const std::size_t start = positive ? i_ : i_ - 1;
    if (i_ >= n_) return fail(Code::EofWhileParsingValue);
    unsigned char first = static_cast<unsigned char>(s_[i_++]);
    bool nonzero = first > '0' && first <= '9';
    std::size_t int_digits = 1;
    if (first == '0') {
        if (i_ < n_ && is_digit(static_cast<unsigned char>(s_[i_]))) return peek_fail(Code::InvalidNumber);
    } else if (nonzero) {
        while (i_ < n_ && is_digit(static_cast<unsigned char>(s_[i_]))) {
            ++i_;
            ++int_digits;
        }
    } else {
        return fail(Code::InvalidNumber);
    }
    bool is_float = false, has_exponent = false;
    if (i_ < n_ && s_[i_] == '.') {
        is_float = true;
        ++i_;
        std::size_t digits = 0;
        while (i_ < n_ && is_digit(static_cast<unsigned char>(s_[i_]))) {
            nonzero = nonzero || s_[i_] != '0';
            ++i_;
            ++digits;
        }
        if (digits == 0) return peek_fail(i_ < n_ ? Code::InvalidNumber : Code::EofWhileParsingValue);
    }
    if (i_ < n_ && (s_[i_] == 'e' || s_[i_] == 'E')) {
        is_float = has_exponent = true;
        ++i_;
        bool positive_exp = true;
        if (i_ < n_ && (s_[i_] == '+' || s_[i_] == '-')) positive_exp = s_[i_++] == '+';
        if (i_ >= n_) return fail(Code::EofWhileParsingValue);
        unsigned char c = static_cast<unsigned char>(s_[i_++]);
        if (!is_digit(c)) return fail(Code::InvalidNumber);
        long long exp = c - '0';
        while (i_ < n_ && is_digit(static_cast<unsigned char>(s_[i_]))) {
            int d = s_[i_++] - '0';
            if (exp * 10 + d > 2147483647LL) {
                // An exponent beyond 32 bits: a non-zero value overflows at
                // once; zero (or a huge negative exponent) reads as zero.
                if (nonzero && positive_exp) return fail(Code::NumberOutOfRange);
                while (i_ < n_ && is_digit(static_cast<unsigned char>(s_[i_]))) ++i_;
                if (out) {
                    *out = Number{};
                    out->kind = Number::Kind::Float;
                    out->f = positive ? 0.0 : -0.0;
                }
                return true;
            }
            exp = exp * 10 + d;
        }
    }
    // Only a literal with an exponent or very many digits can overflow.
    if (out || has_exponent || int_digits > 300 || (!is_float && int_digits > 19)) {
        bool overflow = false;
        Number n = number_from_literal(s_ + start, s_ + i_, overflow);
        if (overflow) return fail(Code::NumberOutOfRange);
        if (out) *out = n;
    }
    return true;
}

bool Scanner::decode_hex_escape(unsigned& v) {
    if (n_ - i_ < 4) {
        i_ = n_;
        return fail(Code::EofWhileParsingString);
    }
    v = 0;
    bool ok = true;
    for (int k = 0; k < 4; ++k) {
        int h = hex_value(static_cast<unsigned char>(s_[i_ + k]));
        if (h < 0) ok = false;
        v = (v << 4) | static_cast<unsigned>(h < 0 ? 0 : h);
    }
    i_ += 4;
    return ok || fail(Code::InvalidEscape);
}

bool Scanner::parse_escape(std::string* out) {
    if (i_ >= n_) return fail(Code::EofWhileParsingString);
    char c = s_[i_++];
    char plain = 0;
    switch (c) {
        case '"': plain = '"'; break;
        case '\\': plain = '\\'; break;
        case '/': plain = '/'; break;
        case 'b': plain = '\b'; break;
        case 'f': plain = '\f'; break;
        case 'n': plain = '\n'; break;
        case 'r': plain = '\r'; break;
        case 't': plain = '\t'; break;
        case 'u': break;
        default: return fail(Code::InvalidEscape);
    }
    if (c != 'u') {
        if (out) out->push_back(plain);
        return true;
    }
    unsigned cp = 0;
    if (!decode_hex_escape(cp)) return false;
    if (cp >= 0xDC00 && cp <= 0xDFFF) return fail(Code::LoneLeadingSurrogateInHexEscape);
    if (cp >= 0xD800 && cp <= 0xDBFF) {
        for (char want : {'\\', 'u'}) {
            if (i_ >= n_) return fail(Code::EofWhileParsingString);
            if (s_[i_++] != want) return fail(Code::UnexpectedEndOfHexEscape);
        }
        unsigned lo = 0;
        if (!decode_hex_escape(lo)) return false;
        if (lo < 0xDC00 || lo > 0xDFFF) return fail(Code::LoneLeadingSurrogateInHexEscape);
        cp = (((cp - 0xD800) << 10) | (lo - 0xDC00)) + 0x10000;
    }
    if (out) append_utf8(*out, cp);
    return true;
}

bool Scanner::parse_string(std::string* out) {
    const std::size_t raw_start = i_;
    std::size_t seg = i_;
    bool non_ascii = false;
    for (;;) {
        unsigned char c = 0;
        while (i_ < n_) {
            c = static_cast<unsigned char>(s_[i_]);
            if (c == '"' || c == '\\' || c < 0x20) break;
            non_ascii |= c >= 0x80;
            ++i_;
        }
        if (i_ >= n_) return fail(Code::EofWhileParsingString);
        if (c == '"') {
            if (out) out->append(s_ + seg, i_ - seg);
            ++i_;
            if (non_ascii && !valid_utf8(std::string_view(s_ + raw_start, i_ - 1 - raw_start)))
                return fail(Code::InvalidUnicodeCodePoint);
            return true;
        }
        if (c == '\\') {
            if (out) out->append(s_ + seg, i_ - seg);
            ++i_;
            if (!parse_escape(out)) return false;
            seg = i_;
            continue;
        }
        ++i_;
        return fail(Code::ControlCharacterWhileParsingString);
    }
}

bool Scanner::next_element(bool& first, bool& more) {
    auto c = parse_whitespace();
    if (!c) return peek_fail(Code::EofWhileParsingList);
    more = false;
    if (*c == ']') return true;
    if (*c == ',' && !first) {
        eat();
        c = parse_whitespace();
    } else if (first) {
        first = false;
    } else {
        return peek_fail(Code::ExpectedListCommaOrEnd);
    }
    if (!c) return peek_fail(Code::EofWhileParsingValue);
    if (*c == ']') return peek_fail(Code::TrailingComma);
    more = true;
    return true;
}

bool Scanner::next_key(bool& first, bool& more, std::string* key) {
    auto c = parse_whitespace();
    if (!c) return peek_fail(Code::EofWhileParsingObject);
    more = false;
    if (*c == '}') return true;
    if (*c == ',' && !first) {
        eat();
        c = parse_whitespace();
    } else if (first) {
        first = false;
    } else {
        return peek_fail(Code::ExpectedObjectCommaOrEnd);
    }
    if (!c) return peek_fail(Code::EofWhileParsingValue);
    if (*c == '}') return peek_fail(Code::TrailingComma);
    if (*c != '"') return peek_fail(Code::KeyMustBeAString);
    eat();
    if (key) key->clear();
    if (!parse_string(key)) return false;
    more = true;
    return true;
}

bool Scanner::parse_object_colon() {
    auto c = parse_whitespace();
    if (!c) return peek_fail(Code::EofWhileParsingObject);
    if (*c != ':') return peek_fail(Code::ExpectedColon);
    eat();
    return true;
}

bool Scanner::end_seq() {
    auto c = parse_whitespace();
    if (!c) return peek_fail(Code::EofWhileParsingList);
    if (*c == ']') {
        eat();
        return true;
    }
    if (*c == ',') {
        eat();
        auto d = parse_whitespace();
        return peek_fail(d && *d == ']' ? Code::TrailingComma : Code::TrailingCharacters);
    }
    return peek_fail(Code::TrailingCharacters);
}

bool Scanner::end_map() {
    auto c = parse_whitespace();
    if (!c) return peek_fail(Code::EofWhileParsingObject);
    if (*c == '}') {
        eat();
        return true;
    }
    return peek_fail(*c == ',' ? Code::TrailingComma : Code::TrailingCharacters);
}

void Scanner::end_seq_after_error() {
    auto c = parse_whitespace();
    if (!c) return;
    if (*c == ']') {
        eat();
    } else if (*c == ',') {
        eat();
        parse_whitespace();
    }
}

void Scanner::end_map_after_error() {
    auto c = parse_whitespace();
    if (c && *c == '}') eat();
}

bool Scanner::end_of_text() { return !parse_whitespace() || peek_fail(Code::TrailingCharacters); }

bool Scanner::skip_seq() {
    bool first = true, more = false;
    for (;;) {
        if (!next_element(first, more)) return false;
        if (!more) return true;
        if (!skip_value()) return false;
    }
}

bool Scanner::skip_map() {
    bool first = true, more = false;
    for (;;) {
        if (!next_key(first, more, nullptr)) return false;
        if (!more) return true;
        if (!parse_object_colon() || !skip_value()) return false;
    }
}

bool Scanner::skip_value() {
    auto c = parse_whitespace();
    if (!c) return peek_fail(Code::EofWhileParsingValue);
    switch (*c) {
        case 'n': eat(); return parse_ident("ull");
        case 't': eat(); return parse_ident("rue");
        case 'f': eat(); return parse_ident("alse");
        case '-': eat(); return parse_number(false, nullptr);
        case '"': eat(); return parse_string(nullptr);
        case '[':
        case '{': {
            if (!enter()) return peek_fail(Code::RecursionLimitExceeded);
            eat();
            bool inner = *c == '[' ? skip_seq() : skip_map();
            leave();
            if (!inner) return false;
            return *c == '[' ? end_seq() : end_map();
        }
        default:
            if (is_digit(*c)) return parse_number(true, nullptr);
            return peek_fail(Code::ExpectedSomeValue);
    }
}

}  // namespace plenko::json
