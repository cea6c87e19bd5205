#pragma once
// Kelly fraction of the last n returns, W − (1 − W)/R with W the win fraction and R the average
// win over the average loss.

#include <cstddef>
#include <optional>

#include "indicators/blocks/ring_window.hpp"
#include "indicators/expected.hpp"
#include "indicators/indicator_error.hpp"

namespace plenko {

class KellyCriterion {
public:
    static Expected<KellyCriterion, IndicatorError> create(std::size_t period);
    std::optional<double> update(double close);
    std::size_t warmup_period() const { return ring_.length(); }

private:
    explicit KellyCriterion(std::size_t n);
    RingWindow<double> ring_;
};

}  // namespace plenko
