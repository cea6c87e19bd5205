#pragma once
// Right tail over left tail of the last n returns, Q(0.95)/|Q(0.05)|; 0 when Q(0.05) is 0.

#include <cstddef>
#include <optional>

#include "indicators/blocks/sorted_window.hpp"
#include "indicators/expected.hpp"
#include "indicators/indicator_error.hpp"

namespace plenko {

class TailRatio {
public:
    static Expected<TailRatio, IndicatorError> create(std::size_t period);
    std::optional<double> update(double close);
    std::size_t warmup_period() const { return window_.length(); }

private:
    explicit TailRatio(std::size_t n);
    SortedWindow window_;
};

}  // namespace plenko
