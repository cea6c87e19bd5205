#pragma once
// Integer arithmetic for sizes and warm-up lengths that must never wrap, and
// float-to-integer conversions that are defined for every input.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>

namespace plenko {

inline constexpr std::size_t kMaxCount = std::numeric_limits<std::size_t>::max();

// Saturating: a warm-up that would not fit is reported as the largest count.
constexpr std::size_t sat_add(std::size_t a, std::size_t b) {
    return a > kMaxCount - b ? kMaxCount : a + b;
}
constexpr std::size_t sat_sub(std::size_t a, std::size_t b) { return a < b ? 0 : a - b; }
constexpr std::size_t sat_mul(std::size_t a, std::size_t b) {
    if (a == 0 || b == 0) return 0;
    return a > kMaxCount / b ? kMaxCount : a * b;
}

// Checked: absent when the exact result does not fit. Use these in
// relational constructor checks so that an overflow fails the check with
// its own message instead of wrapping around.
constexpr std::optional<std::size_t> checked_add(std::size_t a, std::size_t b) {
    if (a > kMaxCount - b) return std::nullopt;
    return a + b;
}
constexpr std::optional<std::size_t> checked_mul(std::size_t a, std::size_t b) {
    if (a != 0 && b > kMaxCount / a) return std::nullopt;
    return a * b;
}

// Truncates toward zero, saturating at 0 and at the largest count; NaN gives 0.
// The comparison is done in floating point before any conversion.
inline std::size_t clamp_to_count(double x) {
    if (!(x > 0.0)) return 0;
    // 2^64 as a double; every double below it converts exactly after truncation.
    constexpr double limit = 18446744073709551616.0;
    if (x >= limit) return kMaxCount;
    return static_cast<std::size_t>(x);
}

// Truncates toward zero, saturating at the i64 range; NaN gives 0.
inline std::int64_t clamp_to_i64(double x) {
    if (std::isnan(x)) return 0;
    constexpr double limit = 9223372036854775808.0;  // 2^63
    if (x >= limit) return std::numeric_limits<std::int64_t>::max();
    if (x < -limit) return std::numeric_limits<std::int64_t>::min();
    return static_cast<std::int64_t>(x);
}

}  // namespace plenko
