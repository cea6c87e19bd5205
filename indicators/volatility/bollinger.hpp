#pragma once
// BollingerBands: mean m and population standard deviation sd of the last n
// closes (anchored sums, rebuilt every n closes); upper = m + k·sd,
// middle = m, lower = m − k·sd, stddev = sd. BollingerCore is shared by
// PercentB, BollingerBandwidth and DoubleBollinger.

#include <array>
#include <cmath>
#include <cstddef>
#include <optional>
#include <span>
#include <string_view>

#include "indicators/indicator.hpp"
#include "indicators/statistics/shifted_moments.hpp"

namespace plenko {

// The rolling mean and deviation of the Bollinger members. A window of n
// equal closes has a deviation of exactly 0 (the moment window recognises
// it), so the bands coincide on a flat stretch instead of being split by
// rounding residue.
class BollingerCore {
public:
    explicit BollingerCore(std::size_t n) : moments_(n) {}

    // True once the window is full.
    [[gnu::always_inline]] bool update(double close) {
        moments_.push(close);
        return moments_.full();
    }

    double mean() const { return moments_.mean(); }
    double std_dev() const { return moments_.std_dev(); }
    std::size_t length() const { return moments_.length(); }

private:
    ShiftedMoments<2> moments_;
};

class BollingerBands {
public:
    static constexpr std::array<std::string_view, 4> field_names{"upper", "middle", "lower", "stddev"};

    static Expected<BollingerBands, IndicatorError> create(std::size_t period, double k);

    std::optional<double> update(double close) {
        if (!core_.update(close)) return std::nullopt;
        const double m = core_.mean();
        const double sd = core_.std_dev();
        out_ = {m + k_ * sd, m, m - k_ * sd, sd};
        return out_[0];
    }
    std::size_t warmup_period() const { return core_.length(); }
    std::span<const double> field_values() const { return out_; }

private:
    BollingerBands(std::size_t n, double k) : core_(n), k_(k) {}

    BollingerCore core_;
    double k_;
    std::array<double, 4> out_{NAN, NAN, NAN, NAN};
};

}  // namespace plenko
