#pragma once
// Running sum of the last n values: the departing value is subtracted and
// the arriving one added, and every n accepted values the sum is recomputed
// from the window (oldest to newest), which bounds the rounding drift.

#include <cstddef>

#include "indicators/blocks/ring_window.hpp"

namespace plenko {

class ResummedSum {
public:
    explicit ResummedSum(std::size_t n) : ring_(n), nf_(static_cast<double>(n)) {}

    void push(double x) {
        if (auto gone = ring_.push(x)) sum_ = sum_ - *gone;
        sum_ = sum_ + x;
        if (++since_resum_ == ring_.length()) {
            double s = 0.0;
            ring_.for_each([&](double v) { s = s + v; });
            sum_ = s;
            since_resum_ = 0;
        }
    }

    bool full() const { return ring_.full(); }
    std::size_t length() const { return ring_.length(); }
    const RingWindow<double>& window() const { return ring_; }
    double sum() const { return sum_; }
    // Sum over n; meaningful once full.
    double mean() const { return sum_ / nf_; }

private:
    RingWindow<double> ring_;
    double nf_;
    double sum_ = 0.0;
    std::size_t since_resum_ = 0;
};

}  // namespace plenko
