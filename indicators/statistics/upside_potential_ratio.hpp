#pragma once
// Upside potential ratio of the last n returns about a minimum acceptable return M: the mean
// upside Σmax(x − M, 0)/n over the downside deviation √(Σmin(x − M, 0)²/n); 0 without downside.
// Sums are kept by arrival and eviction.

#include <cstddef>
#include <optional>

#include "indicators/blocks/ring_window.hpp"
#include "indicators/expected.hpp"
#include "indicators/indicator_error.hpp"

namespace plenko {

class UpsidePotentialRatio {
public:
    static Expected<UpsidePotentialRatio, IndicatorError> create(std::size_t period, double mar);
    std::optional<double> update(double close);
    std::size_t warmup_period() const { return ring_.length(); }

private:
    explicit UpsidePotentialRatio(std::size_t n, double mar);
    void add(double x, double sign);
    RingWindow<double> ring_;
    double mar_;
    double upside_ = 0.0;
    double downside_ = 0.0;       // Σ min(x − M, 0)²
    std::size_t above_ = 0;       // values contributing to upside_
    std::size_t below_ = 0;       // values contributing to downside_
};

}  // namespace plenko
