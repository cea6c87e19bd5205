// The specification read straight from the constructor's text. Scalars are
// checked as they are read, so their failures point just past them; a
// failure found while interpreting a whole array or object points past the
// end of the container that was being read when it surfaced.

#include <optional>

#include "plenko-core/decode_messages.hpp"
#include "plenko-core/json_scanner.hpp"
#include "plenko-core/schema_decode.hpp"
#include "plenko-core/schema_names.hpp"

namespace plenko::schema {

namespace {

using json::Code;
using json::Scanner;
using Status = Expected<void, Error>;

template <class V>
Expected<V, Error> fail(Error e) {
    return unexpected(std::move(e));
}

// A value of the wrong kind where `expected` was wanted; scalars are read
// first so the failure points past them.
Error invalid_type_here(Scanner& sc, std::string_view expected) {
    auto c = sc.peek();
    std::string found;
    switch (c ? *c : 0) {
        case 'n':
        case 't':
        case 'f': {
            sc.eat();
            std::string_view rest = *c == 'n' ? "ull" : *c == 't' ? "rue" : "alse";
            if (!sc.parse_ident(rest)) return sc.failure();
            found = *c == 'n' ? "null" : *c == 't' ? "boolean `true`" : "boolean `false`";
            break;
        }
        case '"': {
            sc.eat();
            std::string s;
            if (!sc.parse_string(&s)) return sc.failure();
            found = describe_string(s);
            break;
        }
        case '[': found = "sequence"; break;
        case '{': found = "map"; break;
        default: {
            bool negative = c && *c == '-';
            if (!negative && !(c && *c >= '0' && *c <= '9')) return sc.peek_error(Code::ExpectedSomeValue);
            if (negative) sc.eat();
            json::Number n;
            if (!sc.parse_number(!negative, &n)) return sc.failure();
            found = describe(n);
        }
    }
    return invalid_type(found, expected).fix_offset(sc.index());
}

Expected<std::string, Error> read_string_member(Scanner& sc, std::string_view expected) {
    auto c = sc.parse_whitespace();
    if (!c) return fail<std::string>(sc.peek_error(Code::EofWhileParsingValue));
    if (*c != '"') return fail<std::string>(invalid_type_here(sc, expected));
    sc.eat();
    std::string s;
    if (!sc.parse_string(&s)) return fail<std::string>(sc.failure());
    return s;
}

template <std::size_t N>
Expected<int, Error> identifier(Scanner& sc, const std::array<std::string_view, N>& names) {
    auto s = read_string_member(sc, "variant identifier");
    if (!s) return fail<int>(std::move(s).error());
    auto i = variant_index(names, *s);
    if (!i) return fail<int>(unknown_variant(*s, names).fix_offset(sc.index()));
    return *i;
}

Expected<std::uint64_t, Error> window_member(Scanner& sc) {
    auto c = sc.parse_whitespace();
    if (!c) return fail<std::uint64_t>(sc.peek_error(Code::EofWhileParsingValue));
    bool negative = *c == '-';
    if (!negative && !(*c >= '0' && *c <= '9')) return fail<std::uint64_t>(invalid_type_here(sc, "usize"));
    if (negative) sc.eat();
    json::Number n;
    if (!sc.parse_number(!negative, &n)) return fail<std::uint64_t>(sc.failure());
    if (n.kind == json::Number::Kind::PosInt) return n.u;
    Error e = n.kind == json::Number::Kind::NegInt ? invalid_value(describe(n), "usize")
                                                    : invalid_type(describe(n), "usize");
    return fail<std::uint64_t>(std::move(e).fix_offset(sc.index()));
}

// `normalize` and `metric`: a name, or {"name": null}.
template <std::size_t N>
Expected<int, Error> enum_member(Scanner& sc, const std::array<std::string_view, N>& names) {
    auto c = sc.parse_whitespace();
    if (!c) return fail<int>(sc.peek_error(Code::EofWhileParsingValue));
    if (*c == '"') return identifier(sc, names);
    if (*c != '{') return fail<int>(sc.peek_error(Code::ExpectedSomeValue));
    if (!sc.enter()) return fail<int>(sc.peek_error(Code::RecursionLimitExceeded));
    sc.eat();
    auto idx = identifier(sc, names);
    if (!idx) return idx;
    if (!sc.parse_object_colon()) return fail<int>(sc.failure());
    auto u = sc.parse_whitespace();
    if (!u) return fail<int>(sc.peek_error(Code::EofWhileParsingValue));
    if (*u != 'n') return fail<int>(invalid_type_here(sc, "unit"));
    sc.eat();
    if (!sc.parse_ident("ull")) return fail<int>(sc.failure());
    sc.leave();
    auto close = sc.parse_whitespace();
    if (!close) return fail<int>(sc.error(Code::EofWhileParsingObject));
    if (*close != '}') return fail<int>(sc.error(Code::ExpectedSomeValue));
    sc.eat();
    return idx;
}

// One element of `features`. Its kind is checked while it is read; the rest
// of its members are interpreted once the whole element has been read.
Expected<Feature, Error> feature_member(Scanner& sc) {
    auto c = sc.parse_whitespace();
    if (!c) return fail<Feature>(sc.peek_error(Code::EofWhileParsingValue));
    if (*c != '[' && *c != '{') {
        const bool scalar = *c == 'n' || *c == 't' || *c == 'f' || *c == '"' || *c == '-' ||
                            (*c >= '0' && *c <= '9');
        if (!scalar) return fail<Feature>(sc.peek_error(Code::ExpectedSomeValue));
        return fail<Feature>(invalid_type_here(sc, "internally tagged enum Feature"));
    }
    const bool array = *c == '[';
    const std::size_t start = sc.index();
    if (!sc.enter()) return fail<Feature>(sc.peek_error(Code::RecursionLimitExceeded));
    sc.eat();
    std::optional<FeatureKind> kind;
    auto fail_here = [&](Error e) {
        sc.leave();
        if (array)
            sc.end_seq_after_error();
        else
            sc.end_map_after_error();
        return fail<Feature>(std::move(e).fix_offset(sc.index()));
    };
    bool first = true, more = false;
    if (array) {
        if (!sc.next_element(first, more)) return fail<Feature>(sc.failure());
        if (!more) return fail_here(missing_field("kind"));
        auto k = identifier(sc, kFeatureKindNames);
        if (!k) return fail<Feature>(std::move(k).error());
        kind = static_cast<FeatureKind>(*k);
        for (;;) {
            if (!sc.next_element(first, more)) return fail<Feature>(sc.failure());
            if (!more) break;
            if (!sc.skip_value()) return fail<Feature>(sc.failure());
        }
    } else {
        std::string key;
        for (;;) {
            if (!sc.next_key(first, more, &key)) return fail<Feature>(sc.failure());
            if (!more) break;
            const bool is_kind = key == "kind";
            if (is_kind && kind) return fail_here(duplicate_field("kind"));
            if (!sc.parse_object_colon()) return fail<Feature>(sc.failure());
            if (is_kind) {
                auto k = identifier(sc, kFeatureKindNames);
                if (!k) return fail<Feature>(std::move(k).error());
                kind = static_cast<FeatureKind>(*k);
            } else if (!sc.skip_value()) {
                return fail<Feature>(sc.failure());
            }
        }
        if (!kind) return fail_here(missing_field("kind"));
    }
    sc.leave();
    if (!(array ? sc.end_seq() : sc.end_map())) return fail<Feature>(sc.failure());
    return feature_variant(*kind, JsonView(sc.data() + start, sc.data() + sc.size()));
}

Expected<std::vector<Feature>, Error> features_member(Scanner& sc) {
    auto c = sc.parse_whitespace();
    if (!c) return fail<std::vector<Feature>>(sc.peek_error(Code::EofWhileParsingValue));
    if (*c != '[') return fail<std::vector<Feature>>(invalid_type_here(sc, "a sequence"));
    if (!sc.enter()) return fail<std::vector<Feature>>(sc.peek_error(Code::RecursionLimitExceeded));
    sc.eat();
    std::vector<Feature> out;
    bool first = true, more = false;
    for (;;) {
        if (!sc.next_element(first, more)) return fail<std::vector<Feature>>(sc.failure());
        if (!more) break;
        auto f = feature_member(sc);
        if (!f) {
            Error e = std::move(f).error();
            if (!e.offset) {
                sc.leave();
                sc.end_seq_after_error();
                e.offset = sc.index();
            }
            return fail<std::vector<Feature>>(std::move(e));
        }
        out.push_back(std::move(*f));
    }
    sc.leave();
    if (!sc.end_seq()) return fail<std::vector<Feature>>(sc.failure());
    return out;
}

// Reads member `which` of the specification into `spec`.
Status spec_member(Scanner& sc, int which, FingerprintSpec& spec) {
    switch (which) {
        case 0: {
            auto f = features_member(sc);
            if (!f) return unexpected(std::move(f).error());
            spec.features = std::move(*f);
            return {};
        }
        case 1: {
            auto w = window_member(sc);
            if (!w) return unexpected(std::move(w).error());
            spec.window = *w;
            return {};
        }
        case 2: {
            auto n = enum_member(sc, kNormalizeNames);
            if (!n) return unexpected(std::move(n).error());
            spec.normalize = static_cast<NormalizeMode>(*n);
            return {};
        }
        default: {
            auto m = enum_member(sc, kMetricNames);
            if (!m) return unexpected(std::move(m).error());
            spec.metric = static_cast<Metric>(*m);
            return {};
        }
    }
}

Status spec_fields_array(Scanner& sc, FingerprintSpec& spec) {
    bool first = true, more = false;
    for (int which = 0; which < 4; ++which) {
        if (!sc.next_element(first, more)) return unexpected(sc.failure());
        if (!more) {
            if (which == 0) return unexpected(invalid_length(0, "struct FingerprintSpec with 4 elements"));
            return {};
        }
        if (auto r = spec_member(sc, which, spec); !r) return r;
    }
    return {};
}

Status spec_fields_object(Scanner& sc, FingerprintSpec& spec) {
    static constexpr std::string_view names[] = {"features", "window", "normalize", "metric"};
    bool seen[4] = {};
    bool first = true, more = false;
    std::string key;
    for (;;) {
        if (!sc.next_key(first, more, &key)) return unexpected(sc.failure());
        if (!more) break;
        int which = -1;
        for (int i = 0; i < 4; ++i)
            if (key == names[i]) which = i;
        if (which >= 0 && seen[which]) return unexpected(duplicate_field(names[which]));
        if (!sc.parse_object_colon()) return unexpected(sc.failure());
        if (which < 0) {
            if (!sc.skip_value()) return unexpected(sc.failure());
            continue;
        }
        seen[which] = true;
        if (auto r = spec_member(sc, which, spec); !r) return r;
    }
    if (!seen[0]) return unexpected(missing_field("features"));
    return {};
}

}  // namespace

}  // namespace plenko::schema

namespace plenko {

Expected<FingerprintSpec, EngineError> decode_spec_text(std::string_view text) {
    using namespace schema;
    json::Scanner sc(text);
    auto failed = [&](json::Error e) { return unexpected(EngineError::parse(json::with_position(e, text))); };
    FingerprintSpec spec;
    auto c = sc.parse_whitespace();
    if (!c) return failed(sc.peek_error(json::Code::EofWhileParsingValue));
    if (*c != '[' && *c != '{') return failed(invalid_type_here(sc, "struct FingerprintSpec"));
    const bool array = *c == '[';
    if (!sc.enter()) return failed(sc.peek_error(json::Code::RecursionLimitExceeded));
    sc.eat();
    auto r = array ? spec_fields_array(sc, spec) : spec_fields_object(sc, spec);
    sc.leave();
    if (!r) {
        json::Error e = std::move(r).error();
        if (!e.offset) {
            if (array)
                sc.end_seq_after_error();
            else
                sc.end_map_after_error();
            e.offset = sc.index();
        }
        return failed(std::move(e));
    }
    if (!(array ? sc.end_seq() : sc.end_map())) return failed(sc.failure());
    if (!sc.end_of_text()) return failed(sc.failure());
    return spec;
}

}  // namespace plenko
