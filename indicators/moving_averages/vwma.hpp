#pragma once
// Vwma: volume-weighted mean of the last n closes, Σ(close·volume) / Σvolume,
// or the plain mean of the closes when the window holds no volume. The three
// running sums are recomputed from the ring after every n candles.

#include <cstddef>
#include <optional>

#include "indicators/indicator.hpp"

namespace plenko {

class Vwma {
public:
    static Expected<Vwma, IndicatorError> create(std::size_t period);

    std::optional<double> update(const Candle& candle);
    std::size_t warmup_period() const { return window_.length(); }

private:
    struct Entry {
        double close;
        double volume;
    };
    explicit Vwma(std::size_t n) : window_(n) {}
    void resum();

    RingWindow<Entry> window_;
    double price_volume_ = 0.0;  // Σ close·volume
    double volume_ = 0.0;        // Σ volume
    double closes_ = 0.0;        // Σ close
    std::size_t since_resum_ = 0;
    std::size_t with_volume_ = 0;  // entries whose volume is not 0
};

}  // namespace plenko
