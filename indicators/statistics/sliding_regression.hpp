#pragma once
// Least-squares line through the last n values at positions 0 (oldest) to
// n − 1 (newest), kept in O(1) per value. The sums are taken about a shift K:
// Sy = Σ(y − K), Sxy = Σ x·(y − K), Syy = Σ(y − K)². Evicting the oldest value
// moves every remaining point one position towards 0, which subtracts the
// remaining Sy from Sxy. Every n accepted values (the first time exactly when
// the window fills) K moves to the window mean and the sums are recomputed.
//
// A window of n identical values is recognised exactly (by the length of the
// run of equal values ending at the newest one) and fitted as the flat line it
// is: between recentrings the sums carry rounding residue from values already
// gone, which would otherwise show as a spurious slope and an R² of 0.
//
// Shared by the regression members (LinearRegression, Tsf, LinRegSlope, …)
// and by any family that needs a rolling regression line.

#include <cstddef>

#include "indicators/blocks/ring_window.hpp"

namespace plenko {

// Sx = Σx = n(n − 1)/2 and D = n·Σx² − Sx² over x = 0..n−1. Both are exact in
// 128-bit integers (a 64-bit n·Σx² overflows long before MAX_PERIOD) and
// rounded to double once.
struct RegressionConstants {
    double sx;
    double d;
};

inline RegressionConstants regression_constants(std::size_t n) {
    __extension__ using u128 = unsigned __int128;
    if (n == 0) return {0.0, 0.0};
    const u128 m = n;
    const u128 sx = m * (m - 1) / 2;
    const u128 sum_x2 = (m - 1) * m * (2 * m - 1) / 6;
    const u128 d = m * sum_x2 - sx * sx;
    return {static_cast<double>(sx), static_cast<double>(d)};
}

class SlidingRegression {
public:
    explicit SlidingRegression(std::size_t n)
        : ring_(n), nf_(static_cast<double>(n)), c_(regression_constants(n)) {}

    void push(double y) {
        if (run_ > 0 && y == ring_.newest()) {
            if (run_ < ring_.length()) ++run_;
        } else {
            run_ = 1;
        }
        std::size_t j = ring_.size();
        if (ring_.full()) {
            const double d0 = ring_.oldest() - k_;
            sy_ = sy_ - d0;
            sxy_ = sxy_ - sy_;
            syy_ = syy_ - d0 * d0;
            j = ring_.length() - 1;
        }
        ring_.push(y);
        if (!has_shift_) {
            k_ = y;
            has_shift_ = true;
        }
        const double d = y - k_;
        sy_ = sy_ + d;
        sxy_ = sxy_ + static_cast<double>(j) * d;
        syy_ = syy_ + d * d;
        if (++since_recentre_ == ring_.length()) recentre();
    }

    bool full() const { return ring_.full(); }
    std::size_t length() const { return ring_.length(); }
    const RingWindow<double>& window() const { return ring_; }
    double sx() const { return c_.sx; }
    double d() const { return c_.d; }
    double shift() const { return k_; }
    double sy() const { return sy_; }
    double sxy() const { return sxy_; }
    double syy() const { return syy_; }
    // True when the full window holds n equal values.
    bool constant() const { return run_ == ring_.length(); }

    // The following are meaningful once the window is full (and n >= 2).
    double slope() const {
        if (constant()) return 0.0;
        return (nf_ * sxy_ - c_.sx * sy_) / c_.d;
    }
    // Fitted value at position 0, the oldest point.
    double intercept(double b) const {
        if (constant()) return ring_.newest();
        return k_ + (sy_ - c_.sx * b) / nf_;
    }
    double intercept() const { return intercept(slope()); }
    // Fitted value at position x.
    double value_at(double x) const {
        const double b = slope();
        return intercept(b) + b * x;
    }
    // Coefficient of determination in [0, 1]; a flat window is fitted
    // perfectly and gives 1.
    double r_squared() const {
        if (constant()) return 1.0;
        double u = syy_ - sy_ * sy_ / nf_;
        if (u < 0.0) u = 0.0;
        if (u <= 0.0) return 1.0;
        const double b = slope();
        const double r = b * b * (c_.d / nf_) / u;
        if (r > 1.0) return 1.0;
        if (r > 0.0) return r;
        return 0.0;
    }

private:
    // Once every n values: kept out of line so the per-value path stays small.
    [[gnu::noinline]] void recentre() {
        double sum = 0.0;
        ring_.for_each([&](double v) { sum = sum + v; });
        k_ = sum / static_cast<double>(ring_.size());
        double sy = 0.0;
        double sxy = 0.0;
        double syy = 0.0;
        std::size_t i = 0;
        ring_.for_each([&](double v) {
            const double d = v - k_;
            sy = sy + d;
            sxy = sxy + static_cast<double>(i) * d;
            syy = syy + d * d;
            ++i;
        });
        sy_ = sy;
        sxy_ = sxy;
        syy_ = syy;
        since_recentre_ = 0;
    }

    RingWindow<double> ring_;
    double nf_;
    RegressionConstants c_;
    bool has_shift_ = false;
    double k_ = 0.0;
    double sy_ = 0.0;
    double sxy_ = 0.0;
    double syy_ = 0.0;
    std::size_t since_recentre_ = 0;
    std::size_t run_ = 0;  // equal values ending at the newest, at most n
};

}  // namespace plenko
