// One command text in, one response text out.

#include "plenko-core/commands.hpp"
#include "plenko-core/engine.hpp"
#include "plenko-core/engine_state.hpp"
#include "plenko-core/json_scanner.hpp"
#include "plenko-core/member_readers.hpp"
#include "plenko-core/responses.hpp"

namespace plenko {

namespace {

using Response = Expected<std::string, EngineError>;

Response label_command(EngineState& state, const json::MemberTable& cmd) {
    auto ts = integer_member(cmd, "ts");
    if (!ts) return unexpected(std::move(ts).error());
    auto label = string_member(cmd, "label");
    if (!label) return unexpected(std::move(label).error());
    set_index_label(state, *ts, *label);
    state.labels[*ts] = std::move(*label);
    return ok_response();
}

Response set_spec_command(EngineState& state, const json::MemberTable& cmd) {
    auto member = any_member(cmd, "spec");
    if (!member) return unexpected(std::move(member).error());
    auto spec = decode_spec_value(*member);
    if (!spec) return unexpected(std::move(spec).error());
    if (auto dim = validate_spec(*spec); !dim) return unexpected(std::move(dim).error());
    state.spec = std::move(*spec);
    state.index.reset();
    return ok_response();
}

Response dispatch(EngineState& state, const json::MemberTable& cmd, bool is_object) {
    json::JsonView name;
    if (!is_object || !cmd.find_last("cmd", name) || name.type() != json::JsonView::Type::String) {
        return unexpected(EngineError::bad_spec("missing \"cmd\""));
    }
    if (name.string_is("index")) {
        auto history = any_member(cmd, "history");
        if (!history) return unexpected(std::move(history).error());
        auto candles = decode_candles(*history);
        if (!candles) return unexpected(std::move(candles).error());
        return index_command(state, *candles);
    }
    if (name.string_is("label")) return label_command(state, cmd);
    if (name.string_is("match")) {
        auto current = any_member(cmd, "current");
        if (!current) return unexpected(std::move(current).error());
        auto candles = decode_candles(*current);
        if (!candles) return unexpected(std::move(candles).error());
        auto k = unsigned_member(cmd, "k");
        if (!k) return unexpected(std::move(k).error());
        return match_command(state, *candles, *k);
    }
    if (name.string_is("reset")) {
        state.index.reset();
        state.labels.clear();
        return ok_response();
    }
    if (name.string_is("version")) return version_response();
    if (name.string_is("set_spec")) return set_spec_command(state, cmd);
    return unexpected(EngineError::bad_spec("unknown cmd: " + name.string()));
}

// Checks an object as any value would be checked, keeping where each member
// lies.
bool scan_command_object(json::Scanner& sc, json::MemberTable& table) {
    if (!sc.enter()) return sc.peek_fail(json::Code::RecursionLimitExceeded);
    sc.eat();
    bool first = true, more = false;
    std::string key;
    for (;;) {
        if (!sc.next_key(first, more, &key)) return false;
        if (!more) break;
        if (!sc.parse_object_colon()) return false;
        sc.parse_whitespace();
        const char* begin = sc.data() + sc.index();
        if (!sc.skip_value()) return false;
        table.items.emplace_back(key, json::JsonView(begin, sc.data() + sc.index()));
    }
    sc.leave();
    return sc.end_map();
}

}  // namespace

std::string run_command(EngineState& state, std::string_view cmd_text) {
    json::Scanner sc(cmd_text);
    json::MemberTable cmd;
    auto first = sc.parse_whitespace();
    const bool is_object = first && *first == '{';
    bool ok = is_object ? scan_command_object(sc, cmd) : sc.skip_value();
    if (!ok || !sc.end_of_text())
        return error_response(EngineError::parse(json::with_position(sc.failure(), cmd_text)));
    Response r = dispatch(state, cmd, is_object);
    if (!r) return error_response(r.error());
    return std::move(*r);
}

}  // namespace plenko
