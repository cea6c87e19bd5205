#pragma once
// Wraps an indicator type in the Evaluator interface according to the input
// it reads. The indicator type provides:
//
//   std::optional<double> update(<input>);   // see the table below
//   std::size_t warmup_period() const;
//   // multi-output indicators only:
//   static constexpr std::array<std::string_view, N> field_names{...};
//   std::span<const double> field_values() const;   // N values
//
//   kind           indicator update signature
//   Close          update(double close)                 close is finite
//   Candle         update(const Candle&)                candle passed validate_candle
//   Pair           update(double close, double ref)     both finite
//   Derivatives    update(const DerivativesTick&)
//   Trades         update(std::span<const Trade>)       possibly empty
//   TradesAndBook  update(std::span<const Trade>, double reference_price)
//   OrderBook      update(const OrderBook&)
//   CrossSection   update(const CrossSection&)
//
// The adapter filters what the indicator must not see, so a rejected or
// absent input never reaches the indicator's state.

#include <cmath>
#include <optional>
#include <span>
#include <string_view>
#include <utility>

#include "indicators/bar_context.hpp"
#include "indicators/blocks/midpoint.hpp"
#include "indicators/evaluator.hpp"
#include "indicators/input_kind.hpp"
#include "indicators/validate_candle.hpp"

namespace plenko {

namespace detail {

template <class Ind>
concept HasStaticFieldNames = requires {
    { std::span<const std::string_view>(Ind::field_names) };
};

template <class Ind>
concept HasFieldNamesFn = requires(const Ind& ind) {
    { std::span<const std::string_view>(ind.field_names()) };
};

template <class Ind>
concept HasFieldValues = requires(const Ind& ind) {
    { std::span<const double>(ind.field_values()) };
};

}  // namespace detail

// The reference price of a trades-and-book bar: the book's mid when both
// sides have a level, otherwise the candle's close.
inline double trades_reference_price(const BarContext& bar) {
    const OrderBook* book = bar.order_book;
    if (book != nullptr && !book->bids.empty() && !book->asks.empty()) {
        return safe_midpoint(book->bids[0].price, book->asks[0].price);
    }
    return bar.candle.close;
}

template <InputKind K, class Ind>
class Adapted final : public Evaluator {
public:
    explicit Adapted(Ind ind) : ind_(std::move(ind)) {}

    std::optional<double> update(const BarContext& bar) override {
        if constexpr (K == InputKind::Close) {
            const double close = bar.candle.close;
            if (!std::isfinite(close)) return std::nullopt;
            return ind_.update(close);
        } else if constexpr (K == InputKind::Candle) {
            // A rejected candle would surface as "invalid input data: ..."; the
            // bar simply yields nothing.
            if (!validate_candle(bar.candle)) return std::nullopt;
            return ind_.update(bar.candle);
        } else if constexpr (K == InputKind::Pair) {
            if (!bar.reference) return std::nullopt;
            const double close = bar.candle.close;
            const double ref = *bar.reference;
            if (!std::isfinite(close) || !std::isfinite(ref)) return std::nullopt;
            return ind_.update(close, ref);
        } else if constexpr (K == InputKind::Derivatives) {
            if (!bar.derivatives) return std::nullopt;
            return ind_.update(*bar.derivatives);
        } else if constexpr (K == InputKind::Trades) {
            return ind_.update(bar.trades);
        } else if constexpr (K == InputKind::TradesAndBook) {
            return ind_.update(bar.trades, trades_reference_price(bar));
        } else if constexpr (K == InputKind::OrderBook) {
            if (bar.order_book == nullptr) return std::nullopt;
            return ind_.update(*bar.order_book);
        } else {
            static_assert(K == InputKind::CrossSection);
            if (bar.cross_section == nullptr) return std::nullopt;
            return ind_.update(*bar.cross_section);
        }
    }

    std::span<const std::string_view> field_names() const override {
        if constexpr (detail::HasStaticFieldNames<Ind>) {
            return std::span<const std::string_view>(Ind::field_names);
        } else if constexpr (detail::HasFieldNamesFn<Ind>) {
            return std::span<const std::string_view>(ind_.field_names());
        } else {
            return {};
        }
    }

    std::span<const double> field_values() const override {
        if constexpr (detail::HasFieldValues<Ind>) {
            return std::span<const double>(ind_.field_values());
        } else {
            return {};
        }
    }

    std::size_t warmup_period() const override { return ind_.warmup_period(); }

    const Ind& indicator() const { return ind_; }

private:
    Ind ind_;
};

template <class Ind> using CloseAdapter = Adapted<InputKind::Close, Ind>;
template <class Ind> using CandleAdapter = Adapted<InputKind::Candle, Ind>;
template <class Ind> using PairAdapter = Adapted<InputKind::Pair, Ind>;
template <class Ind> using DerivativesAdapter = Adapted<InputKind::Derivatives, Ind>;
template <class Ind> using TradesAdapter = Adapted<InputKind::Trades, Ind>;
template <class Ind> using TradesAndBookAdapter = Adapted<InputKind::TradesAndBook, Ind>;
template <class Ind> using OrderBookAdapter = Adapted<InputKind::OrderBook, Ind>;
template <class Ind> using CrossSectionAdapter = Adapted<InputKind::CrossSection, Ind>;

}  // namespace plenko
