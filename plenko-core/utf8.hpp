#pragma once

#include <string>
#include <string_view>

namespace plenko {

void append_utf8(std::string& out, unsigned code_point);
// Well-formed UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF.
bool valid_utf8(std::string_view s);
// The Unicode White_Space characters at both ends removed.
std::string_view trim_unicode_space(std::string_view s);

}  // namespace plenko
