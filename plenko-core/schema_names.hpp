#pragma once
// Spellings of the enumerated members, in declaration order.

#include <array>
#include <optional>
#include <string_view>

namespace plenko::schema {

inline constexpr std::array<std::string_view, 3> kNormalizeNames{"none", "z_score", "min_max"};
inline constexpr std::array<std::string_view, 3> kMetricNames{"cosine", "euclid", "dtw"};
inline constexpr std::array<std::string_view, 5> kPriceFieldNames{"open", "high", "low", "close", "volume"};
inline constexpr std::array<std::string_view, 3> kFeatureKindNames{"indicator", "price", "microstructure"};

template <std::size_t N>
std::optional<int> variant_index(const std::array<std::string_view, N>& names, std::string_view s) {
    for (std::size_t i = 0; i < N; ++i)
        if (names[i] == s) return static_cast<int>(i);
    return std::nullopt;
}

}  // namespace plenko::schema
