#include "indicators/statistics/lin_reg_angle.hpp"

#include <cmath>

#include "indicators/blocks/window_length.hpp"

namespace plenko {

LinRegAngle::LinRegAngle(std::size_t n) : fit_(n) {}

Expected<LinRegAngle, IndicatorError> LinRegAngle::create(std::size_t period) {
    if (auto ok = check_period(period); !ok) return unexpected(ok.error());
    if (period < 2) return unexpected(IndicatorError::invalid_period("linear regression slope needs period >= 2"));
    return LinRegAngle(period);
}

}  // namespace plenko
