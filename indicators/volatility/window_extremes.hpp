#pragma once
// Largest and smallest value of a window, by one scan from the oldest to the
// newest; a NaN never wins. An empty window gives NaN.

#include <limits>

#include "indicators/volatility/true_range_core.hpp"

namespace plenko {

template <class Window>
double window_max(const Window& w) {
    double m = std::numeric_limits<double>::quiet_NaN();
    w.for_each([&](double v) { m = max_keeping_numbers(m, v); });
    return m;
}

template <class Window>
double window_min(const Window& w) {
    double m = std::numeric_limits<double>::quiet_NaN();
    w.for_each([&](double v) { m = min_keeping_numbers(m, v); });
    return m;
}

}  // namespace plenko
