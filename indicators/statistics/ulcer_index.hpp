#pragma once
// Ulcer index of a level series: from the n-th close on, the percentage
// drawdown of the close from the highest of the last n closes is squared; the
// value is the root of the mean of the last n squares, first at close 2n − 1.

#include <cstddef>
#include <optional>
#include <vector>

#include "indicators/expected.hpp"
#include "indicators/indicator_error.hpp"
#include "indicators/statistics/resummed_sum.hpp"

namespace plenko {

// Highest of the last n values over a monotonic deque (values strictly
// decreasing from front to back), O(1) amortised per value. Its storage
// grows with the values seen and never beyond n entries.
class RollingHigh {
public:
    explicit RollingHigh(std::size_t n) : n_(n) {}

    // Admits x and returns the highest of the last n values.
    double push(double x);
    // True once n values have been admitted.
    bool full() const { return seen_ >= n_; }

private:
    struct Entry {
        std::size_t seq;
        double value;
    };
    Entry& at(std::size_t i) { return buf_[(head_ + i) % buf_.size()]; }
    void grow();

    std::size_t n_;
    std::size_t seen_ = 0;
    std::vector<Entry> buf_;
    std::size_t head_ = 0;
    std::size_t size_ = 0;
};

class UlcerIndex {
public:
    static Expected<UlcerIndex, IndicatorError> create(std::size_t period);
    std::optional<double> update(double close);
    std::size_t warmup_period() const;

private:
    explicit UlcerIndex(std::size_t n);
    std::size_t n_;
    RollingHigh high_;
    ResummedSum squares_;
};

}  // namespace plenko
