#pragma once
// ProjectionBands, published definition (Widner): extremes of the last n highs and lows carried forward along their regression slopes.
//
// ProjectionBands (Widner): each of the last n highs is carried forward to
// the current bar along the least-squares slope of those highs, each low
// along the slope of the lows; upper = the largest projected high, lower =
// the smallest projected low, middle = their midpoint. ProjectionCore is
// shared with ProjectionOscillator.

#include <array>
#include <cmath>
#include <cstddef>
#include <optional>
#include <span>
#include <string_view>

#include "indicators/indicator.hpp"
#include "indicators/statistics/sliding_regression.hpp"

namespace plenko {

class ProjectionCore {
public:
    struct Bands {
        double upper;
        double lower;
    };

    explicit ProjectionCore(std::size_t n) : highs_(n), lows_(n) {}

    // The bands once n candles are held.
    std::optional<Bands> update(const Candle& c);
    std::size_t length() const { return highs_.length(); }

private:
    SlidingRegression highs_;
    SlidingRegression lows_;
};

class ProjectionBands {
public:
    static constexpr std::array<std::string_view, 3> field_names{"upper", "middle", "lower"};

    static Expected<ProjectionBands, IndicatorError> create(std::size_t period);

    std::optional<double> update(const Candle& c);
    std::size_t warmup_period() const { return core_.length(); }
    std::span<const double> field_values() const { return out_; }

private:
    explicit ProjectionBands(std::size_t n) : core_(n) {}

    ProjectionCore core_;
    std::array<double, 3> out_{NAN, NAN, NAN};
};

}  // namespace plenko
