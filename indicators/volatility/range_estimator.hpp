#pragma once
// The shared shape of the range-based volatility estimators: a per-candle
// variance term from log price ratios, summed over the last n candles
// (running sum, re-summed periodically), turned into σ² by the member's
// formula and yielded as √(max(σ², 0)) · √periods · 100. A candle whose low
// is not above 0 has no logarithms and is skipped (the other prices of a
// valid candle are at least the low).

#include <cstddef>
#include <optional>

#include "indicators/indicator.hpp"
#include "indicators/volatility/periods_per_year.hpp"

namespace plenko {

template <class Term>
class RangeEstimator {
public:
    RangeEstimator(std::size_t n, std::size_t periods)
        : terms_(n), nf_(static_cast<double>(n)), annual_(periods) {}

    std::optional<double> update(const Candle& c) {
        if (!(c.low > 0.0)) return std::nullopt;
        if (!terms_.update(Term::of(c))) return std::nullopt;
        return annual_.of_variance(Term::variance(terms_.sum(), nf_));
    }
    std::size_t length() const { return terms_.length(); }

private:
    SimpleAverage terms_;  // used for its ring and running sum
    double nf_;
    Annualisation annual_;
};

}  // namespace plenko
