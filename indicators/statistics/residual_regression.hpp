#pragma once
// Least-squares line through the last n values, refitted from the whole
// window on every call, with the sum of squared residuals. Positions run
// from 0 (oldest) to n − 1; the fit is taken about the centres ȳ and
// x̄ = (n − 1)/2, and Σ(i − x̄)² is the constant D/n of the regression
// constants. O(n) per fit.
//
// Shared by StandardError, DetrendedStdDev and the regression channel of the
// volatility family.

#include <cstddef>

#include "indicators/blocks/ring_window.hpp"
#include "indicators/statistics/sliding_regression.hpp"
#include "indicators/statistics/window_mean.hpp"

namespace plenko {

class ResidualRegression {
public:
    struct Fit {
        double mean;   // ȳ
        double slope;  // b
        double ssr;    // Σ rᵢ², rᵢ = yᵢ − ȳ − b(i − x̄)
    };

    explicit ResidualRegression(std::size_t n)
        : ring_(n),
          nf_(static_cast<double>(n)),
          x_mean_((static_cast<double>(n) - 1.0) / 2.0),
          x_spread_(regression_constants(n).d / static_cast<double>(n)) {}

    void push(double y) { ring_.push(y); }
    bool full() const { return ring_.full(); }
    std::size_t length() const { return ring_.length(); }
    const RingWindow<double>& window() const { return ring_; }

    // Meaningful once the window is full (and n >= 2).
    Fit fit() const {
        const double mean = window_mean(ring_);
        double cross = 0.0;
        double i = 0.0;
        ring_.for_each([&](double y) {
            cross = cross + (i - x_mean_) * (y - mean);
            i = i + 1.0;
        });
        const double b = cross / x_spread_;
        double ssr = 0.0;
        i = 0.0;
        ring_.for_each([&](double y) {
            const double r = y - mean - b * (i - x_mean_);
            ssr = ssr + r * r;
            i = i + 1.0;
        });
        return {mean, b, ssr};
    }

    // The fitted value at the newest point, ȳ + b·(n − 1)/2.
    double newest_fitted(const Fit& f) const { return f.mean + f.slope * (nf_ - 1.0) / 2.0; }

private:
    RingWindow<double> ring_;
    double nf_;
    double x_mean_;
    double x_spread_;
};

}  // namespace plenko
