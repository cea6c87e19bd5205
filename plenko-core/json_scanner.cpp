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

Status Scanner::parse_ident(std::string_view rest, Code mismatch) {
    for (char expected : rest) {
        if (i_ >= n_) return unexpected(error(Code::EofWhileParsingValue));
        char c = s_[i_++];
        if (c != expected) return unexpected(error(mismatch));
    }
    return {};
}

Expected<Number, Error> Scanner::parse_number(bool positive, bool compute) {
    const std::size_t start = positive ? i_ : i_ - 1;
    if (i_ >= n_) return unexpected(error(Code::EofWhileParsingValue));
    unsigned char first = static_cast<unsigned char>(s_[i_++]);
    bool nonzero = first > '0' && first <= '9';
    std::size_t int_digits = 1;
    if (first == '0') {
        if (auto p = peek(); p && is_digit(*p)) return unexpected(peek_error(Code::InvalidNumber));
    } else if (nonzero) {
        while (i_ < n_ && is_digit(static_cast<unsigned char>(s_[i_]))) {
            ++i_;
            ++int_digits;
        }
    } else {
        return unexpected(error(Code::InvalidNumber));
    }
    bool is_float = false, has_exponent = false;
    if (auto p = peek(); p && *p == '.') {
        is_float = true;
        ++i_;
        std::size_t digits = 0;
        while (i_ < n_ && is_digit(static_cast<unsigned char>(s_[i_]))) {
            nonzero = nonzero || s_[i_] != '0';
            ++i_;
            ++digits;
        }
        if (digits == 0) {
            return unexpected(peek_error(i_ < n_ ? Code::InvalidNumber : Code::EofWhileParsingValue));
        }
    }
    if (auto p = peek(); p && (*p == 'e' || *p == 'E')) {
        is_float = has_exponent = true;
        ++i_;
        bool positive_exp = true;
        if (auto q = peek(); q && (*q == '+' || *q == '-')) {
            positive_exp = *q == '+';
            ++i_;
        }
        if (i_ >= n_) return unexpected(error(Code::EofWhileParsingValue));
        unsigned char c = static_cast<unsigned char>(s_[i_++]);
        if (!is_digit(c)) return unexpected(error(Code::InvalidNumber));
        long long exp = c - '0';
        while (i_ < n_ && is_digit(static_cast<unsigned char>(s_[i_]))) {
            int d = s_[i_++] - '0';
            if (exp * 10 + d > 2147483647LL) {
                // An exponent beyond 32 bits: a non-zero value overflows at
                // once; zero (or a huge negative exponent) reads as zero.
                if (nonzero && positive_exp) return unexpected(error(Code::NumberOutOfRange));
                while (i_ < n_ && is_digit(static_cast<unsigned char>(s_[i_]))) ++i_;
                Number z;
                z.kind = Number::Kind::Float;
                z.f = positive ? 0.0 : -0.0;
                return z;
            }
            exp = exp * 10 + d;
        }
    }
    Number n;
    if (compute || has_exponent || int_digits > 300 || (!is_float && int_digits > 19)) {
        bool overflow = false;
        n = number_from_literal(s_ + start, s_ + i_, overflow);
        if (overflow) return unexpected(error(Code::NumberOutOfRange));
    } else {
        n.kind = is_float ? Number::Kind::Float : Number::Kind::PosInt;
    }
    return n;
}

Expected<unsigned, Error> Scanner::decode_hex_escape() {
    if (n_ - i_ < 4) {
        i_ = n_;
        return unexpected(error(Code::EofWhileParsingString));
    }
    unsigned v = 0;
    bool ok = true;
    for (int k = 0; k < 4; ++k) {
        int h = hex_value(static_cast<unsigned char>(s_[i_ + k]));
        if (h < 0) ok = false;
        v = (v << 4) | static_cast<unsigned>(h < 0 ? 0 : h);
    }
    i_ += 4;
    if (!ok) return unexpected(error(Code::InvalidEscape));
    return v;
}

Status Scanner::parse_escape(std::string* out) {
    if (i_ >= n_) return unexpected(error(Code::EofWhileParsingString));
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
        default: return unexpected(error(Code::InvalidEscape));
    }
    if (c != 'u') {
        if (out) out->push_back(plain);
        return {};
    }
    auto hi = decode_hex_escape();
    if (!hi) return unexpected(std::move(hi).error());
    unsigned cp = *hi;
    if (cp >= 0xDC00 && cp <= 0xDFFF) return unexpected(error(Code::LoneLeadingSurrogateInHexEscape));
    if (cp >= 0xD800 && cp <= 0xDBFF) {
        for (char want : {'\\', 'u'}) {
            if (i_ >= n_) return unexpected(error(Code::EofWhileParsingString));
            if (s_[i_++] != want) return unexpected(error(Code::UnexpectedEndOfHexEscape));
        }
        auto lo = decode_hex_escape();
        if (!lo) return unexpected(std::move(lo).error());
        if (*lo < 0xDC00 || *lo > 0xDFFF) return unexpected(error(Code::LoneLeadingSurrogateInHexEscape));
        cp = (((cp - 0xD800) << 10) | (*lo - 0xDC00)) + 0x10000;
    }
    if (out) append_utf8(*out, cp);
    return {};
}

