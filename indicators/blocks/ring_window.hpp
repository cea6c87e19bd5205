#pragma once
// The last n values in arrival order. Once full, the head is the slot of the
// oldest value and the next value overwrites it. Storage grows with the
// inputs up to n slots; once full, pushing never allocates.

#include <cstddef>
#include <optional>
#include <vector>

#include "indicators/blocks/growth.hpp"

namespace plenko {

template <class T = double>
class RingWindow {
public:
    explicit RingWindow(std::size_t n) : n_(n) {}

    std::size_t length() const { return n_; }
    std::size_t size() const { return buf_.size(); }
    bool empty() const { return buf_.empty(); }
    bool full() const { return buf_.size() == n_; }
    // Slots currently allocated (never more than length()).
    std::size_t reserved() const { return buf_.capacity(); }
    // The slot the next value is written to.
    std::size_t head() const { return head_; }

    // Appends x. When the ring was full, the value it displaced (the oldest)
    // is returned.
    std::optional<T> push(const T& x) {
        if (n_ == 0) return x;
        if (buf_.size() < n_) {
            detail::reserve_one_more(buf_, n_);
            buf_.push_back(x);
            head_ = buf_.size() == n_ ? 0 : buf_.size();
            return std::nullopt;
        }
        T old = buf_[head_];
        buf_[head_] = x;
        head_ = head_ + 1 == n_ ? 0 : head_ + 1;
        return old;
    }

    // i = 0 is the oldest stored value, size() - 1 the newest.
    const T& operator[](std::size_t i) const {
        std::size_t idx = start() + i;
        if (idx >= buf_.size()) idx -= buf_.size();
        return buf_[idx];
    }
    const T& oldest() const { return buf_[start()]; }
    const T& newest() const { return buf_[head_ == 0 ? buf_.size() - 1 : head_ - 1]; }

    // Visits the stored values from the oldest to the newest.
    template <class F>
    void for_each(F&& f) const {
        const std::size_t s = start();
        for (std::size_t i = s; i < buf_.size(); ++i) f(buf_[i]);
        for (std::size_t i = 0; i < s; ++i) f(buf_[i]);
    }

private:
    std::size_t start() const { return full() ? head_ : 0; }

    std::size_t n_;
    std::size_t head_ = 0;
    std::vector<T> buf_;
};

}  // namespace plenko
