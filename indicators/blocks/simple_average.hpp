#pragma once
// Plain mean of the last n values over a running sum. The sum is recomputed
// from the window every 16·n inputs so that rounding drift stays bounded.

#include <cstddef>
#include <optional>

#include "indicators/blocks/ring_window.hpp"
#include "indicators/checked.hpp"

namespace plenko {

class SimpleAverage {
public:
    explicit SimpleAverage(std::size_t n) : ring_(n), resum_every_(sat_mul(16, n)) {}

    std::optional<double> update(double x) {
        if (auto oldest = ring_.push(x)) {
            sum_ = x + (sum_ - *oldest);
        } else {
            sum_ = x + sum_;
        }
        if (++since_resum_ >= resum_every_) {
            double s = 0.0;
            ring_.for_each([&](double v) { s += v; });
            sum_ = s;
            since_resum_ = 0;
        }
        if (!ring_.full()) return std::nullopt;
        return sum_ / static_cast<double>(ring_.length());
    }

    bool full() const { return ring_.full(); }
    std::size_t length() const { return ring_.length(); }
    double sum() const { return sum_; }
    const RingWindow<double>& window() const { return ring_; }

private:
    RingWindow<double> ring_;
    double sum_ = 0.0;
    std::size_t since_resum_ = 0;
    std::size_t resum_every_;
};

}  // namespace plenko
