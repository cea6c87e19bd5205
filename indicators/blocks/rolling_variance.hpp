#pragma once
// Rolling mean and population variance of the last n values, from sums of
// deviations from an anchor K. Every n inputs the anchor moves to the window
// mean and the sums are rebuilt, which keeps S2 well conditioned.

#include <cmath>
#include <cstddef>
#include <optional>

#include "indicators/blocks/ring_window.hpp"

namespace plenko {

class RollingVariance {
public:
    explicit RollingVariance(std::size_t n) : win_(n) {}

    // Yields the population standard deviation once the window is full.
    std::optional<double> update(double x) {
        if (win_.full()) {
            const double d = win_.oldest() - k_;
            s1_ = s1_ - d;
            s2_ = s2_ - d * d;
        }
        win_.push(x);
        if (!has_anchor_) {
            k_ = x;
            has_anchor_ = true;
        }
        const double d = x - k_;
        s1_ = s1_ + d;
        s2_ = s2_ + d * d;
        if (++since_rebuild_ >= win_.length()) rebuild();
        if (!win_.full()) return std::nullopt;
        return std_dev();
    }

    bool full() const { return win_.full(); }
    std::size_t length() const { return win_.length(); }

    // Valid once full.
    double mean() const { return k_ + s1_ / n(); }
    // S2 / n − (S1 / n)²; rounding can make it slightly negative.
    double variance() const {
        const double m = s1_ / n();
        return s2_ / n() - m * m;
    }
    double clamped_variance() const {
        const double v = variance();
        return v > 0.0 ? v : 0.0;
    }
    double std_dev() const { return std::sqrt(clamped_variance()); }

    double anchor() const { return k_; }
    double s1() const { return s1_; }
    double s2() const { return s2_; }
    const RingWindow<double>& window() const { return win_; }

private:
    double n() const { return static_cast<double>(win_.length()); }

    void rebuild() {
        double sum = 0.0;
        win_.for_each([&](double v) { sum += v; });
        k_ = sum / static_cast<double>(win_.size());
        double s1 = 0.0;
        double s2 = 0.0;
        win_.for_each([&](double v) {
            const double d = v - k_;
            s1 += d;
            s2 += d * d;
        });
        s1_ = s1;
        s2_ = s2;
        since_rebuild_ = 0;
    }

    RingWindow<double> win_;
    bool has_anchor_ = false;
    double k_ = 0.0;
    double s1_ = 0.0;
    double s2_ = 0.0;
    std::size_t since_rebuild_ = 0;
};

}  // namespace plenko
