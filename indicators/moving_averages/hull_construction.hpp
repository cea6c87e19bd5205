#pragma once
// The Hull construction over any averaging core: A(half) and A(n) of the
// closes; once both yield, 2·A(half) − A(n) feeds A(s), whose value is the
// output. half = max(1, ⌊n/2⌋), s = max(1, round(√n)). A bar on which any
// stage is not finite yields nothing.

#include <cmath>
#include <cstddef>
#include <optional>

#include "indicators/checked.hpp"

namespace plenko {

// max(1, ⌊n/2⌋) and max(1, √n rounded half away from zero): the two derived
// lengths of the Hull averages.
std::size_t hull_half_length(std::size_t n);
std::size_t hull_smoothing_length(std::size_t n);

template <class Average>
class HullConstruction {
public:
    explicit HullConstruction(std::size_t n)
        : half_(hull_half_length(n)), full_(n), smooth_(hull_smoothing_length(n)) {}

    std::optional<double> update(double close) {
        const auto a = half_.update(close);
        const auto b = full_.update(close);
        if (!a || !b || !std::isfinite(*a) || !std::isfinite(*b)) return std::nullopt;
        const double raw = 2.0 * *a - *b;
        if (!std::isfinite(raw)) return std::nullopt;
        const auto v = smooth_.update(raw);
        if (!v || !std::isfinite(*v)) return std::nullopt;
        return v;
    }

    std::size_t warmup_period() const { return sat_sub(sat_add(full_.length(), smooth_.length()), 1); }

private:
    Average half_;
    Average full_;
    Average smooth_;
};

}  // namespace plenko
