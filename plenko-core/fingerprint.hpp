#pragma once
// One window of feature rows flattened feature-major: the value of feature k
// at window position i (0 = oldest) sits at k * window + i, so each feature's
// values are consecutive in time order.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace plenko {

struct Fingerprint {
    std::vector<double> values;
    std::int64_t ts = 0;  // time of the candle whose row completed the window
};

// Flattens `window` rows of `width` values each into `out` (width * window
// values). `row_at(i)` gives the row at window position i, oldest first.
template <class RowAt>
void flatten_rows(std::size_t width, std::size_t window, RowAt row_at, double* out) {
    for (std::size_t i = 0; i < window; ++i) {
        const double* row = row_at(i);
        for (std::size_t k = 0; k < width; ++k) out[k * window + i] = row[k];
    }
}

}  // namespace plenko
