#include "indicators/statistics/std_dev.hpp"

#include "indicators/blocks/window_length.hpp"

namespace plenko {

StdDev::StdDev(std::size_t n) : moments_(n) {}

Expected<StdDev, IndicatorError> StdDev::create(std::size_t period) {
    if (auto ok = check_period(period); !ok) return unexpected(ok.error());
    return StdDev(period);
}

}  // namespace plenko
