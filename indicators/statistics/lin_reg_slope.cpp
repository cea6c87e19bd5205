#include "indicators/statistics/lin_reg_slope.hpp"

#include <cmath>

#include "indicators/blocks/window_length.hpp"

namespace plenko {

LinRegSlope::LinRegSlope(std::size_t n) : fit_(n) {}

Expected<LinRegSlope, IndicatorError> LinRegSlope::create(std::size_t period) {
    if (auto ok = check_period(period); !ok) return unexpected(ok.error());
    if (period < 2) return unexpected(IndicatorError::invalid_period("linear regression slope needs period >= 2"));
    return LinRegSlope(period);
}

}  // namespace plenko
