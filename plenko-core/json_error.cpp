#include "plenko-core/json_error.hpp"

#include <algorithm>

namespace plenko::json {

std::string_view code_message(Code c) {
    switch (c) {
        case Code::EofWhileParsingList: return "EOF while parsing a list";
        case Code::EofWhileParsingObject: return "EOF while parsing an object";
        case Code::EofWhileParsingString: return "EOF while parsing a string";
        case Code::EofWhileParsingValue: return "EOF while parsing a value";
        case Code::ExpectedColon: return "expected `:`";
        case Code::ExpectedListCommaOrEnd: return "expected `,` or `]`";
        case Code::ExpectedObjectCommaOrEnd: return "expected `,` or `}`";
        case Code::ExpectedSomeIdent: return "expected ident";
        case Code::ExpectedSomeValue: return "expected value";
        case Code::ExpectedDoubleQuote: return "expected `\"`";
        case Code::InvalidEscape: return "invalid escape";
        case Code::InvalidNumber: return "invalid number";
        case Code::NumberOutOfRange: return "number out of range";
        case Code::InvalidUnicodeCodePoint: return "invalid unicode code point";
        case Code::ControlCharacterWhileParsingString:
            return "control character (\\u0000-\\u001F) found while parsing a string";
        case Code::KeyMustBeAString: return "key must be a string";
        case Code::LoneLeadingSurrogateInHexEscape: return "lone leading surrogate in hex escape";
        case Code::TrailingComma: return "trailing comma";
        case Code::TrailingCharacters: return "trailing characters";
        case Code::UnexpectedEndOfHexEscape: return "unexpected end of hex escape";
        case Code::RecursionLimitExceeded: return "recursion limit exceeded";
    }
    return "unknown error";
}

std::string with_position(const Error& e, std::string_view text) {
    if (!e.offset) return e.message;
    std::size_t at = std::min(*e.offset, text.size());
    std::size_t line = 1, line_start = 0;
    for (std::size_t i = 0; i < at; ++i) {
        if (text[i] == '\n') {
            ++line;
            line_start = i + 1;
        }
    }
    return e.message + " at line " + std::to_string(line) + " column " + std::to_string(at - line_start);
}

}  // namespace plenko::json
