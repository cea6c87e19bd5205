#include "plenko-core/json_view.hpp"

#include "plenko-core/json_scanner.hpp"

namespace plenko::json {

namespace {

// Past the closing quote of a string starting at its opening quote.
const char* skip_string(const char* p, const char* end) {
    ++p;
    while (p < end) {
        char c = *p;
        if (c == '"') return p + 1;
        p += c == '\\' ? 2 : 1;
    }
    return end;
}

// Past a value known to be well formed.
const char* skip_value(const char* p, const char* end) {
    char c = *p;
    if (c == '"') return skip_string(p, end);
    if (c == '[' || c == '{') {
        int depth = 0;
        while (p < end) {
            char d = *p;
            if (d == '"') {
                p = skip_string(p, end);
                continue;
            }
            if (d == '[' || d == '{') ++depth;
            if (d == ']' || d == '}') {
                if (--depth == 0) return p + 1;
            }
            ++p;
        }
        return end;
    }
    // number or literal: up to the next delimiter
    while (p < end) {
        char d = *p;
        if (d == ',' || d == ']' || d == '}' || d == ' ' || d == '\n' || d == '\t' || d == '\r') break;
        ++p;
    }
    return p;
}

}  // namespace

JsonView::Type JsonView::type() const {
    switch (*p_) {
        case 'n': return Type::Null;
        case 't':
        case 'f': return Type::Bool;
        case '"': return Type::String;
        case '[': return Type::Array;
        case '{': return Type::Object;
        default: return Type::Number;
    }
}

Number JsonView::number() const {
    bool overflow = false;
    return number_from_literal(p_, skip_value(p_, end_), overflow);
}

const char* JsonView::value_end() const { return skip_value(p_, end_); }

std::string_view JsonView::raw() const { return std::string_view(p_, static_cast<std::size_t>(skip_value(p_, end_) - p_)); }

std::string JsonView::string() const {
    std::string out;
    Scanner sc(std::string_view(p_ + 1, static_cast<std::size_t>(end_ - p_ - 1)));
    (void)sc.parse_string(&out);  // already checked: cannot fail
    return out;
}

bool JsonView::string_is(std::string_view plain) const {
    const char* q = skip_string(p_, end_);
    std::string_view body(p_ + 1, static_cast<std::size_t>(q - p_ - 2));
    return key_is(body, plain);
}

std::size_t JsonView::size() const {
    std::size_t n = 0;
    if (type() == Type::Array) {
        Elements e(*this);
        JsonView v;
        while (e.next(v)) ++n;
    } else {
        Members m(*this);
        std::string_view k;
        JsonView v;
        while (m.next(k, v)) ++n;
    }
    return n;
}

bool JsonView::find_last(std::string_view name, JsonView& out) const {
    bool found = false;
    Members m(*this);
    std::string_view k;
    JsonView v;
    while (m.next(k, v)) {
        if (key_is(k, name)) {
            out = v;
            found = true;
        }
    }
    return found;
}

JsonView::Elements::Elements(JsonView a) : p_(skip_ws(a.p_ + 1, a.end_)), end_(a.end_) {}

bool JsonView::Elements::next(JsonView& out) {
    if (p_ >= end_ || *p_ == ']') return false;
    out = JsonView(p_, end_);
    p_ = skip_ws(skip_value(p_, end_), end_);
    if (p_ < end_ && *p_ == ',') p_ = skip_ws(p_ + 1, end_);
    return true;
}

std::size_t JsonView::Elements::count() {
    Elements copy = *this;
    std::size_t n = 0;
    JsonView v;
    while (copy.next(v)) ++n;
    return n;
}

JsonView::Members::Members(JsonView o) : p_(skip_ws(o.p_ + 1, o.end_)), end_(o.end_) {}

bool JsonView::Members::next(std::string_view& raw_key, JsonView& value) {
    if (p_ >= end_ || *p_ == '}') return false;
    const char* key_end = skip_string(p_, end_);
    raw_key = std::string_view(p_ + 1, static_cast<std::size_t>(key_end - p_ - 2));
    p_ = skip_ws(key_end, end_);
    p_ = skip_ws(p_ + 1, end_);  // the colon
    value = JsonView(p_, end_);
    p_ = skip_ws(skip_value(p_, end_), end_);
    if (p_ < end_ && *p_ == ',') p_ = skip_ws(p_ + 1, end_);
    return true;
}

std::string decode_key(std::string_view raw_key) {
    if (raw_key.find('\\') == std::string_view::npos) return std::string(raw_key);
    std::string out;
    std::string quoted(raw_key);
    quoted.push_back('"');
    Scanner sc(quoted);
    (void)sc.parse_string(&out);
    return out;
}

bool key_is(std::string_view raw_key, std::string_view name) {
    if (raw_key.find('\\') == std::string_view::npos) return raw_key == name;
    return decode_key(raw_key) == name;
}

}  // namespace plenko::json
