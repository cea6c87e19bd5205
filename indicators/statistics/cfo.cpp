#include "indicators/statistics/cfo.hpp"

#include <cmath>

#include "indicators/blocks/window_length.hpp"

namespace plenko {

Cfo::Cfo(std::size_t n) : fit_(n) {}

Expected<Cfo, IndicatorError> Cfo::create(std::size_t period) {
    if (auto ok = check_period(period); !ok) return unexpected(ok.error());
    if (period < 2) return unexpected(IndicatorError::invalid_period("linear regression needs period >= 2"));
    return Cfo(period);
}

std::optional<double> Cfo::update(double close) {
    fit_.push(close);
    if (!fit_.full()) return std::nullopt;
    // The percentage is undefined at a zero close: the previous output stands.
    if (close == 0.0) return last_;
    last_ = (close - fit_.value_at(static_cast<double>(fit_.length()) - 1.0)) * 100.0 / close;
    return last_;
}

}  // namespace plenko
