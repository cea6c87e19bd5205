#pragma once
// Two doubles from two different stored fingerprints, worked on side by
// side with one instruction where the target has one. Each element is its
// own computation: lane arithmetic is plain IEEE arithmetic per element, so
// a result is bit-identical to computing that fingerprint alone.

#include <cmath>

namespace plenko::lanes {

using Pair = double __attribute__((vector_size(16)));

inline Pair splat(double a) { return Pair{a, a}; }

inline Pair sqrt(Pair x) {
#if defined(__SSE2__)
    return __builtin_ia32_sqrtpd(x);
#else
    return Pair{std::sqrt(x[0]), std::sqrt(x[1])};
#endif
}

// x where x < p, else p: a NaN x never replaces p.
inline Pair smaller(Pair p, Pair x) { return x < p ? x : p; }

}  // namespace plenko::lanes
