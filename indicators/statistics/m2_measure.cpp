#include "indicators/statistics/m2_measure.hpp"

#include <cmath>

#include "indicators/blocks/window_length.hpp"

namespace plenko {

M2Measure::M2Measure(std::size_t n, double risk_free, double benchmark_stddev)
    : moments_(n), risk_free_(risk_free), benchmark_stddev_(benchmark_stddev) {}

Expected<M2Measure, IndicatorError> M2Measure::create(std::size_t period, double risk_free,
                                                      double benchmark_stddev) {
    if (auto ok = check_period(period); !ok) return unexpected(ok.error());
    if (period < 2) return unexpected(IndicatorError::invalid_period("m2 measure needs period >= 2"));
    if (!std::isfinite(risk_free) || !std::isfinite(benchmark_stddev) || benchmark_stddev < 0.0) {
        return unexpected(IndicatorError::invalid_parameter(
            "risk_free must be finite and benchmark_stddev finite and non-negative"));
    }
    return M2Measure(period, risk_free, benchmark_stddev);
}

}  // namespace plenko
