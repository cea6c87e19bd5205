#include "indicators/statistics/std_dev.hpp"

#include "indicators/blocks/window_length.hpp"

namespace plenko {

StdDev::StdDev(std::size_t n) : moments_(n) {}

Expected<StdDev, IndicatorError> StdDev::create(std::size_t period) {
    if (auto ok = check_period(period); !ok) return unexpected(ok.error());
    return StdDev(period);
}

std::optional<double> StdDev::update(double close) {
    moments_.push(close);
    if (!moments_.full()) return std::nullopt;
    return moments_.std_dev();
}

}  // namespace plenko
