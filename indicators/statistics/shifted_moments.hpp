#pragma once
// Power sums of the last n values about a shift K: S1 = Σ(x − K), S2 = Σ(x − K)²
// and, with Order 4, S3 and S4. Evicting and admitting a value costs O(1).
// Every n accepted values (the first time exactly when the window fills) K
// moves to the window mean and the sums are recomputed from the window, so
// the running sums stay small and well conditioned however far the series
// drifts from its first value.
//
// A window of n identical values is recognised exactly (by the length of the
// run of equal values ending at the newest one): between recentrings the sums
// carry rounding residue from values already gone, and on a flat window that
// residue alone would pose as a tiny spread, enough to blow skewness and
// kurtosis up to 1e8 and beyond.
//
// Shared by the moment members (Variance, StdDev, ZScore, Skewness, …) and
// by any family that needs a rolling mean and variance with this exact
// rounding behaviour.

#include <cmath>
#include <cstddef>

#include "indicators/blocks/ring_window.hpp"

namespace plenko {

template <int Order = 2>
class ShiftedMoments {
    static_assert(Order == 2 || Order == 4, "power sums are kept up to the square or the fourth power");

public:
    explicit ShiftedMoments(std::size_t n) : ring_(n), nf_(static_cast<double>(n)) {}

    void push(double x) {
        if (run_ > 0 && x == ring_.newest()) {
            if (run_ < ring_.length()) ++run_;
        } else {
            run_ = 1;
        }
        if (auto gone = ring_.push(x)) remove(*gone - k_);
        if (!has_shift_) {
            k_ = x;
            has_shift_ = true;
        }
        add(x - k_);
        if (++since_recentre_ == ring_.length()) recentre();
    }

    bool full() const { return ring_.full(); }
    std::size_t length() const { return ring_.length(); }
    const RingWindow<double>& window() const { return ring_; }
    double shift() const { return k_; }
    double newest() const { return ring_.newest(); }
    // True when the full window holds n equal values.
    bool constant() const { return run_ == ring_.length(); }

    // The following are meaningful once the window is full.
    double m1() const { return s1_ / nf_; }
    double m2() const { return s2_ / nf_; }
    double m3() const requires(Order == 4) { return s3_ / nf_; }
    double m4() const requires(Order == 4) { return s4_ / nf_; }
    double mean() const { return constant() ? ring_.newest() : k_ + m1(); }
    // Population variance m2 − m1², clamped below at 0 against rounding.
    double variance() const {
        if (constant()) return 0.0;
        const double a = m1();
        const double v = m2() - a * a;
        return v > 0.0 ? v : 0.0;
    }
    double std_dev() const { return std::sqrt(variance()); }
    // Sample variance (S2 − n·m²) / (n − 1) with m = S1 / n; m·m is rounded
    // first and the product with n is fused into the subtraction.
    double sample_variance() const {
        if (constant()) return 0.0;
        const double a = m1();
        const double v = std::fma(-nf_, a * a, s2_) / (nf_ - 1.0);
        return v > 0.0 ? v : 0.0;
    }

private:
    void add(double d) {
        s1_ = s1_ + d;
        const double d2 = d * d;
        s2_ = s2_ + d2;
        if constexpr (Order == 4) {
            const double d3 = d2 * d;
            s3_ = s3_ + d3;
            s4_ = s4_ + d3 * d;
        }
    }

    void remove(double d) {
        s1_ = s1_ - d;
        const double d2 = d * d;
        s2_ = s2_ - d2;
        if constexpr (Order == 4) {
            const double d3 = d2 * d;
            s3_ = s3_ - d3;
            s4_ = s4_ - d3 * d;
        }
    }

    // Once every n values: kept out of line so the per-value path stays small.
    [[gnu::noinline]] void recentre() {
        double sum = 0.0;
        ring_.for_each([&](double v) { sum = sum + v; });
        k_ = sum / static_cast<double>(ring_.size());
        s1_ = s2_ = s3_ = s4_ = 0.0;
        ring_.for_each([&](double v) { add(v - k_); });
        since_recentre_ = 0;
    }

    RingWindow<double> ring_;
    double nf_;
    bool has_shift_ = false;
    double k_ = 0.0;
    double s1_ = 0.0;
    double s2_ = 0.0;
    double s3_ = 0.0;
    double s4_ = 0.0;
    std::size_t since_recentre_ = 0;
    std::size_t run_ = 0;  // equal values ending at the newest, at most n
};

}  // namespace plenko
