#pragma once
// Gains and losses of a window of returns, summed oldest first: how many
// values are above and below 0 and their sums (zeros count as neither).

#include <cstddef>

#include "indicators/blocks/ring_window.hpp"

namespace plenko {

struct WinLossTally {
    std::size_t wins = 0;
    std::size_t losses = 0;
    double gain_sum = 0.0;
    double loss_sum = 0.0;  // negative or zero
};

inline WinLossTally tally_wins_losses(const RingWindow<double>& window) {
    WinLossTally t;
    window.for_each([&](double x) {
        if (x > 0.0) {
            ++t.wins;
            t.gain_sum = t.gain_sum + x;
        } else if (x < 0.0) {
            ++t.losses;
            t.loss_sum = t.loss_sum + x;
        }
    });
    return t;
}

}  // namespace plenko
