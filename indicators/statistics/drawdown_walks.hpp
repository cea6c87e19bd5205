#pragma once
// Drawdown walks over a window, oldest value first.
//
// Compounded walks read the values as returns: equity E starts at 1 and is
// multiplied by (1 + x) per value; the peak P starts at 1 and follows the
// running maximum of E. Level walks read the values themselves as levels,
// with a running peak that starts at −∞.
//
// An episode opens when the walk falls below its peak, records its trough
// (the lowest point while open) and closes when the walk returns to at least
// the peak, which then becomes the new peak. Its depth is (peak − trough)/peak
// with the peak at which it opened; an episode still open at the end counts.

#include <limits>

namespace plenko::drawdown {

// Calls on_step(E, P) after each value, with P already raised to E.
template <class Window, class OnStep>
void compounded_walk(const Window& window, OnStep&& on_step) {
    double equity = 1.0;
    double peak = 1.0;
    window.for_each([&](double x) {
        equity = equity * (1.0 + x);
        if (equity > peak) peak = equity;
        on_step(equity, peak);
    });
}

// Tracks one open episode at a time over any walk.
class EpisodeTracker {
public:
    explicit EpisodeTracker(double start_peak) : peak_(start_peak) {}

    // Feeds the next point; calls on_depth(peak, trough) for an episode that
    // closes at this point.
    template <class OnClose>
    void step(double level, OnClose&& on_close) {
        if (open_) {
            if (level >= peak_) {
                on_close(peak_, trough_);
                open_ = false;
                peak_ = level;
            } else if (level < trough_) {
                trough_ = level;
            }
        } else if (level < peak_) {
            open_ = true;
            trough_ = level;
        } else {
            peak_ = level;
        }
    }

    // Reports the episode still open at the end of the walk, if any.
    template <class OnClose>
    void finish(OnClose&& on_close) const {
        if (open_) on_close(peak_, trough_);
    }

private:
    double peak_;
    double trough_ = 0.0;
    bool open_ = false;
};

// Calls on_depth(depth) for every episode of the compounded equity of the
// window.
template <class Window, class OnDepth>
void compounded_episodes(const Window& window, OnDepth&& on_depth) {
    EpisodeTracker episodes(1.0);
    auto close = [&](double peak, double trough) { on_depth((peak - trough) / peak); };
    double equity = 1.0;
    window.for_each([&](double x) {
        equity = equity * (1.0 + x);
        episodes.step(equity, close);
    });
    episodes.finish(close);
}

// Calls on_depth(depth) for every episode of the levels of the window whose
// peak is above 0 (a depth relative to a non-positive peak is undefined).
template <class Window, class OnDepth>
void level_episodes(const Window& window, OnDepth&& on_depth) {
    EpisodeTracker episodes(-std::numeric_limits<double>::infinity());
    auto close = [&](double peak, double trough) {
        if (peak > 0.0) on_depth((peak - trough) / peak);
    };
    window.for_each([&](double x) { episodes.step(x, close); });
    episodes.finish(close);
}

// Calls on_step(x, peak) after each level, the peak already raised to x.
template <class Window, class OnStep>
void level_walk(const Window& window, OnStep&& on_step) {
    double peak = -std::numeric_limits<double>::infinity();
    window.for_each([&](double x) {
        if (x > peak) peak = x;
        on_step(x, peak);
    });
}

}  // namespace plenko::drawdown
