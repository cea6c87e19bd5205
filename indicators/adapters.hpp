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
#include <cstddef>
#include <cstdint>
#include <limits>
#include <memory>
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

// Without a target flag std::fma is a call into the math library. The batch
// loop runs the indicator's update inlined, so where the toolchain can
// dispatch at load time the loop is also built for processors with a fused
// multiply-add instruction, and every fma of an indicator becomes one
// instruction there. Both builds give the same bits: an fma rounds once
// either way, and nothing else is fused (-ffp-contract=off).
#if defined(__GNUC__) && !defined(__clang__) && defined(__x86_64__) && defined(__ELF__)
#define PLENKO_BATCH_CLONES __attribute__((target_clones("fma", "default")))
#else
#define PLENKO_BATCH_CLONES
#endif

template <InputKind K, class Ind>
class Adapted final : public Evaluator {
public:
    explicit Adapted(Ind ind) : ind_(std::move(ind)) {}

    std::optional<double> update(const BarContext& bar) override { return feed(ind_, bar); }

    void update_many(const CandleColumns& bars, const BatchOutput& out) override { run_batch(bars, out); }

    std::span<const std::string_view> field_names() const override {
        if constexpr (detail::HasStaticFieldNames<Ind>) {
            return std::span<const std::string_view>(Ind::field_names);
        } else if constexpr (detail::HasFieldNamesFn<Ind>) {
            return std::span<const std::string_view>(ind_.field_names());
        } else {
            return {};
        }
    }

    std::span<const double> field_values() const override { return values_of(ind_); }

    std::size_t warmup_period() const override { return ind_.warmup_period(); }

    const Ind& indicator() const { return ind_; }

private:
    // One bar through the filter of the input kind into the indicator.
    [[gnu::always_inline]] static std::optional<double> feed(Ind& ind, const BarContext& bar) {
        if constexpr (K == InputKind::Close) {
            const double close = bar.candle.close;
            if (!std::isfinite(close)) return std::nullopt;
            return ind.update(close);
        } else if constexpr (K == InputKind::Candle) {
            // A rejected candle would surface as "invalid input data: ..."; the
            // bar simply yields nothing.
            if (!validate_candle(bar.candle)) return std::nullopt;
            return ind.update(bar.candle);
        } else if constexpr (K == InputKind::Pair) {
            if (!bar.reference) return std::nullopt;
            const double close = bar.candle.close;
            const double ref = *bar.reference;
            if (!std::isfinite(close) || !std::isfinite(ref)) return std::nullopt;
            return ind.update(close, ref);
        } else if constexpr (K == InputKind::Derivatives) {
            if (!bar.derivatives) return std::nullopt;
            return ind.update(*bar.derivatives);
        } else if constexpr (K == InputKind::Trades) {
            return ind.update(bar.trades);
        } else if constexpr (K == InputKind::TradesAndBook) {
            return ind.update(bar.trades, trades_reference_price(bar));
        } else if constexpr (K == InputKind::OrderBook) {
            if (bar.order_book == nullptr) return std::nullopt;
            return ind.update(*bar.order_book);
        } else {
            static_assert(K == InputKind::CrossSection);
            if (bar.cross_section == nullptr) return std::nullopt;
            return ind.update(*bar.cross_section);
        }
    }

    static std::span<const double> values_of(const Ind& ind) {
        if constexpr (detail::HasFieldValues<Ind>) {
            return std::span<const double>(ind.field_values());
        } else {
            return {};
        }
    }

    // A bar's outcome in the batch loop as two scalars. std::optional<double>
    // is copied through the stack as one 16-byte block after its flag was
    // stored as a byte, so every copy stalls on store forwarding; the loop
    // therefore takes the indicator's result apart where the call returns.
    struct Outcome {
        double value;
        bool has;
    };

    [[gnu::always_inline]] static Outcome taken_apart(const std::optional<double>& r) {
        return {r.has_value() ? *r : std::numeric_limits<double>::quiet_NaN(), r.has_value()};
    }

    // The same filter as feed, for the two kinds a plain candle feeds; the
    // other kinds go through feed itself and see what a BarContext of that
    // candle holds: no reference, derivatives, book or breadth (no value),
    // and no trades.
    [[gnu::always_inline]] static Outcome feed_candle(Ind& ind, const Candle& candle) {
        if constexpr (K == InputKind::Close) {
            if (!std::isfinite(candle.close)) return {std::numeric_limits<double>::quiet_NaN(), false};
            return taken_apart(ind.update(candle.close));
        } else if constexpr (K == InputKind::Candle) {
            if (!validate_candle(candle)) return {std::numeric_limits<double>::quiet_NaN(), false};
            return taken_apart(ind.update(candle));
        } else {
            return taken_apart(feed(ind, BarContext{.candle = candle}));
        }
    }

    // The batch loop. Every call it can see into is inlined (flatten): a
    // block's update left out of line returns its std::optional<double>
    // through the stack with the same stall, and the inliner's budget for a
    // registration file with dozens of rows otherwise leaves the shared
    // blocks out of line. The loop runs on a local indicator moved out of the member and
    // back: a store to an output column cannot reach a local whose address
    // never escapes, so the state stays in registers instead of being stored
    // and reloaded on every bar. The columns a kind does not read are never
    // loaded: the inlined filter leaves those loads dead.
    [[gnu::flatten]] PLENKO_BATCH_CLONES void run_batch(const CandleColumns& bars, const BatchOutput& out) {
        constexpr double nan = std::numeric_limits<double>::quiet_NaN();
        const std::size_t field_count = field_names().size();
        const std::size_t n = bars.size;
        const std::int64_t* const time = bars.time;
        const double* const open = bars.open;
        const double* const high = bars.high;
        const double* const low = bars.low;
        const double* const close = bars.close;
        const double* const volume = bars.volume;
        double* const values = out.values;
        std::uint8_t* const has_value = out.has_value;
        double* const* const fields = out.fields;
        Ind ind(std::move(ind_));
        for (std::size_t i = 0; i < n; ++i) {
            const Candle candle{time != nullptr ? time[i] : 0, open[i], high[i], low[i], close[i],
                                volume != nullptr ? volume[i] : 0.0};
            const Outcome r = feed_candle(ind, candle);
            values[i] = r.value;
            has_value[i] = r.has ? 1 : 0;
            if (field_count == 0) continue;
            if (r.has) {
                const std::span<const double> fv = values_of(ind);
                for (std::size_t k = 0; k < field_count; ++k) fields[k][i] = k < fv.size() ? fv[k] : nan;
            } else {
                for (std::size_t k = 0; k < field_count; ++k) fields[k][i] = nan;
            }
        }
        std::destroy_at(&ind_);
        std::construct_at(&ind_, std::move(ind));
    }

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
