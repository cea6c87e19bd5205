#pragma once
// Wilder's smoothing of length n: seeded with the plain mean of the first n
// values, then value = (x + (n − 1) · value) / n. Seeding needs only the
// running sum, so nothing is stored per value.

#include <cstddef>
#include <optional>

namespace plenko {

class WilderSmoothing {
public:
    explicit WilderSmoothing(std::size_t n)
        : n_(n), nf_(static_cast<double>(n)), n_minus_1_(static_cast<double>(n) - 1.0) {}

    std::optional<double> update(double x) {
        if (!seeded_) {
            sum_ = sum_ + x;
            ++count_;
            if (count_ < n_) return std::nullopt;
            value_ = sum_ / nf_;
            seeded_ = true;
            return value_;
        }
        value_ = (x + n_minus_1_ * value_) / nf_;
        return value_;
    }

    bool ready() const { return seeded_; }
    double value() const { return value_; }
    std::size_t length() const { return n_; }

private:
    std::size_t n_;
    double nf_;
    double n_minus_1_;
    double sum_ = 0.0;
    std::size_t count_ = 0;
    double value_ = 0.0;
    bool seeded_ = false;
};

}  // namespace plenko
