#pragma once
// MedianMa: median of the last n closes (sorted window in IEEE total order;
// even n takes the overflow-safe midpoint of the two middle values).

#include <cstddef>
#include <optional>

#include "indicators/indicator.hpp"

namespace plenko {

class MedianMa {
public:
    static Expected<MedianMa, IndicatorError> create(std::size_t period);

    std::optional<double> update(double close) {
        window_.update(close);
        if (!window_.full()) return std::nullopt;
        return window_.median();
    }
    std::size_t warmup_period() const { return window_.length(); }

private:
    explicit MedianMa(std::size_t n) : window_(n) {}
    SortedWindow window_;
};

}  // namespace plenko
