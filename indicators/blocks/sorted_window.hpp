#pragma once
// The last n values in arrival order plus the same values in ascending IEEE
// total order (−0.0 before +0.0; keys are equal only for identical values),
// answering medians and quantiles. Each update does two bisections and at
// most one block move per array; nothing is allocated once the window is full.

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <span>
#include <vector>

#include "indicators/blocks/growth.hpp"
#include "indicators/blocks/midpoint.hpp"
#include "indicators/blocks/ring_window.hpp"

namespace plenko {

// Bit pattern as a signed integer, with the 63 lower bits inverted when the
// sign bit is set: integer order of the keys is the IEEE total order.
inline std::int64_t total_order_key(double x) {
    const auto bits = std::bit_cast<std::int64_t>(x);
    return bits ^ ((bits >> 63) & std::numeric_limits<std::int64_t>::max());
}

class SortedWindow {
public:
    explicit SortedWindow(std::size_t n) : arrivals_(n) {}

    void update(double x) {
        if (auto gone = arrivals_.push(x)) {
            sorted_.erase(sorted_.begin() + static_cast<std::ptrdiff_t>(position(*gone)));
        } else {
            detail::reserve_one_more(sorted_, arrivals_.length());
        }
        sorted_.insert(sorted_.begin() + static_cast<std::ptrdiff_t>(position(x)), x);
    }

    bool full() const { return arrivals_.full(); }
    std::size_t size() const { return sorted_.size(); }
    std::size_t length() const { return arrivals_.length(); }
    std::span<const double> sorted() const { return sorted_; }
    // Slots currently allocated by both arrays (each never above length()).
    std::size_t reserved() const { return arrivals_.reserved() + sorted_.capacity(); }
    const RingWindow<double>& arrivals() const { return arrivals_; }
    double min() const { return sorted_.front(); }
    double max() const { return sorted_.back(); }

    // Middle value, or the midpoint of the two middle values. NaN when empty.
    double median() const {
        const std::size_t m = sorted_.size();
        if (m == 0) return std::numeric_limits<double>::quiet_NaN();
        if (m % 2 == 1) return sorted_[m / 2];
        return safe_midpoint(sorted_[m / 2 - 1], sorted_[m / 2]);
    }

    // Linear interpolation between the two closest ranks at p in [0, 1].
    // A p outside [0, 1] is clamped to it; NaN p or an empty window gives NaN.
    double quantile(double p) const {
        const std::size_t m = sorted_.size();
        if (m == 0 || std::isnan(p)) return std::numeric_limits<double>::quiet_NaN();
        double r = static_cast<double>(m - 1) * p;
        if (r < 0.0) r = 0.0;
        const double top = static_cast<double>(m - 1);
        if (r > top) r = top;
        const double fi = std::floor(r);
        const auto i = static_cast<std::size_t>(fi);
        if (i >= m - 1) return sorted_[m - 1];
        return sorted_[i] + (sorted_[i + 1] - sorted_[i]) * (r - fi);
    }

private:
    // First position whose key is not less than the key of x.
    std::size_t position(double x) const {
        const std::int64_t key = total_order_key(x);
        auto it = std::partition_point(sorted_.begin(), sorted_.end(),
                                       [key](double v) { return total_order_key(v) < key; });
        return static_cast<std::size_t>(it - sorted_.begin());
    }

    RingWindow<double> arrivals_;
    std::vector<double> sorted_;
};

}  // namespace plenko
