#pragma once
// Which part of the per-bar record an indicator reads.

#include <string_view>

namespace plenko {

enum class InputKind {
    Close,          // the candle's close
    Candle,         // the whole candle, validated first
    Pair,           // the candle's close and the reference series
    Derivatives,    // the derivatives-market snapshot
    Trades,         // the bar's trades
    TradesAndBook,  // the trades and a reference price (book mid, else close)
    OrderBook,      // the order-book snapshot
    CrossSection,   // the market-wide breadth snapshot
};

constexpr std::string_view input_kind_name(InputKind k) {
    switch (k) {
        case InputKind::Close: return "close";
        case InputKind::Candle: return "candle";
        case InputKind::Pair: return "pair";
        case InputKind::Derivatives: return "derivatives";
        case InputKind::Trades: return "trades";
        case InputKind::TradesAndBook: return "trades_and_book";
        case InputKind::OrderBook: return "order_book";
        case InputKind::CrossSection: return "cross_section";
    }
    return "unknown";
}

}  // namespace plenko
