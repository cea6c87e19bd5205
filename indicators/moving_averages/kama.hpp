#pragma once
// Kama: Kaufman's adaptive moving average. Over a ring of the last n + 1
// closes, the efficiency ratio ER = |x − x_old| / Σ|x_k − x_(k−1)| (0 when
// the path length is 0) sets the smoothing constant
// sc = (ER·(fastSC − slowSC) + slowSC)², SC = 2 / (period + 1), and the value
// moves by sc·(x − prev). The first value starts from x_old, the close n bars
// back.

#include <cstddef>
#include <optional>

#include "indicators/indicator.hpp"

namespace plenko {

class Kama {
public:
    static Expected<Kama, IndicatorError> create(std::size_t period, std::size_t fast, std::size_t slow);

    std::optional<double> update(double close);
    std::size_t warmup_period() const { return window_.length(); }

private:
    Kama(std::size_t n, std::size_t fast, std::size_t slow);

    RingWindow<double> window_;  // n + 1 closes
    double slow_sc_;
    double sc_span_;  // fastSC − slowSC
    double value_ = 0.0;
    bool has_value_ = false;
};

}  // namespace plenko
