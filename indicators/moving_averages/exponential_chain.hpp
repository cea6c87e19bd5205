#pragma once
// K exponential averages of one length in series: each value a stage yields
// (its seed included) is fed to the next stage on the same bar. A stage whose
// result is not finite (only reachable through overflow) ends the bar; the
// stages before it have already advanced. Shared by Dema, Tema, T3 and
// GeneralizedDema.

#include <array>
#include <cmath>
#include <cstddef>
#include <utility>

#include "indicators/blocks/exponential_average.hpp"

// Without a target flag std::fma is a call into the math library, and a
// chain pays one per stage per bar. Where the toolchain can dispatch at load
// time, update() is also built for processors with a fused multiply-add
// instruction; both builds round identically (one rounding per fma).
#if defined(__GNUC__) && defined(__x86_64__) && defined(__ELF__)
#define PLENKO_FMA_CLONES __attribute__((target_clones("fma", "default")))
#else
#define PLENKO_FMA_CLONES
#endif

namespace plenko {

template <std::size_t K>
class ExponentialChain {
public:
    explicit ExponentialChain(std::size_t n) : stages_(make(n, std::make_index_sequence<K>{})) {}

    // True when every stage yielded a finite value on this input.
    PLENKO_FMA_CLONES bool update(double x) {
        double v = x;
        for (ExponentialAverage& stage : stages_) {
            const auto r = stage.update(v);
            if (!r || !std::isfinite(*r)) return false;
            v = *r;
        }
        return true;
    }

    // Current value of stage k (0 is fed the input).
    double operator[](std::size_t k) const { return stages_[k].value(); }
    std::size_t length() const { return stages_[0].length(); }

private:
    template <std::size_t... I>
    static std::array<ExponentialAverage, K> make(std::size_t n, std::index_sequence<I...>) {
        return {((void)I, ExponentialAverage(n))...};
    }

    std::array<ExponentialAverage, K> stages_;
};

}  // namespace plenko
