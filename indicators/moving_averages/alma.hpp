#pragma once
// Alma: Arnaud Legoux moving average, a Gaussian-weighted mean of the last n
// closes centred at m = offset·(n − 1) with width s = n / sigma:
// w_i = exp(−(i − m)² / (2·s²)), normalised to sum 1, i = 0 the oldest close.

#include <cstddef>
#include <optional>
#include <vector>

#include "indicators/indicator.hpp"

namespace plenko {

class Alma {
public:
    static Expected<Alma, IndicatorError> create(std::size_t period, double offset, double sigma);

    std::optional<double> update(double close);
    std::size_t warmup_period() const { return window_.length(); }

private:
    Alma(std::size_t n, double offset, double sigma);
    void build_weights();

    RingWindow<double> window_;
    double centre_;
    double width_;
    // Built when the window first fills, so a long period costs nothing
    // before the closes that need it have arrived.
    std::vector<double> weights_;
};

}  // namespace plenko
