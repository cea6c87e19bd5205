#pragma once
// Tail ratio times profit factor of the last n returns, Q(0.95)/|Q(0.05)| × G/L; 0 without
// losses or when Q(0.05) is 0.

#include <cstddef>
#include <optional>

#include "indicators/blocks/sorted_window.hpp"
#include "indicators/expected.hpp"
#include "indicators/indicator_error.hpp"

namespace plenko {

class CommonSenseRatio {
public:
    static Expected<CommonSenseRatio, IndicatorError> create(std::size_t period);
    std::optional<double> update(double close);
    std::size_t warmup_period() const { return window_.length(); }

private:
    explicit CommonSenseRatio(std::size_t n);
    SortedWindow window_;
};

}  // namespace plenko
