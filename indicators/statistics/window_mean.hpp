#pragma once
// Plain mean of a window, summed oldest to newest and divided by the count,
// except that a window of equal values is its own mean: n copies of 0.1 sum
// to a value whose quotient by n is not 0.1, and members that measure spread
// about the mean would read that rounding residue as spread (a flat window
// then gives an autocorrelation near 1 or a Jarque-Bera of n/3 instead of 0).

#include <cstddef>

namespace plenko {

template <class Window>
double window_mean(const Window& window) {
    double sum = 0.0;
    bool equal = true;
    std::size_t count = 0;
    const double first = window[0];
    window.for_each([&](double x) {
        sum = sum + x;
        equal = equal && x == first;
        ++count;
    });
    if (equal) return first;
    return sum / static_cast<double>(count);
}

inline double range_mean(const double* values, std::size_t count) {
    double sum = 0.0;
    bool equal = true;
    for (std::size_t i = 0; i < count; ++i) {
        sum = sum + values[i];
        equal = equal && values[i] == values[0];
    }
    if (equal) return values[0];
    return sum / static_cast<double>(count);
}

}  // namespace plenko
