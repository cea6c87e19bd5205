#pragma once
// Everything an indicator may read for one bar. The engine fills only the
// candle; the other members exist for pair, derivatives, trade, order-book
// and breadth indicators fed by other hosts.

#include <optional>
#include <span>

#include "indicators/candle.hpp"

namespace plenko {

struct DerivativesTick {
    double funding_rate = 0.0;
    double mark_price = 0.0;
    double index_price = 0.0;
    double future_price = 0.0;  // a dated futures contract
    double open_interest = 0.0;
    double long_side = 0.0;   // long participation; long_side / short_side is the long/short ratio
    double short_side = 0.0;
    double taker_buy_volume = 0.0;
    double taker_sell_volume = 0.0;
    double long_liquidations = 0.0;
    double short_liquidations = 0.0;
};

struct Trade {
    double price = 0.0;
    double size = 0.0;
    bool is_sell = false;  // seller-initiated: counted with a negative size
};

struct BookLevel {
    double price = 0.0;
    double quantity = 0.0;
};

// Best level first on both sides.
struct OrderBook {
    std::span<const BookLevel> bids;
    std::span<const BookLevel> asks;
};

struct CrossSectionEntry {
    double change = 0.0;  // > 0 advancing, < 0 declining
    double volume = 0.0;
    bool new_high = false;
    bool new_low = false;
    bool above_ma = false;
    bool bullish = false;
};

struct CrossSection {
    std::span<const CrossSectionEntry> entries;
};

// Borrowed views: a BarContext lives for one update call only.
// Build it with designated initializers, e.g. BarContext{.candle = c}.
struct BarContext {
    std::optional<double> reference{};
    std::optional<DerivativesTick> derivatives{};
    const Candle& candle;
    std::span<const Trade> trades{};
    const OrderBook* order_book = nullptr;
    const CrossSection* cross_section = nullptr;
};

}  // namespace plenko
