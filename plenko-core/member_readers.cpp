#include "plenko-core/member_readers.hpp"

namespace plenko {

namespace {

EngineError missing(std::string_view what, std::string_view name) {
    std::string m = "missing ";
    m.append(what);
    m.push_back('"');
    m.append(name);
    m.push_back('"');
    return EngineError::bad_spec(std::move(m));
}

}  // namespace

Expected<json::JsonView, EngineError> any_member(const json::MemberTable& cmd, std::string_view name) {
    json::JsonView v;
    if (!cmd.find_last(name, v)) return unexpected(missing("", name));
    return v;
}

Expected<std::int64_t, EngineError> integer_member(const json::MemberTable& cmd, std::string_view name) {
    json::JsonView v;
    if (cmd.find_last(name, v) && v.type() == json::JsonView::Type::Number) {
        json::Number n = v.number();
        if (n.kind == json::Number::Kind::NegInt) return n.i;
        if (n.kind == json::Number::Kind::PosInt && n.u <= static_cast<std::uint64_t>(INT64_MAX))
            return static_cast<std::int64_t>(n.u);
    }
    return unexpected(missing("integer ", name));
}

Expected<std::uint64_t, EngineError> unsigned_member(const json::MemberTable& cmd, std::string_view name) {
    json::JsonView v;
    if (cmd.find_last(name, v) && v.type() == json::JsonView::Type::Number) {
        json::Number n = v.number();
        if (n.kind == json::Number::Kind::PosInt) return n.u;
    }
    return unexpected(missing("unsigned ", name));
}

Expected<std::string, EngineError> string_member(const json::MemberTable& cmd, std::string_view name) {
    json::JsonView v;
    if (cmd.find_last(name, v) && v.type() == json::JsonView::Type::String) return v.string();
    return unexpected(missing("string ", name));
}

}  // namespace plenko
