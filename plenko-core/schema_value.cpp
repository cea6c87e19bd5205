#include <optional>

#include "plenko-core/candle_fast_path.hpp"
#include "plenko-core/decode_messages.hpp"
#include "plenko-core/schema_decode.hpp"
#include "plenko-core/schema_names.hpp"

namespace plenko::schema {

namespace {

using T = JsonView::Type;

Expected<std::string, Error> string_value(JsonView v) {
    if (v.type() != T::String) return unexpected(invalid_type(describe(v), "a string"));
    return v.string();
}

Expected<std::optional<std::string>, Error> optional_string_value(JsonView v) {
    if (v.is_null()) return std::optional<std::string>{};
    auto s = string_value(v);
    if (!s) return unexpected(std::move(s).error());
    return std::optional<std::string>(std::move(*s));
}

Expected<std::vector<double>, Error> params_value(JsonView v) {
    if (v.type() != T::Array) return unexpected(invalid_type(describe(v), "a sequence"));
    std::vector<double> out;
    auto it = v.elements();
    JsonView e;
    while (it.next(e)) {
        auto x = f64_value(e);
        if (!x) return unexpected(std::move(x).error());
        out.push_back(*x);
    }
    return out;
}

// Marks a member as seen, failing on its second appearance.
bool first_sighting(bool& seen) {
    if (seen) return false;
    seen = true;
    return true;
}

constexpr std::string_view kCandle = "struct Candle with 6 elements";
constexpr std::string_view kSpec = "struct FingerprintSpec with 4 elements";

std::string_view variant_expectation(FeatureKind k) {
    switch (k) {
        case FeatureKind::Indicator: return "struct variant Feature::Indicator with 3 elements";
        case FeatureKind::Price: return "struct variant Feature::Price with 1 element";
        case FeatureKind::Microstructure: return "struct variant Feature::Microstructure with 3 elements";
    }
    return {};
}

}  // namespace

Expected<double, Error> f64_value(JsonView v) {
    if (v.type() != T::Number) return unexpected(invalid_type(describe(v), "f64"));
    return v.number().as_double();
}

Expected<std::int64_t, Error> i64_value(JsonView v) {
    if (v.type() != T::Number) return unexpected(invalid_type(describe(v), "i64"));
    json::Number n = v.number();
    switch (n.kind) {
        case json::Number::Kind::PosInt:
            if (n.u > static_cast<std::uint64_t>(INT64_MAX)) return unexpected(invalid_value(describe(n), "i64"));
            return static_cast<std::int64_t>(n.u);
        case json::Number::Kind::NegInt: return n.i;
        case json::Number::Kind::Float: break;
    }
    return unexpected(invalid_type(describe(n), "i64"));
}

Expected<std::uint64_t, Error> usize_value(JsonView v) {
    if (v.type() != T::Number) return unexpected(invalid_type(describe(v), "usize"));
    json::Number n = v.number();
    switch (n.kind) {
        case json::Number::Kind::PosInt: return n.u;
        case json::Number::Kind::NegInt: return unexpected(invalid_value(describe(n), "usize"));
        case json::Number::Kind::Float: break;
    }
    return unexpected(invalid_type(describe(n), "usize"));
}

Expected<int, Error> enum_value(JsonView v, const std::string_view* names, std::size_t count) {
    auto lookup = [&](const std::string& s) -> Expected<int, Error> {
        for (std::size_t i = 0; i < count; ++i)
            if (names[i] == s) return static_cast<int>(i);
        std::vector<std::string_view> list(names, names + count);
        return unexpected(unknown_variant(s, list));
    };
    if (v.type() == T::String) return lookup(v.string());
    if (v.type() != T::Object) return unexpected(invalid_type(describe(v), "string or map"));
    auto members = v.members();
    std::string_view key;
    JsonView value;
    if (!members.next(key, value)) return unexpected(invalid_value("map", "map with a single key"));
    {
        std::string_view k2;
        JsonView v2;
        if (members.next(k2, v2)) return unexpected(invalid_value("map", "map with a single key"));
    }
    auto idx = lookup(json::decode_key(key));
    if (!idx) return idx;
    if (!value.is_null()) return unexpected(invalid_type(describe(value), "unit"));
    return idx;
}

Expected<FeatureKind, Error> feature_kind_value(JsonView v) {
    if (v.type() != T::String) return unexpected(invalid_type(describe(v), "variant identifier"));
    std::string s = v.string();
    auto i = variant_index(kFeatureKindNames, s);
    if (!i) return unexpected(unknown_variant(s, kFeatureKindNames));
    return static_cast<FeatureKind>(*i);
}

Expected<Feature, Error> feature_variant(FeatureKind kind, JsonView element) {
    Feature f;
    f.kind = kind;
    const bool price = kind == FeatureKind::Price;
    if (element.type() == T::Array) {
        auto it = element.elements();
        JsonView e;
        it.next(e);  // the kind
        std::size_t total = 1;
        std::size_t members = price ? 1 : 3;
        for (std::size_t i = 0; i < members; ++i) {
            if (!it.next(e)) {
                if (i == 0) return unexpected(invalid_length(0, variant_expectation(kind)));
                break;
            }
            ++total;
            if (price) {
                auto pf = enum_value(e, kPriceFieldNames);
                if (!pf) return unexpected(std::move(pf).error());
                f.price_field = static_cast<PriceField>(*pf);
            } else if (i == 0) {
                auto s = string_value(e);
                if (!s) return unexpected(std::move(s).error());
                f.name = std::move(*s);
            } else if (i == 1) {
                auto p = params_value(e);
                if (!p) return unexpected(std::move(p).error());
                f.params = std::move(*p);
            } else {
                auto s = optional_string_value(e);
                if (!s) return unexpected(std::move(s).error());
                f.field = std::move(*s);
            }
        }
        if (std::size_t extra = it.count(); extra > 0)
            return unexpected(invalid_length(total + extra, "fewer elements in array"));
        return f;
    }
    bool seen_name = false, seen_params = false, seen_field = false, skipped_kind = false;
    auto it = element.members();
    std::string_view key;
    JsonView value;
    while (it.next(key, value)) {
        if (!skipped_kind && json::key_is(key, "kind")) {
            skipped_kind = true;
            continue;
        }
        if (json::key_is(key, "field")) {
            if (!first_sighting(seen_field)) return unexpected(duplicate_field("field"));
            if (price) {
                auto pf = enum_value(value, kPriceFieldNames);
                if (!pf) return unexpected(std::move(pf).error());
                f.price_field = static_cast<PriceField>(*pf);
            } else {
                auto s = optional_string_value(value);
                if (!s) return unexpected(std::move(s).error());
                f.field = std::move(*s);
            }
        } else if (!price && json::key_is(key, "name")) {
            if (!first_sighting(seen_name)) return unexpected(duplicate_field("name"));
            auto s = string_value(value);
            if (!s) return unexpected(std::move(s).error());
            f.name = std::move(*s);
        } else if (!price && json::key_is(key, "params")) {
            if (!first_sighting(seen_params)) return unexpected(duplicate_field("params"));
            auto p = params_value(value);
            if (!p) return unexpected(std::move(p).error());
            f.params = std::move(*p);
        }
    }
    if (price && !seen_field) return unexpected(missing_field("field"));
    if (!price && !seen_name) return unexpected(missing_field("name"));
    return f;
}

Expected<Feature, Error> feature_value(JsonView v) {
    std::optional<FeatureKind> kind;
    if (v.type() == T::Array) {
        auto it = v.elements();
        JsonView first;
        if (!it.next(first)) return unexpected(missing_field("kind"));
        auto k = feature_kind_value(first);
        if (!k) return unexpected(std::move(k).error());
        kind = *k;
    } else if (v.type() == T::Object) {
        auto it = v.members();
        std::string_view key;
        JsonView value;
        while (it.next(key, value)) {
            if (!json::key_is(key, "kind")) continue;
            if (kind) return unexpected(duplicate_field("kind"));
            auto k = feature_kind_value(value);
            if (!k) return unexpected(std::move(k).error());
            kind = *k;
        }
        if (!kind) return unexpected(missing_field("kind"));
    } else {
        return unexpected(invalid_type(describe(v), "internally tagged enum Feature"));
    }
    return feature_variant(*kind, v);
}

Expected<std::vector<Feature>, Error> features_value(JsonView v) {
    if (v.type() != T::Array) return unexpected(invalid_type(describe(v), "a sequence"));
    std::vector<Feature> out;
    auto it = v.elements();
    JsonView e;
    while (it.next(e)) {
        auto f = feature_value(e);
        if (!f) return unexpected(std::move(f).error());
        out.push_back(std::move(*f));
    }
    return out;
}

Expected<Candle, Error> candle_value(JsonView v) {
    Candle c;
    double* prices[] = {&c.open, &c.high, &c.low, &c.close, &c.volume};
    if (v.type() == T::Array) {
        auto it = v.elements();
        JsonView e;
        std::size_t got = 0;
        if (!it.next(e)) return unexpected(invalid_length(0, kCandle));
        auto t = i64_value(e);
        if (!t) return unexpected(std::move(t).error());
        c.time = *t;
        got = 1;
        for (std::size_t i = 0; i < 5; ++i) {
            if (!it.next(e)) {
                if (i < 4) return unexpected(invalid_length(got, kCandle));
                break;
            }
            auto x = f64_value(e);
            if (!x) return unexpected(std::move(x).error());
            *prices[i] = *x;
            ++got;
        }
        if (std::size_t extra = it.count(); extra > 0)
            return unexpected(invalid_length(got + extra, "fewer elements in array"));
        return c;
    }
    if (v.type() != T::Object) return unexpected(invalid_type(describe(v), "struct Candle"));
    static constexpr std::string_view names[] = {"time", "open", "high", "low", "close", "volume"};
    bool seen[6] = {};
    auto it = v.members();
    std::string_view key;
    JsonView value;
    while (it.next(key, value)) {
        int which = -1;
        for (int i = 0; i < 6; ++i)
            if (json::key_is(key, names[i])) which = i;
        if (which < 0) continue;
        if (!first_sighting(seen[which])) return unexpected(duplicate_field(names[which]));
        if (which == 0) {
            auto t = i64_value(value);
            if (!t) return unexpected(std::move(t).error());
            c.time = *t;
        } else {
            auto x = f64_value(value);
            if (!x) return unexpected(std::move(x).error());
            *prices[which - 1] = *x;
        }
    }
    for (int i = 0; i < 5; ++i)
        if (!seen[i]) return unexpected(missing_field(names[i]));
    return c;
}

Expected<FingerprintSpec, Error> spec_value(JsonView v) {
    FingerprintSpec spec;
    auto apply = [&](int member, JsonView value) -> Expected<void, Error> {
        switch (member) {
            case 0: {
                auto f = features_value(value);
                if (!f) return unexpected(std::move(f).error());
                spec.features = std::move(*f);
                break;
            }
            case 1: {
                auto w = usize_value(value);
                if (!w) return unexpected(std::move(w).error());
                spec.window = *w;
                break;
            }
            case 2: {
                auto n = enum_value(value, kNormalizeNames);
                if (!n) return unexpected(std::move(n).error());
                spec.normalize = static_cast<NormalizeMode>(*n);
                break;
            }
            default: {
                auto m = enum_value(value, kMetricNames);
                if (!m) return unexpected(std::move(m).error());
                spec.metric = static_cast<Metric>(*m);
            }
        }
        return {};
    };
    if (v.type() == T::Array) {
        auto it = v.elements();
        JsonView e;
        int got = 0;
        while (got < 4 && it.next(e)) {
            if (auto r = apply(got, e); !r) return unexpected(std::move(r).error());
            ++got;
        }
        if (got == 0) return unexpected(invalid_length(0, kSpec));
        if (std::size_t extra = it.count(); extra > 0)
            return unexpected(invalid_length(static_cast<std::size_t>(got) + extra, "fewer elements in array"));
        return spec;
    }
    if (v.type() != T::Object) return unexpected(invalid_type(describe(v), "struct FingerprintSpec"));
    static constexpr std::string_view names[] = {"features", "window", "normalize", "metric"};
    bool seen[4] = {};
    auto it = v.members();
    std::string_view key;
    JsonView value;
    while (it.next(key, value)) {
        for (int i = 0; i < 4; ++i) {
            if (!json::key_is(key, names[i])) continue;
            if (!first_sighting(seen[i])) return unexpected(duplicate_field(names[i]));
            if (auto r = apply(i, value); !r) return unexpected(std::move(r).error());
        }
    }
    if (!seen[0]) return unexpected(missing_field("features"));
    return spec;
}

}  // namespace plenko::schema

