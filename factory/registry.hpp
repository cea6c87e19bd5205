#pragma once
// The indicator table is data: every family folder owns a registration file
// that adds one row per indicator name through make_row. A row tells the
// factory how to read the positional parameters, which input the indicator
// reads, which named outputs it reports, a typical parameter list (used by
// the contract test and shown by describe) and how to construct it.
//
//   // indicators/moving_averages/register.cpp
//   void register_moving_averages(FamilyRows& rows) {
//       rows.add(make_row<Sma, InputKind::Close, ParamKind::Usize>(
//           "Sma", {14}, "plain mean of the last n closes"));
//   }
//
// make_row calls Ind::create(args...) with the values read, in order
// (size_t for Usize, double for F64, int32_t for I32, uint32_t for U32).
// make_row_with takes a captureless lambda instead, for types whose create
// needs extra arguments or that back several names.

#include <array>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <span>
#include <string_view>
#include <type_traits>
#include <utility>
#include <vector>

#include "indicators/adapters.hpp"
#include "indicators/evaluator.hpp"
#include "indicators/expected.hpp"
#include "indicators/indicator_error.hpp"
#include "indicators/input_kind.hpp"

namespace plenko {

enum class ParamKind { F64, Usize, I32, U32 };

constexpr std::string_view param_kind_name(ParamKind k) {
    switch (k) {
        case ParamKind::F64: return "f64";
        case ParamKind::Usize: return "usize";
        case ParamKind::I32: return "i32";
        case ParamKind::U32: return "u32";
    }
    return "unknown";
}

// One parameter after its reader ran; only the member of its kind is set.
struct ParamValue {
    double f64 = 0.0;
    std::size_t usize = 0;
    std::int32_t i32 = 0;
    std::uint32_t u32 = 0;
};

inline constexpr std::size_t kMaxParams = 12;

struct ParamValues {
    std::array<ParamValue, kMaxParams> values{};
    std::size_t count = 0;
};

using BuildResult = Expected<std::unique_ptr<Evaluator>, IndicatorError>;
using BuildFn = BuildResult (*)(const ParamValues&);

struct IndicatorRow {
    std::string_view name;
    std::vector<ParamKind> params;
    InputKind input = InputKind::Close;
    std::vector<std::string_view> fields;
    std::vector<double> typical;
    std::string_view definition;
    std::string_view family;  // filled in by FamilyRows::add
    BuildFn build = nullptr;
};

namespace detail {

template <ParamKind P>
auto param_as(const ParamValue& v) {
    if constexpr (P == ParamKind::F64) return v.f64;
    else if constexpr (P == ParamKind::Usize) return v.usize;
    else if constexpr (P == ParamKind::I32) return v.i32;
    else return v.u32;
}

template <class T>
struct IsExpected : std::false_type {};
template <class T, class E>
struct IsExpected<Expected<T, E>> : std::true_type {};

template <class Ind, InputKind K, class R>
BuildResult wrap_built(R&& made) {
    if constexpr (IsExpected<std::remove_cvref_t<R>>::value) {
        if (!made) return unexpected(made.error());
        return std::unique_ptr<Evaluator>(std::make_unique<Adapted<K, Ind>>(std::move(*made)));
    } else {
        return std::unique_ptr<Evaluator>(std::make_unique<Adapted<K, Ind>>(std::forward<R>(made)));
    }
}

template <class Ind>
std::vector<std::string_view> static_field_names() {
    if constexpr (HasStaticFieldNames<Ind>) {
        const std::span<const std::string_view> names(Ind::field_names);
        return {names.begin(), names.end()};
    } else {
        return {};
    }
}

template <class Ind, InputKind K, class F, ParamKind... Ps>
struct RowBuild {
    static BuildResult build(const ParamValues& p) { return go(p, std::make_index_sequence<sizeof...(Ps)>{}); }

    template <std::size_t... I>
    static BuildResult go(const ParamValues& p, std::index_sequence<I...>) {
        return wrap_built<Ind, K>(F{}(param_as<Ps>(p.values[I])...));
    }
};

template <class Ind>
struct CallCreate {
    template <class... A>
    auto operator()(A... a) const { return Ind::create(a...); }
};

}  // namespace detail

template <class Ind, InputKind K, ParamKind... Ps, class F>
IndicatorRow make_row_with(std::string_view name, std::initializer_list<double> typical,
                           std::string_view definition, F) {
    static_assert(sizeof...(Ps) <= kMaxParams, "raise kMaxParams");
    static_assert(std::is_empty_v<F> && std::is_default_constructible_v<F>,
                  "the constructor must be a captureless lambda");
    IndicatorRow row;
    row.name = name;
    row.params = {Ps...};
    row.input = K;
    row.fields = detail::static_field_names<Ind>();
    row.typical = typical;
    row.definition = definition;
    row.build = &detail::RowBuild<Ind, K, F, Ps...>::build;
    return row;
}

template <class Ind, InputKind K, ParamKind... Ps>
IndicatorRow make_row(std::string_view name, std::initializer_list<double> typical, std::string_view definition) {
    return make_row_with<Ind, K, Ps...>(name, typical, definition, detail::CallCreate<Ind>{});
}

// The rows one family adds; the factory's family list names the family.
class FamilyRows {
public:
    FamilyRows(std::vector<IndicatorRow>& rows, std::string_view family) : rows_(rows), family_(family) {}

    void add(IndicatorRow row) {
        row.family = family_;
        rows_.push_back(std::move(row));
    }

private:
    std::vector<IndicatorRow>& rows_;
    std::string_view family_;
};

}  // namespace plenko
