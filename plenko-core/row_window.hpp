#pragma once
// The last `window` usable feature rows of a candle run, oldest first. Rows
// absent on a candle are never pushed, so a window holds the most recent
// usable rows, not necessarily consecutive candles.

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "plenko-core/fingerprint.hpp"

namespace plenko {

class RowWindow {
public:
    RowWindow(std::size_t width, std::size_t window);

    // Drops the oldest row once `window` rows are held.
    void push(std::span<const double> row);
    bool is_full() const { return count_ == window_; }
    std::size_t width() const { return width_; }
    std::size_t window() const { return window_; }

    // Only when full: the rows as one fingerprint, feature-major.
    Fingerprint flatten(std::int64_t ts) const;
    void flatten_into(double* out) const;

private:
    std::size_t width_;
    std::size_t window_;
    std::size_t head_ = 0;   // slot of the oldest row
    std::size_t count_ = 0;
    std::vector<double> ring_;  // window_ slots of width_ values
};

}  // namespace plenko
