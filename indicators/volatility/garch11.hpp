#pragma once
// Garch11: σ² starts at the unconditional variance ω/(1 − α − β), yielded as
// √σ² on the first log return; each later return updates
// σ² = ω + α·r²_prev + β·σ²_prev with the previous bar's return. Closes that
// are not above 0 are skipped.

#include <cstddef>
#include <optional>

#include "indicators/indicator.hpp"
#include "indicators/volatility/log_returns.hpp"

namespace plenko {

class Garch11 {
public:
    static Expected<Garch11, IndicatorError> create(double omega, double alpha, double beta);

    std::optional<double> update(double close);
    std::size_t warmup_period() const { return 2; }

private:
    Garch11(double omega, double alpha, double beta) : omega_(omega), alpha_(alpha), beta_(beta) {}

    LogReturns feed_;
    double omega_;
    double alpha_;
    double beta_;
    bool started_ = false;
    double variance_ = 0.0;
    double previous_return_ = 0.0;
};

}  // namespace plenko
