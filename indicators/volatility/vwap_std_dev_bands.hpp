#pragma once
// VwapStdDevBands, published definition: cumulative VWAP of the typical price ± k·its volume-weighted population deviation.
//
// VwapStdDevBands: middle = cumulative volume-weighted average of the typical
// price (high + low + close)/3 from the first candle; stddev = the
// volume-weighted population deviation of the typical price about it;
// upper/lower = middle ± k·stddev. Nothing is yielded while the cumulative
// volume is 0.

#include <array>
#include <cmath>
#include <cstddef>
#include <optional>
#include <span>
#include <string_view>

#include "indicators/indicator.hpp"

namespace plenko {

class VwapStdDevBands {
public:
    static constexpr std::array<std::string_view, 4> field_names{"upper", "middle", "lower", "stddev"};

    static Expected<VwapStdDevBands, IndicatorError> create(double k);

    std::optional<double> update(const Candle& c);
    std::size_t warmup_period() const { return 1; }
    std::span<const double> field_values() const { return out_; }

private:
    explicit VwapStdDevBands(double k) : k_(k) {}

    double k_;
    double volume_ = 0.0;        // Σ v
    double price_volume_ = 0.0;  // Σ v·tp
    // Weighted running mean and Σ v·(tp − mean)² by West's update, which
    // stays accurate where Σ v·tp² − (Σ v·tp)²/Σ v would cancel.
    double mean_ = 0.0;
    double spread_ = 0.0;
    std::array<double, 4> out_{NAN, NAN, NAN, NAN};
};

}  // namespace plenko
