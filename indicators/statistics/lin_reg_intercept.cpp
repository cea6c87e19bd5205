#include "indicators/statistics/lin_reg_intercept.hpp"

#include <cmath>

#include "indicators/blocks/window_length.hpp"

namespace plenko {

LinRegIntercept::LinRegIntercept(std::size_t n) : fit_(n) {}

Expected<LinRegIntercept, IndicatorError> LinRegIntercept::create(std::size_t period) {
    if (auto ok = check_period(period); !ok) return unexpected(ok.error());
    if (period < 2) return unexpected(IndicatorError::invalid_period("linear regression intercept needs period >= 2"));
    return LinRegIntercept(period);
}

}  // namespace plenko
