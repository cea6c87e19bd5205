#pragma once
// Jarque–Bera normality statistic of the last n closes from their population central moments,
// (n/6)(S² + K²/4); 0 on a flat window.

#include <cstddef>
#include <optional>

#include "indicators/blocks/ring_window.hpp"
#include "indicators/expected.hpp"
#include "indicators/indicator_error.hpp"

namespace plenko {

class JarqueBera {
public:
    static Expected<JarqueBera, IndicatorError> create(std::size_t period);
    std::optional<double> update(double close);
    std::size_t warmup_period() const { return ring_.length(); }

private:
    explicit JarqueBera(std::size_t n);
    RingWindow<double> ring_;
};

}  // namespace plenko
