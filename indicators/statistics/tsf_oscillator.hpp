#pragma once
// Percentage distance of the close from the one-bar-ahead forecast, (close − Tsf)·100/close. A
// close of exactly 0 repeats the previous output.

#include <cstddef>
#include <optional>

#include "indicators/expected.hpp"
#include "indicators/indicator_error.hpp"
#include "indicators/statistics/sliding_regression.hpp"

namespace plenko {

class TsfOscillator {
public:
    static Expected<TsfOscillator, IndicatorError> create(std::size_t period);
    std::optional<double> update(double close);
    std::size_t warmup_period() const { return fit_.length(); }

private:
    explicit TsfOscillator(std::size_t n);
    SlidingRegression fit_;
    std::optional<double> last_;
};

// Defined here so that the evaluator wrapper inlines the whole update.
inline std::optional<double> TsfOscillator::update(double close) {
    fit_.push(close);
    if (!fit_.full()) return std::nullopt;
    // The percentage is undefined at a zero close: the previous output stands.
    if (close == 0.0) return last_;
    last_ = (close - fit_.value_at(static_cast<double>(fit_.length()))) * 100.0 / close;
    return last_;
}

}  // namespace plenko