namespace plenko {

Expected<FingerprintSpec, EngineError> decode_spec_value(json::JsonView value) {
    auto s = schema::spec_value(value);
    if (!s) return unexpected(EngineError::parse(std::move(s).error().message));
    return std::move(*s);
}

Expected<std::vector<Candle>, EngineError> decode_candles(json::JsonView value) {
    if (value.type() != json::JsonView::Type::Array)
        return unexpected(EngineError::parse(schema::invalid_type(schema::describe(value), "a sequence").message));
    std::vector<Candle> out;
    const char* end = value.text_end();
    auto ws = [end](const char* p) { return json::skip_ws(p, end); };
    const char* p = ws(value.begin() + 1);
    while (p < end && *p != ']') {
        Candle c;
        const char* next = nullptr;
        if (!json::read_plain_candle(p, end, c, next)) {
            json::JsonView e(p, end);
            auto slow = schema::candle_value(e);
            if (!slow) return unexpected(EngineError::parse(std::move(slow).error().message));
            c = *slow;
            next = e.value_end();
        }
        out.push_back(c);
        p = ws(next);
        if (p < end && *p == ',') p = ws(p + 1);
    }
    return out;
}

Expected<std::uint64_t, EngineError> validate_spec(const FingerprintSpec& spec) {
    if (spec.features.empty()) return unexpected(EngineError::bad_spec("features is empty"));
    if (spec.window == 0) return unexpected(EngineError::bad_spec("window must be >= 1"));
    std::uint64_t f = spec.features.size(), dim = 0;
    if (__builtin_mul_overflow(f, spec.window, &dim)) dim = UINT64_MAX;
    if (dim > MAX_DIM)
        return unexpected(EngineError::bad_spec("dimension " + std::to_string(dim) + " exceeds MAX_DIM " +
                                                std::to_string(MAX_DIM)));
    return dim;
}

}  // namespace plenko
