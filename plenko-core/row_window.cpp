#include "plenko-core/row_window.hpp"

#include <algorithm>

namespace plenko {

RowWindow::RowWindow(std::size_t width, std::size_t window) : width_(width), window_(window) {
    ring_.resize(width_ * window_);
}

void RowWindow::push(std::span<const double> row) {
    if (window_ == 0) return;
    std::size_t slot;
    if (count_ < window_) {
        slot = (head_ + count_) % window_;
        ++count_;
    } else {
        slot = head_;
        head_ = (head_ + 1) % window_;
    }
    std::copy_n(row.begin(), std::min(row.size(), width_), ring_.begin() + static_cast<std::ptrdiff_t>(slot * width_));
}

void RowWindow::flatten_into(double* out) const {
    flatten_rows(width_, window_,
                 [this](std::size_t i) { return ring_.data() + ((head_ + i) % window_) * width_; }, out);
}

Fingerprint RowWindow::flatten(std::int64_t ts) const {
    Fingerprint fp;
    fp.values.resize(width_ * window_);
    flatten_into(fp.values.data());
    fp.ts = ts;
    return fp;
}

}  // namespace plenko
