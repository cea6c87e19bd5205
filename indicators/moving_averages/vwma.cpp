#include "indicators/moving_averages/vwma.hpp"

namespace plenko {

Expected<Vwma, IndicatorError> Vwma::create(std::size_t period) {
    if (auto ok = check_period(period); !ok) return unexpected(ok.error());
    return Vwma(period);
}

void Vwma::resum() {
    double pv = 0.0;
    double v = 0.0;
    double c = 0.0;
    window_.for_each([&](const Entry& e) {
        pv = pv + e.close * e.volume;
        v = v + e.volume;
        c = c + e.close;
    });
    price_volume_ = pv;
    volume_ = v;
    closes_ = c;
    since_resum_ = 0;
}

std::optional<double> Vwma::update(const Candle& candle) {
    const Entry e{candle.close, candle.volume};
    const double pv = e.close * e.volume;
    if (auto old = window_.push(e)) {
        price_volume_ = pv + (price_volume_ - old->close * old->volume);
        volume_ = e.volume + (volume_ - old->volume);
        closes_ = e.close + (closes_ - old->close);
        if (old->volume != 0.0) --with_volume_;
    } else {
        price_volume_ = pv + price_volume_;
        volume_ = e.volume + volume_;
        closes_ = e.close + closes_;
    }
    if (e.volume != 0.0) ++with_volume_;
    if (++since_resum_ >= window_.length()) resum();
    // A window of zero volumes sums to exactly 0: residue left by carried
    // sums must not turn it into a ratio of two rounding errors.
    if (with_volume_ == 0) {
        price_volume_ = 0.0;
        volume_ = 0.0;
    }
    if (!window_.full()) return std::nullopt;
    if (volume_ > 0.0) return price_volume_ / volume_;
    return closes_ / static_cast<double>(window_.length());
}

}  // namespace plenko
