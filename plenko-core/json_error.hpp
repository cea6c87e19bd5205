#pragma once
// Decoding failures. A syntax error knows the byte offset where it was
// detected; a type error raised while interpreting an already scanned value
// has no offset of its own and takes the offset of the container that was
// being read when it surfaced (see `fix_offset`).

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace plenko::json {

enum class Code {
    EofWhileParsingList,
    EofWhileParsingObject,
    EofWhileParsingString,
    EofWhileParsingValue,
    ExpectedColon,
    ExpectedListCommaOrEnd,
    ExpectedObjectCommaOrEnd,
    ExpectedSomeIdent,
    ExpectedSomeValue,
    ExpectedDoubleQuote,
    InvalidEscape,
    InvalidNumber,
    NumberOutOfRange,
    InvalidUnicodeCodePoint,
    ControlCharacterWhileParsingString,
    KeyMustBeAString,
    LoneLeadingSurrogateInHexEscape,
    TrailingComma,
    TrailingCharacters,
    UnexpectedEndOfHexEscape,
    RecursionLimitExceeded,
};

std::string_view code_message(Code c);

struct Error {
    std::string message;
    std::optional<std::size_t> offset;  // byte offset into the decoded text

    static Error syntax(Code c, std::size_t at) { return {std::string(code_message(c)), at}; }
    static Error custom(std::string m) { return {std::move(m), std::nullopt}; }

    Error&& fix_offset(std::size_t at) && {
        if (!offset) offset = at;
        return std::move(*this);
    }
};

// "{message} at line {l} column {c}": the line is 1-based, the column counts
// the bytes consumed on that line.
std::string with_position(const Error& e, std::string_view text);

}  // namespace plenko::json
