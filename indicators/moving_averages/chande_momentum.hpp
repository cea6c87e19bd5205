#pragma once
// Chande's momentum oscillator over n price changes: G and L are the sums of
// the gains and losses held in a ring of n (gain, loss) pairs, and the value
// is 100·(G − L)/(G + L), exactly 0 when G + L is 0. The first input only
// records the previous close, so the first value comes with input n + 1.
//
// The sums are carried forward (the leaving pair subtracted first). Carrying
// leaves rounding residue once the values that built a sum have left, so a
// side whose window holds no nonzero entry is set to exactly 0: a flat
// window then reads 0 as intended rather than ±100 from leftover residue.
// Shared by Vidya and the momentum family.

#include <cstddef>
#include <optional>

#include "indicators/blocks/ring_window.hpp"

namespace plenko {

class ChandeMomentum {
public:
    struct Move {
        double gain;
        double loss;
    };

    explicit ChandeMomentum(std::size_t n) : moves_(n) {}

    std::optional<double> update(double x) {
        if (!has_prev_) {
            prev_ = x;
            has_prev_ = true;
            return std::nullopt;
        }
        const double up = x - prev_;
        const double down = prev_ - x;
        const Move m{up > 0.0 ? up : 0.0, down > 0.0 ? down : 0.0};
        if (auto old = moves_.push(m)) {
            gains_ = (gains_ - old->gain) + m.gain;
            losses_ = (losses_ - old->loss) + m.loss;
            gain_count_ -= old->gain != 0.0 ? 1 : 0;
            loss_count_ -= old->loss != 0.0 ? 1 : 0;
        } else {
            gains_ = gains_ + m.gain;
            losses_ = losses_ + m.loss;
        }
        gain_count_ += m.gain != 0.0 ? 1 : 0;
        loss_count_ += m.loss != 0.0 ? 1 : 0;
        if (gain_count_ == 0) gains_ = 0.0;
        if (loss_count_ == 0) losses_ = 0.0;
        prev_ = x;
        if (!moves_.full()) return std::nullopt;
        const double sum = gains_ + losses_;
        if (sum == 0.0) return 0.0;
        return 100.0 * (gains_ - losses_) / sum;
    }

    bool full() const { return moves_.full(); }
    std::size_t length() const { return moves_.length(); }
    double gains() const { return gains_; }
    double losses() const { return losses_; }

private:
    RingWindow<Move> moves_;
    double prev_ = 0.0;
    bool has_prev_ = false;
    double gains_ = 0.0;
    double losses_ = 0.0;
    std::size_t gain_count_ = 0;  // nonzero gains in the ring
    std::size_t loss_count_ = 0;
};

}  // namespace plenko
