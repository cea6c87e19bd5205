#pragma once
// True range of a candle: high − low for the first candle, afterwards the
// largest of high − low, |high − previous close| and |low − previous close|.
// Shared with the trend and momentum families.

#include <cmath>

#include "indicators/candle.hpp"

namespace plenko {

// The larger of a and b; a NaN operand never wins. Written so that it
// compiles to a max instruction and a conditional move: which operand is
// larger is data, and a branch on it mispredicts.
inline double max_keeping_numbers(double a, double b) {
    const double m = a > b ? a : b;  // b when a is NaN
    return b != b ? a : m;
}

// The smaller of a and b; a NaN operand never wins.
inline double min_keeping_numbers(double a, double b) {
    const double m = a < b ? a : b;  // b when a is NaN
    return b != b ? a : m;
}

inline double true_range(double high, double low, double previous_close) {
    const double spread = high - low;
    const double up = std::fabs(high - previous_close);
    const double down = std::fabs(low - previous_close);
    return max_keeping_numbers(max_keeping_numbers(spread, up), down);
}

class TrueRangeCore {
public:
    // The candle's true range; the candle's close becomes the previous close.
    double update(const Candle& c) {
        const double tr = has_previous_ ? true_range(c.high, c.low, previous_close_) : c.high - c.low;
        previous_close_ = c.close;
        has_previous_ = true;
        return tr;
    }

    bool has_previous() const { return has_previous_; }
    double previous_close() const { return previous_close_; }

private:
    bool has_previous_ = false;
    double previous_close_ = 0.0;
};

}  // namespace plenko
