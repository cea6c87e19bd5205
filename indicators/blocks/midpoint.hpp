#pragma once
// Midpoint of two values that cannot overflow: the plain (a + b) / 2 is used
// while both magnitudes are at most half the largest double.

#include <cmath>

namespace plenko {

inline constexpr double kHalfMaxDouble = 8.988465674311579e307;

inline double safe_midpoint(double a, double b) {
    if (std::fabs(a) <= kHalfMaxDouble && std::fabs(b) <= kHalfMaxDouble) return (a + b) * 0.5;
    return a * 0.5 + b * 0.5;
}

}  // namespace plenko
