#include "plenko-core/decode_messages.hpp"

#include "plenko-core/json_writer.hpp"

namespace plenko::schema {

std::string describe(const json::Number& n) {
    switch (n.kind) {
        case json::Number::Kind::PosInt: return "integer `" + std::to_string(n.u) + "`";
        case json::Number::Kind::NegInt: return "integer `" + std::to_string(n.i) + "`";
        case json::Number::Kind::Float: return "floating point `" + json::number_text(n.f) + "`";
    }
    return {};
}

std::string describe_string(std::string_view s) {
    static const char hex[] = "0123456789abcdef";
    std::string m = "string \"";
    auto escape_code = [&](unsigned cp) {
        m.append("\\u{");
        if (cp >= 0x10) m.push_back(hex[cp >> 4]);
        m.push_back(hex[cp & 0xF]);
        m.push_back('}');
    };
    for (std::size_t i = 0; i < s.size();) {
        unsigned char c = static_cast<unsigned char>(s[i]);
        if (c >= 0x80) {
            std::size_t len = 1;
            while (i + len < s.size() && (static_cast<unsigned char>(s[i + len]) & 0xC0) == 0x80) ++len;
            // C1 controls are the two-byte sequences C2 80 .. C2 9F.
            unsigned char d = len == 2 ? static_cast<unsigned char>(s[i + 1]) : 0;
            if (c == 0xC2 && d >= 0x80 && d <= 0x9F)
                escape_code(d);
            else
                m.append(s.data() + i, len);
            i += len;
            continue;
        }
        switch (c) {
            case '"': m.append("\\\""); break;
            case '\\': m.append("\\\\"); break;
            case '\n': m.append("\\n"); break;
            case '\t': m.append("\\t"); break;
            case '\r': m.append("\\r"); break;
            case '\0': m.append("\\0"); break;
            default:
                if (c < 0x20 || c == 0x7F)
                    escape_code(c);
                else
                    m.push_back(static_cast<char>(c));
        }
        ++i;
    }
    m.push_back('"');
    return m;
}

std::string describe(json::JsonView v) {
    using T = json::JsonView::Type;
    switch (v.type()) {
        case T::Null: return "null";
        case T::Bool: return v.boolean() ? "boolean `true`" : "boolean `false`";
        case T::Number: return describe(v.number());
        case T::String: return describe_string(v.string());
        case T::Array: return "sequence";
        case T::Object: return "map";
    }
    return {};
}

json::Error invalid_type(const std::string& found, std::string_view expected) {
    return json::Error::custom("invalid type: " + found + ", expected " + std::string(expected));
}

json::Error invalid_value(const std::string& found, std::string_view expected) {
    return json::Error::custom("invalid value: " + found + ", expected " + std::string(expected));
}

json::Error invalid_length(std::size_t n, std::string_view expected) {
    return json::Error::custom("invalid length " + std::to_string(n) + ", expected " + std::string(expected));
}

json::Error missing_field(std::string_view name) {
    return json::Error::custom("missing field `" + std::string(name) + "`");
}

json::Error duplicate_field(std::string_view name) {
    return json::Error::custom("duplicate field `" + std::string(name) + "`");
}

}  // namespace plenko::schema