Status Scanner::parse_string(std::string* out) {
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
        if (i_ >= n_) return unexpected(error(Code::EofWhileParsingString));
        if (c == '"') {
            if (out) out->append(s_ + seg, i_ - seg);
            ++i_;
            if (non_ascii && !valid_utf8(std::string_view(s_ + raw_start, i_ - 1 - raw_start))) {
                return unexpected(error(Code::InvalidUnicodeCodePoint));
            }
            return {};
        }
        if (c == '\\') {
            if (out) out->append(s_ + seg, i_ - seg);
            ++i_;
            if (auto r = parse_escape(out); !r) return r;
            seg = i_;
            continue;
        }
        ++i_;
        return unexpected(error(Code::ControlCharacterWhileParsingString));
    }
}

Expected<bool, Error> Scanner::next_element(bool& first) {
    auto c = parse_whitespace();
    if (!c) return unexpected(peek_error(Code::EofWhileParsingList));
    if (*c == ']') return false;
    if (*c == ',' && !first) {
        eat();
        c = parse_whitespace();
    } else if (first) {
        first = false;
    } else {
        return unexpected(peek_error(Code::ExpectedListCommaOrEnd));
    }
    if (!c) return unexpected(peek_error(Code::EofWhileParsingValue));
    if (*c == ']') return unexpected(peek_error(Code::TrailingComma));
    return true;
}

Expected<bool, Error> Scanner::next_key(bool& first, std::string* key) {
    auto c = parse_whitespace();
    if (!c) return unexpected(peek_error(Code::EofWhileParsingObject));
    if (*c == '}') return false;
    if (*c == ',' && !first) {
        eat();
        c = parse_whitespace();
    } else if (first) {
        first = false;
    } else {
        return unexpected(peek_error(Code::ExpectedObjectCommaOrEnd));
    }
    if (!c) return unexpected(peek_error(Code::EofWhileParsingValue));
    if (*c == '}') return unexpected(peek_error(Code::TrailingComma));
    if (*c != '"') return unexpected(peek_error(Code::KeyMustBeAString));
    eat();
    if (key) key->clear();
    if (auto r = parse_string(key); !r) return unexpected(std::move(r).error());
    return true;
}

Status Scanner::parse_object_colon() {
    auto c = parse_whitespace();
    if (!c) return unexpected(peek_error(Code::EofWhileParsingObject));
    if (*c != ':') return unexpected(peek_error(Code::ExpectedColon));
    eat();
    return {};
}

Status Scanner::end_seq() {
    auto c = parse_whitespace();
    if (!c) return unexpected(peek_error(Code::EofWhileParsingList));
    if (*c == ']') {
        eat();
        return {};
    }
    if (*c == ',') {
        eat();
        auto d = parse_whitespace();
        return unexpected(peek_error(d && *d == ']' ? Code::TrailingComma : Code::TrailingCharacters));
    }
    return unexpected(peek_error(Code::TrailingCharacters));
}

Status Scanner::end_map() {
    auto c = parse_whitespace();
    if (!c) return unexpected(peek_error(Code::EofWhileParsingObject));
    if (*c == '}') {
        eat();
        return {};
    }
    return unexpected(peek_error(*c == ',' ? Code::TrailingComma : Code::TrailingCharacters));
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

Status Scanner::end_of_text() {
    if (parse_whitespace()) return unexpected(peek_error(Code::TrailingCharacters));
    return {};
}

Status Scanner::skip_seq() {
    bool first = true;
    for (;;) {
        auto more = next_element(first);
        if (!more) return unexpected(std::move(more).error());
        if (!*more) return {};
        if (auto r = skip_value(); !r) return r;
    }
}

Status Scanner::skip_map() {
    bool first = true;
    for (;;) {
        auto more = next_key(first, nullptr);
        if (!more) return unexpected(std::move(more).error());
        if (!*more) return {};
        if (auto r = parse_object_colon(); !r) return r;
        if (auto r = skip_value(); !r) return r;
    }
}

Status Scanner::skip_value() {
    auto c = parse_whitespace();
    if (!c) return unexpected(peek_error(Code::EofWhileParsingValue));
    switch (*c) {
        case 'n': eat(); return parse_ident("ull");
        case 't': eat(); return parse_ident("rue");
        case 'f': eat(); return parse_ident("alse");
        case '-': {
            eat();
            auto r = parse_number(false, false);
            if (!r) return unexpected(std::move(r).error());
            return {};
        }
        case '"': eat(); return parse_string(nullptr);
        case '[':
        case '{': {
            if (!enter()) return unexpected(peek_error(Code::RecursionLimitExceeded));
            eat();
            Status inner = *c == '[' ? skip_seq() : skip_map();
            leave();
            if (!inner) return inner;
            return *c == '[' ? end_seq() : end_map();
        }
        default:
            if (is_digit(*c)) {
                auto r = parse_number(true, false);
                if (!r) return unexpected(std::move(r).error());
                return {};
            }
            return unexpected(peek_error(Code::ExpectedSomeValue));
    }
}

}  // namespace plenko::json
