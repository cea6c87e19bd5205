#pragma once
// Wilder's average true range over n: the plain mean of the first n true
// ranges (first value at the n-th candle), then
// ATR ← fma(ATR, n − 1, TR) · (1/n) with the reciprocal stored once.
// Shared with the trend and momentum families.

#include <cmath>
#include <cstddef>
#include <optional>

#include "indicators/candle.hpp"
#include "indicators/volatility/true_range_core.hpp"

namespace plenko {

class WilderAtr {
public:
    explicit WilderAtr(std::size_t n)
        : n_(n),
          nf_(static_cast<double>(n)),
          n_minus_1_(static_cast<double>(n) - 1.0),
          reciprocal_(1.0 / static_cast<double>(n)) {}

    std::optional<double> update(const Candle& c) { return smooth(true_range_.update(c)); }

    // Feeds a true range computed elsewhere.
    std::optional<double> smooth(double tr) {
        last_tr_ = tr;
        if (!seeded_) {
            sum_ = sum_ + tr;
            ++count_;
            if (count_ < n_) return std::nullopt;
            value_ = sum_ / nf_;
            seeded_ = true;
            return value_;
        }
        value_ = std::fma(value_, n_minus_1_, tr) * reciprocal_;
        return value_;
    }

    bool ready() const { return seeded_; }
    double value() const { return value_; }
    double last_true_range() const { return last_tr_; }
    std::size_t length() const { return n_; }

private:
    TrueRangeCore true_range_;
    std::size_t n_;
    double nf_;
    double n_minus_1_;
    double reciprocal_;
    double sum_ = 0.0;
    std::size_t count_ = 0;
    double value_ = 0.0;
    double last_tr_ = 0.0;
    bool seeded_ = false;
};

}  // namespace plenko
