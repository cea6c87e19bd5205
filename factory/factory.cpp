#include "factory/factory.hpp"

#include <algorithm>
#include <string>

#include "factory/families.hpp"
#include "factory/param_readers.hpp"

namespace plenko {

namespace {

// Accepted names are 2 to 26 bytes long; anything else is unknown at once.
constexpr std::size_t kShortestName = 2;
constexpr std::size_t kLongestName = 26;

constexpr Alias kAliases[] = {
    {"Macd", "MacdIndicator"},
    {"Bollinger", "BollingerBands"},
};

const std::vector<IndicatorRow>& table() {
    static const std::vector<IndicatorRow> rows = [] {
        std::vector<IndicatorRow> r;
        register_families(r);
        std::stable_sort(r.begin(), r.end(),
                         [](const IndicatorRow& a, const IndicatorRow& b) { return a.name < b.name; });
        return r;
    }();
    return rows;
}

const IndicatorRow* lookup_exact(std::string_view name) {
    if (name.size() < kShortestName || name.size() > kLongestName) return nullptr;
    const auto& rows = table();
    auto it = std::lower_bound(rows.begin(), rows.end(), name,
                               [](const IndicatorRow& r, std::string_view n) { return r.name < n; });
    if (it == rows.end() || it->name != name) return nullptr;
    return &*it;
}

}  // namespace

const IndicatorRow* find_row(std::string_view name) {
    if (const IndicatorRow* row = lookup_exact(name)) return row;
    for (const Alias& a : kAliases) {
        if (a.name == name) return lookup_exact(a.target);
    }
    return nullptr;
}

std::span<const IndicatorRow> registered_rows() { return table(); }

std::vector<Alias> registered_aliases() {
    std::vector<Alias> out;
    for (const Alias& a : kAliases) {
        if (lookup_exact(a.target) != nullptr) out.push_back(a);
    }
    return out;
}

Expected<std::unique_ptr<Evaluator>, FactoryError> build_from_row(const IndicatorRow& row, std::string_view name,
                                                                  std::span<const double> params) {
    if (row.build == nullptr || row.params.size() > kMaxParams) {
        return unexpected(FactoryError::unknown_indicator(std::string(name)));
    }
    // Every parameter is read before the constructor runs any check.
    ParamValues values;
    values.count = row.params.size();
    for (std::size_t i = 0; i < row.params.size(); ++i) {
        ParamValue& slot = values.values[i];
        switch (row.params[i]) {
            case ParamKind::F64: {
                auto v = param_f64(params, i, name);
                if (!v) return unexpected(std::move(v.error()));
                slot.f64 = *v;
                break;
            }
            case ParamKind::Usize: {
                auto v = param_usize(params, i, name);
                if (!v) return unexpected(std::move(v.error()));
                slot.usize = *v;
                break;
            }
            case ParamKind::I32: {
                auto v = param_i32(params, i, name);
                if (!v) return unexpected(std::move(v.error()));
                slot.i32 = *v;
                break;
            }
            case ParamKind::U32: {
                auto v = param_u32(params, i, name);
                if (!v) return unexpected(std::move(v.error()));
                slot.u32 = *v;
                break;
            }
        }
    }
    auto built = row.build(values);
    if (!built) return unexpected(FactoryError::invalid_params(std::string(name), built.error().text()));
    return std::move(*built);
}

Expected<std::unique_ptr<Evaluator>, FactoryError> build_evaluator(std::string_view name,
                                                                   std::span<const double> params) {
    const IndicatorRow* row = lookup_exact(name);
    if (row == nullptr) {
        for (const Alias& a : kAliases) {
            if (a.name == name) {
                // From here on the target is the name every message uses.
                row = lookup_exact(a.target);
                break;
            }
        }
    }
    if (row == nullptr) return unexpected(FactoryError::unknown_indicator(std::string(name)));
    return build_from_row(*row, row->name, params);
}

}  // namespace plenko
