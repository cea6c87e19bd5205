#pragma once
// EwmaVolatility (RiskMetrics): v = r² on the first log return, then
// v = λ·v + (1 − λ)·r²; the value is √v, not annualised. Closes that are not
// above 0 are skipped.

#include <cstddef>
#include <optional>

#include "indicators/indicator.hpp"
#include "indicators/volatility/log_returns.hpp"

namespace plenko {

class EwmaVolatility {
public:
    static Expected<EwmaVolatility, IndicatorError> create(double lambda);

    std::optional<double> update(double close);
    std::size_t warmup_period() const { return 2; }

private:
    explicit EwmaVolatility(double lambda) : lambda_(lambda), rest_(1.0 - lambda) {}

    LogReturns feed_;
    double lambda_;
    double rest_;  // 1 − λ
    bool seeded_ = false;
    double variance_ = 0.0;
};

}  // namespace plenko
