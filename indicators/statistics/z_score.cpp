#include "indicators/statistics/z_score.hpp"

#include "indicators/blocks/window_length.hpp"

namespace plenko {

ZScore::ZScore(std::size_t n) : moments_(n) {}

Expected<ZScore, IndicatorError> ZScore::create(std::size_t period) {
    if (auto ok = check_period(period); !ok) return unexpected(ok.error());
    return ZScore(period);
}

}  // namespace plenko
