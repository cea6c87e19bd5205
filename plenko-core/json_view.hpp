#pragma once
// A decoded JSON value that stays in its text: the command text is checked
// once by the scanner, after which values are read straight from it.
// Objects keep every member in text order, repeated names included, so a
// record reader can see a member given twice. Nothing is copied until a
// value is read, which keeps a million-candle `history` cheap.

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "plenko-core/json_number.hpp"

namespace plenko::json {

class JsonView {
public:
    enum class Type : std::uint8_t { Null, Bool, Number, String, Array, Object };

    JsonView() = default;
    // `p` points at the first byte of a value inside text the scanner accepted.
    JsonView(const char* p, const char* end) : p_(p), end_(end) {}

    Type type() const;
    bool is_null() const { return type() == Type::Null; }
    bool boolean() const { return *p_ == 't'; }
    Number number() const;
    std::string string() const;                   // decoded text of a string
    bool string_is(std::string_view plain) const;  // equality with escape-free text

    // The value's own text.
    std::string_view raw() const;
    const char* begin() const { return p_; }
    const char* text_end() const { return end_; }
    // Just past the value.
    const char* value_end() const;

    class Elements {
    public:
        explicit Elements(JsonView array);
        bool next(JsonView& out);
        std::size_t count();  // elements left, without consuming them

    private:
        const char* p_;
        const char* end_;
    };
    class Members {
    public:
        explicit Members(JsonView object);
        // Key as raw text between its quotes (escapes untouched), then value.
        bool next(std::string_view& raw_key, JsonView& value);

    private:
        const char* p_;
        const char* end_;
    };

    Elements elements() const { return Elements(*this); }
    Members members() const { return Members(*this); }
    std::size_t size() const;  // elements or members

    // The last member of that name, as command members are looked up.
    bool find_last(std::string_view name, JsonView& out) const;

private:
    const char* p_ = nullptr;
    const char* end_ = nullptr;
};

// The members of the command object, recorded while it was checked, so a
// lookup never walks a large member again.
struct MemberTable {
    std::vector<std::pair<std::string, JsonView>> items;
    bool find_last(std::string_view name, JsonView& out) const {
        for (auto it = items.rbegin(); it != items.rend(); ++it) {
            if (it->first == name) {
                out = it->second;
                return true;
            }
        }
        return false;
    }
};

// Past any JSON white space (space, tab, line feed, carriage return).
inline const char* skip_ws(const char* p, const char* end) {
    while (p < end && (*p == ' ' || *p == '\n' || *p == '\t' || *p == '\r')) ++p;
    return p;
}

// Decoded text of a raw key (escapes resolved).
std::string decode_key(std::string_view raw_key);
bool key_is(std::string_view raw_key, std::string_view name);

}  // namespace plenko::json
