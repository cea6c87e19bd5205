#pragma once
// The JSON text reader. It walks the text once, reports the first syntax
// error with the offset the messages promise, and limits nesting to 127
// levels of arrays and objects (the 128th fails), so no input can exhaust
// the stack. Offsets: `error` points just past what was consumed,
// `peek_error` also counts the byte that was looked at.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "indicators/expected.hpp"
#include "plenko-core/json_error.hpp"
#include "plenko-core/json_number.hpp"

namespace plenko::json {

using Status = Expected<void, Error>;

class Scanner {
public:
    static constexpr int kMaxDepth = 128;

    explicit Scanner(std::string_view text) : s_(text.data()), n_(text.size()) {}

    std::size_t index() const { return i_; }
    const char* data() const { return s_; }
    std::size_t size() const { return n_; }

    // Skips JSON white space and returns the next byte without consuming it.
    std::optional<unsigned char> parse_whitespace() {
        while (i_ < n_) {
            unsigned char c = static_cast<unsigned char>(s_[i_]);
            if (c != ' ' && c != '\n' && c != '\t' && c != '\r') return c;
            ++i_;
        }
        return std::nullopt;
    }
    std::optional<unsigned char> peek() const {
        if (i_ < n_) return static_cast<unsigned char>(s_[i_]);
        return std::nullopt;
    }
    void eat() { ++i_; }

    Error error(Code c) const { return Error::syntax(c, i_); }
    Error peek_error(Code c) const { return Error::syntax(c, i_ + 1 < n_ ? i_ + 1 : n_); }

    // Nesting guard for one array or object; `enter` fails at the 128th level.
    bool enter() { return --depth_left_ > 0; }
    void leave() { ++depth_left_; }

    // Any value; with `out_number`/`out_string` null the value is only checked.
    Status skip_value();
    // After the opening quote. Appends the decoded text to `out` if given.
    Status parse_string(std::string* out);
    // After the sign, if any. `compute` asks for the float value too (the
    // range is checked in any case).
    Expected<Number, Error> parse_number(bool positive, bool compute = true);
    Status parse_ident(std::string_view rest, Code mismatch = Code::ExpectedSomeIdent);

    Status parse_object_colon();
    // Closing of a container whose contents were read successfully.
    Status end_seq();
    Status end_map();
    // What closing a container consumes when its contents failed; the
    // failure's offset is taken after it.
    void end_seq_after_error();
    void end_map_after_error();
    Status end_of_text();

    // Array and object walking: `next_element` tells whether another element
    // follows (and positions on it), `next_key` reads the next key.
    Expected<bool, Error> next_element(bool& first);
    Expected<bool, Error> next_key(bool& first, std::string* key);

private:
    Status skip_seq();
    Status skip_map();
    Status parse_escape(std::string* out);
    Expected<unsigned, Error> decode_hex_escape();

    const char* s_;
    std::size_t n_;
    std::size_t i_ = 0;
    int depth_left_ = kMaxDepth;
};

}  // namespace plenko::json
