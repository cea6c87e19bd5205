// The moving-average family: smoothers of the close, their lag-reduced and
// adaptive descendants, volume-weighted averages and one-bar price
// transforms. Every member yields a single value.

#include "factory/registry.hpp"
#include "indicators/moving_averages/alma.hpp"
#include "indicators/moving_averages/avg_price.hpp"
#include "indicators/moving_averages/dema.hpp"
#include "indicators/moving_averages/ehma.hpp"
#include "indicators/moving_averages/ema.hpp"
#include "indicators/moving_averages/evwma.hpp"
#include "indicators/moving_averages/frama.hpp"
#include "indicators/moving_averages/generalized_dema.hpp"
#include "indicators/moving_averages/geometric_ma.hpp"
#include "indicators/moving_averages/hma.hpp"
#include "indicators/moving_averages/holt_winters.hpp"
#include "indicators/moving_averages/jma.hpp"
#include "indicators/moving_averages/kama.hpp"
#include "indicators/moving_averages/mcginley_dynamic.hpp"
#include "indicators/moving_averages/median_ma.hpp"
#include "indicators/moving_averages/median_price.hpp"
#include "indicators/moving_averages/mid_point.hpp"
#include "indicators/moving_averages/mid_price.hpp"
#include "indicators/moving_averages/sine_weighted_ma.hpp"
#include "indicators/moving_averages/sma.hpp"
#include "indicators/moving_averages/smma.hpp"
#include "indicators/moving_averages/t3.hpp"
#include "indicators/moving_averages/tema.hpp"
#include "indicators/moving_averages/trima.hpp"
#include "indicators/moving_averages/typical_price.hpp"
#include "indicators/moving_averages/vidya.hpp"
#include "indicators/moving_averages/vwma.hpp"
#include "indicators/moving_averages/weighted_close.hpp"
#include "indicators/moving_averages/wma.hpp"
#include "indicators/moving_averages/zlema.hpp"

namespace plenko {

void register_moving_averages(FamilyRows& rows) {
    using enum InputKind;
    using P = ParamKind;

    rows.add(make_row<Sma, Close, P::Usize>("Sma", {20}, "plain mean of the last n closes"));
    rows.add(make_row<Wma, Close, P::Usize>("Wma", {20}, "linearly weighted mean of the last n closes, newest weighted n"));
    rows.add(make_row<Ema, Close, P::Usize>(
        "Ema", {20}, "exponential average, alpha 2/(n+1), seeded with the mean of the first n closes"));
    rows.add(make_row<Smma, Close, P::Usize>(
        "Smma", {14}, "Wilder's smoothing (x + (n-1)·value)/n, seeded with the mean of the first n closes"));
    rows.add(make_row<Dema, Close, P::Usize>("Dema", {20}, "double EMA: 2·e1 − e2 of two chained EMA(n)"));
    rows.add(make_row<Tema, Close, P::Usize>("Tema", {20}, "triple EMA: 3·e1 − 3·e2 + e3 of three chained EMA(n)"));
    rows.add(make_row<T3, Close, P::Usize, P::F64>(
        "T3", {5, 0.7}, "Tillson's T3: six chained EMA(n) combined with volume factor v"));
    rows.add(make_row<GeneralizedDema, Close, P::Usize, P::F64>(
        "GeneralizedDema", {5, 0.7}, "generalized DEMA: e1·(1 + v) − e2·v of two chained EMA(n)"));
    rows.add(make_row<Zlema, Close, P::Usize>(
        "Zlema", {20}, "zero-lag EMA: EMA(n) of 2·x − x[t − (n−1)/2]"));
    rows.add(make_row<Trima, Close, P::Usize>(
        "Trima", {20}, "triangular average: SMA(n − ⌊n/2⌋) of the closes fed to SMA(⌊n/2⌋ + 1)"));
    rows.add(make_row<Hma, Close, P::Usize>(
        "Hma", {16}, "Hull average: WMA(round √n) of 2·WMA(n/2) − WMA(n)"));
    rows.add(make_row<Ehma, Close, P::Usize>(
        "Ehma", {16}, "exponential Hull average: EMA(round √n) of 2·EMA(n/2) − EMA(n)"));
    rows.add(make_row<Alma, Close, P::Usize, P::F64, P::F64>(
        "Alma", {9, 0.85, 6}, "Arnaud Legoux average: Gaussian weights centred at offset·(n−1), width n/sigma"));
    rows.add(make_row<SineWeightedMa, Close, P::Usize>(
        "SineWeightedMa", {14}, "mean of the last n closes weighted by sin((i+1)·π/(n+1))"));
    rows.add(make_row<Kama, Close, P::Usize, P::Usize, P::Usize>(
        "Kama", {10, 2, 30}, "Kaufman's adaptive average: efficiency ratio over n bars between fast and slow EMA constants"));
    rows.add(make_row<Vidya, Close, P::Usize, P::Usize>(
        "Vidya", {20, 9}, "variable index dynamic average: EMA(p) factor scaled by |Chande momentum(m)|/100"));
    rows.add(make_row<Frama, Close, P::Usize>(
        "Frama", {16}, "fractal adaptive average over an even window of n closes"));
    rows.add(make_row<Jma, Close, P::Usize, P::F64, P::U32>(
        "Jma", {7, 50, 2}, "Jurik-style adaptive average with phase and power"));
    rows.add(make_row<McGinleyDynamic, Close, P::Usize>(
        "McGinleyDynamic", {14}, "McGinley dynamic: md + (x − md)/(0.6·n·(x/md)⁴), seeded with the mean of n closes"));
    rows.add(make_row<HoltWinters, Close, P::F64, P::F64>(
        "HoltWinters", {0.2, 0.1}, "Holt's additive trend smoothing; the one-step forecast level + trend"));
    rows.add(make_row<GeometricMa, Close, P::Usize>(
        "GeometricMa", {20}, "geometric mean of the last n positive closes"));
    rows.add(make_row<MedianMa, Close, P::Usize>("MedianMa", {20}, "median of the last n closes"));
    rows.add(make_row<MidPoint, Close, P::Usize>(
        "MidPoint", {14}, "midpoint of the highest and lowest close of the last n"));
    rows.add(make_row<MidPrice, Candle, P::Usize>(
        "MidPrice", {14}, "midpoint of the highest high and lowest low of the last n candles"));
    rows.add(make_row<Vwma, Candle, P::Usize>(
        "Vwma", {20}, "volume-weighted mean of the last n closes (plain mean without volume)"));
    rows.add(make_row<Evwma, Candle, P::Usize>(
        "Evwma", {20}, "elastic volume-weighted average: moves by v/V of the gap, V the volume of n candles"));
    rows.add(make_row<AvgPrice, Candle>("AvgPrice", {}, "(open + high + low + close)·0.25"));
    rows.add(make_row<MedianPrice, Candle>("MedianPrice", {}, "midpoint of high and low"));
    rows.add(make_row<TypicalPrice, Candle>("TypicalPrice", {}, "(high + low + close)/3"));
    rows.add(make_row<WeightedClose, Candle>("WeightedClose", {}, "(2·close + high + low)·0.25"));
}

}  // namespace plenko
