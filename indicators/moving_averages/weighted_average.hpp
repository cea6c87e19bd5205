#pragma once
// Linearly weighted mean of the last n values: weights 1, 2, ..., n from the
// oldest to the newest, divisor n(n+1)/2. Once full, the plain total and the
// weighted numerator are carried forward in O(1) per input; every 16th time
// the write position wraps to the start of the ring (the fill counts as the
// first wrap) both are recomputed from the ring, so drift stays bounded.
// Shared by Wma, Hma and other families.

#include <cstddef>
#include <optional>

#include "indicators/blocks/ring_window.hpp"
#include "indicators/checked.hpp"

namespace plenko {

class WeightedAverage {
public:
    explicit WeightedAverage(std::size_t n)
        : ring_(n), nf_(static_cast<double>(n)), divisor_(triangular(n)) {}

    std::optional<double> update(double x) {
        if (!ring_.full()) {
            ring_.push(x);
            total_ = total_ + x;
            if (!ring_.full()) return std::nullopt;
            numerator_ = weighted_sum();
            wraps_ = 1;
            if (wraps_ == kWrapsPerResum) resum();
            return numerator_ / divisor_;
        }
        const double d = *ring_.push(x);
        numerator_ = (numerator_ + nf_ * x) - total_;
        total_ = (total_ + x) - d;
        if (ring_.head() == 0 && ++wraps_ == kWrapsPerResum) resum();
        return numerator_ / divisor_;
    }

    bool full() const { return ring_.full(); }
    std::size_t length() const { return ring_.length(); }
    double divisor() const { return divisor_; }
    double numerator() const { return numerator_; }
    double total() const { return total_; }
    const RingWindow<double>& window() const { return ring_; }

private:
    static constexpr std::size_t kWrapsPerResum = 16;

    // n(n+1)/2 without forming n(n+1) first; exact for every accepted length.
    static double triangular(std::size_t n) {
        const std::size_t t = n % 2 == 0 ? sat_mul(n / 2, n + 1) : sat_mul(n, n / 2 + 1);
        return static_cast<double>(t);
    }

    // Σ i·x_i with i = 1 for the oldest value.
    double weighted_sum() const {
        double num = 0.0;
        double w = 0.0;
        ring_.for_each([&](double v) {
            w = w + 1.0;
            num = num + w * v;
        });
        return num;
    }

    // Called when the head is back at slot 0, so the ring is in age order.
    void resum() {
        double total = 0.0;
        ring_.for_each([&](double v) { total = total + v; });
        total_ = total;
        numerator_ = weighted_sum();
        wraps_ = 0;
    }

    RingWindow<double> ring_;
    double nf_;
    double divisor_;
    double total_ = 0.0;
    double numerator_ = 0.0;
    std::size_t wraps_ = 0;
};

}  // namespace plenko
