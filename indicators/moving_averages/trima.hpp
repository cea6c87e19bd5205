#pragma once
// Trima: triangular moving average, an SMA of length n − ⌊n/2⌋ over the
// closes feeding an SMA of length ⌊n/2⌋ + 1; the combined weights rise
// linearly to the middle of the n closes and fall back.

#include <cmath>
#include <cstddef>
#include <optional>

#include "indicators/indicator.hpp"

namespace plenko {

class Trima {
public:
    static Expected<Trima, IndicatorError> create(std::size_t period);

    std::optional<double> update(double close) {
        const auto a = first_.update(close);
        if (!a || !std::isfinite(*a)) return std::nullopt;
        const auto b = second_.update(*a);
        if (!b || !std::isfinite(*b)) return std::nullopt;
        return b;
    }
    std::size_t warmup_period() const { return n_; }

private:
    explicit Trima(std::size_t n) : n_(n), first_(n - n / 2), second_(n / 2 + 1) {}
    std::size_t n_;
    SimpleAverage first_;
    SimpleAverage second_;
};

}  // namespace plenko
