#pragma once
// Exponential moving average of length n, seeded with the plain mean of the
// first n values; afterwards value = fma(alpha, x, beta * value).

#include <cmath>
#include <cstddef>
#include <optional>

namespace plenko {

class ExponentialAverage {
public:
    explicit ExponentialAverage(std::size_t n)
        : n_(n), alpha_(2.0 / (static_cast<double>(n) + 1.0)), beta_(1.0 - alpha_) {}

    std::optional<double> update(double x) {
        if (!seeded_) {
            sum_ = sum_ + x;
            ++count_;
            if (count_ < n_) return std::nullopt;
            value_ = sum_ / static_cast<double>(n_);
            seeded_ = true;
            return value_;
        }
        value_ = std::fma(alpha_, x, beta_ * value_);
        return value_;
    }

    bool ready() const { return seeded_; }
    double value() const { return value_; }
    std::size_t length() const { return n_; }
    double alpha() const { return alpha_; }
    double beta() const { return beta_; }

private:
    std::size_t n_;
    double alpha_;
    double beta_;
    double sum_ = 0.0;
    std::size_t count_ = 0;
    double value_ = 0.0;
    bool seeded_ = false;
};

}  // namespace plenko
