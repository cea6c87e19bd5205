#include "indicators/statistics/ulcer_index.hpp"

#include <cmath>

#include "indicators/blocks/window_length.hpp"
#include "indicators/checked.hpp"

namespace plenko {

void RollingHigh::grow() {
    // Doubling from 8, capped at n; the full n is reserved once n values have
    // been seen, so nothing is allocated after that.
    std::size_t want = buf_.empty() ? 8 : buf_.size() * 2;
    if (full() || want > n_) want = n_;
    if (want <= buf_.size()) return;
    std::vector<Entry> next;
    next.reserve(want);
    for (std::size_t i = 0; i < size_; ++i) next.push_back(at(i));
    next.resize(want);
    buf_.swap(next);
    head_ = 0;
}

double RollingHigh::push(double x) {
    const std::size_t seq = seen_++;
    // The front leaves when it is n values old.
    if (size_ > 0 && at(0).seq + n_ <= seq) {
        head_ = (head_ + 1) % buf_.size();
        --size_;
    }
    while (size_ > 0 && at(size_ - 1).value <= x) --size_;
    if (size_ == buf_.size() || (full() && buf_.size() < n_)) grow();
    at(size_) = Entry{seq, x};
    ++size_;
    return at(0).value;
}

UlcerIndex::UlcerIndex(std::size_t n) : n_(n), high_(n), squares_(n) {}

Expected<UlcerIndex, IndicatorError> UlcerIndex::create(std::size_t period) {
    if (auto ok = check_period(period); !ok) return unexpected(ok.error());
    return UlcerIndex(period);
}

std::size_t UlcerIndex::warmup_period() const { return sat_sub(sat_add(n_, n_), 1); }

std::optional<double> UlcerIndex::update(double close) {
    const double high = high_.push(close);
    if (!high_.full()) return std::nullopt;
    const double percent = high == 0.0 ? 0.0 : 100.0 * (close - high) / high;
    squares_.push(percent * percent);
    if (!squares_.full()) return std::nullopt;
    return std::sqrt(squares_.sum() / static_cast<double>(n_));
}

}  // namespace plenko
