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

#include "plenko-core/json_error.hpp"
#include "plenko-core/json_number.hpp"

namespace plenko::json {


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
    Error peek_error(Code c) const { return Error::syntax(c, peek_offset()); }

    // Nesting guard for one array or object; `enter` fails at the 128th level.
    bool enter() { return --depth_left_ > 0; }
    void leave() { ++depth_left_; }

    // The readers below return false on a syntax error, which `failure()`
    // then describes; the hot validation loop pays for no error object.
    Error failure() const { return Error::syntax(fail_code_, fail_offset_); }

    // Any value, only checked.
    bool skip_value();
    // After the opening quote. Appends the decoded text to `out` if given.
    bool parse_string(std::string* out);
    // After the sign, if any. `compute` asks for the value; the range is
    // checked in any case.
    bool parse_number(bool positive, Number* out);
    bool parse_ident(std::string_view rest);

    bool parse_object_colon();
    // Closing of a container whose contents were read successfully.
    bool end_seq();
    bool end_map();
    // What closing a container consumes when its contents failed; the
    // failure's offset is taken after it.
    void end_seq_after_error();
    void end_map_after_error();
    bool end_of_text();

    // Array and object walking: `more` tells whether another element follows
    // (the scanner then stands on it); `next_key` also reads the key.
    bool next_element(bool& first, bool& more);
    bool next_key(bool& first, bool& more, std::string* key);

    bool fail(Code c) { return record(c, i_); }
    bool peek_fail(Code c) { return record(c, peek_offset()); }

private:
    bool skip_seq();
    bool skip_map();
    bool parse_escape(std::string* out);
    bool decode_hex_escape(unsigned& out);
    std::size_t peek_offset() const { return i_ + 1 < n_ ? i_ + 1 : n_; }
    bool record(Code c, std::size_t at) {
        fail_code_ = c;
        fail_offset_ = at;
        return false;
    }

    const char* s_;
    std::size_t n_;
    std::size_t i_ = 0;
    int depth_left_ = kMaxDepth;
    Code fail_code_ = Code::ExpectedSomeValue;
    std::size_t fail_offset_ = 0;
};

}  // namespace plenko::json
