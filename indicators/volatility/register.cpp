// The volatility family: true range and its averages, standard-deviation,
// range, quantile and regression bands and channels, squeeze and expansion
// detectors, and the range- and return-based volatility estimators.

#include "factory/registry.hpp"
#include "indicators/volatility/acceleration_bands.hpp"
#include "indicators/volatility/atr.hpp"
#include "indicators/volatility/atr_bands.hpp"
#include "indicators/volatility/average_daily_range.hpp"
#include "indicators/volatility/bipower_variation.hpp"
#include "indicators/volatility/bollinger.hpp"
#include "indicators/volatility/bollinger_bandwidth.hpp"
#include "indicators/volatility/bomar_bands.hpp"
#include "indicators/volatility/chaikin_volatility.hpp"
#include "indicators/volatility/donchian.hpp"
#include "indicators/volatility/double_bollinger.hpp"
#include "indicators/volatility/ewma_volatility.hpp"
#include "indicators/volatility/fractal_chaos_bands.hpp"
#include "indicators/volatility/garch11.hpp"
#include "indicators/volatility/garman_klass_volatility.hpp"
#include "indicators/volatility/high_low_range.hpp"
#include "indicators/volatility/historical_volatility.hpp"
#include "indicators/volatility/hurst_channel.hpp"
#include "indicators/volatility/jump_indicator.hpp"
#include "indicators/volatility/keltner.hpp"
#include "indicators/volatility/lin_reg_channel.hpp"
#include "indicators/volatility/ma_envelope.hpp"
#include "indicators/volatility/mass_index.hpp"
#include "indicators/volatility/median_channel.hpp"
#include "indicators/volatility/natr.hpp"
#include "indicators/volatility/parkinson_volatility.hpp"
#include "indicators/volatility/percent_b.hpp"
#include "indicators/volatility/projection_bands.hpp"
#include "indicators/volatility/projection_oscillator.hpp"
#include "indicators/volatility/quartile_bands.hpp"
#include "indicators/volatility/realized_volatility.hpp"
#include "indicators/volatility/rogers_satchell_volatility.hpp"
#include "indicators/volatility/rvi_volatility.hpp"
#include "indicators/volatility/standard_error_bands.hpp"
#include "indicators/volatility/starc_bands.hpp"
#include "indicators/volatility/true_range.hpp"
#include "indicators/volatility/ttm_squeeze.hpp"
#include "indicators/volatility/volatility_cone.hpp"
#include "indicators/volatility/volatility_of_volatility.hpp"
#include "indicators/volatility/volatility_ratio.hpp"
#include "indicators/volatility/vwap_std_dev_bands.hpp"
#include "indicators/volatility/wave_pm.hpp"
#include "indicators/volatility/yang_zhang_volatility.hpp"

namespace plenko {

namespace {

constexpr auto kClose = InputKind::Close;
constexpr auto kCandle = InputKind::Candle;
constexpr auto kUsize = ParamKind::Usize;
constexpr auto kF64 = ParamKind::F64;
constexpr auto kI32 = ParamKind::I32;

void register_ranges(FamilyRows& rows) {
    rows.add(make_row<TrueRange, kCandle>("TrueRange", {},
        "max(high - low, |high - previous close|, |low - previous close|); high - low on the first candle"));
    rows.add(make_row<Atr, kCandle, kUsize>("Atr", {14},
        "Wilder's average true range: mean of the first n true ranges, then fma(ATR, n-1, TR)·(1/n)"));
    rows.add(make_row<Natr, kCandle, kUsize>("Natr", {14},
        "100·ATR(n)/close; 0 when the close is 0"));
    rows.add(make_row<HighLowRange, kCandle>("HighLowRange", {},
        "(high - low)/close; 0 when the close is 0"));
    rows.add(make_row<AverageDailyRange, kCandle, kUsize, kI32>("AverageDailyRange", {14, 0},
        "mean high - low of the last n finished dates (time shifted by the offset in minutes); from the first date change"));
    rows.add(make_row<VolatilityRatio, kCandle, kUsize>("VolatilityRatio", {14},
        "true range over the mean true range of the n candles before it; 0 when that mean is not above 0"));
}

void register_deviation_bands(FamilyRows& rows) {
    rows.add(make_row<BollingerBands, kClose, kUsize, kF64>("BollingerBands", {20, 2},
        "mean ± k·population sigma of the last n closes"));
    rows.add(make_row<PercentB, kClose, kUsize, kF64>("PercentB", {20, 2},
        "(close - lower)/(upper - lower) of the Bollinger bands; 0.5 when they coincide"));
    rows.add(make_row<BollingerBandwidth, kClose, kUsize, kF64>("BollingerBandwidth", {20, 2},
        "(upper - lower)/middle of the Bollinger bands, a ratio; 0 when the middle is 0"));
    rows.add(make_row<DoubleBollinger, kClose, kUsize, kF64, kF64>("DoubleBollinger", {20, 1, 2},
        "mean ± k_inner·sigma and ± k_outer·sigma of the last n closes"));
}

void register_range_bands(FamilyRows& rows) {
    rows.add(make_row<Keltner, kCandle, kUsize, kUsize, kF64>("Keltner", {20, 10, 2},
        "EMA of the close ± k·ATR (Wilder) over their own lengths"));
    rows.add(make_row<StarcBands, kCandle, kUsize, kUsize, kF64>("StarcBands", {6, 15, 2},
        "SMA of the close ± k·ATR (Wilder) over their own lengths"));
    rows.add(make_row<AtrBands, kCandle, kUsize, kF64>("AtrBands", {14, 2},
        "close ± k·ATR(n)"));
    rows.add(make_row<MaEnvelope, kClose, kUsize, kF64>("MaEnvelope", {20, 0.05},
        "SMA(n) scaled by (1 + fraction) and (1 - fraction)"));
    rows.add(make_row<AccelerationBands, kCandle, kUsize, kF64>("AccelerationBands", {20, 4},
        "SMA(n) of high·(1 + factor·f), of the close and of low·(1 - factor·f), f = (high - low)/(high + low)"));
    rows.add(make_row<Donchian, kCandle, kUsize>("Donchian", {20},
        "highest high, midpoint and lowest low of the last n candles"));
    rows.add(make_row<FractalChaosBands, kCandle, kUsize>("FractalChaosBands", {2},
        "latest Williams fractal high and low (strictly beyond n candles each side; the window extreme before the first)"));
    rows.add(make_row<HurstChannel, kCandle, kUsize, kF64>("HurstChannel", {20, 1},
        "SMA(n) of the high-low midpoint ± k·half the highest-high-to-lowest-low range of the last n candles"));
    rows.add(make_row<VwapStdDevBands, kCandle, kF64>("VwapStdDevBands", {2},
        "cumulative VWAP of the typical price ± k·its volume-weighted population sigma; nothing while the volume is 0"));
}

void register_order_and_regression_bands(FamilyRows& rows) {
    rows.add(make_row<QuartileBands, kClose, kUsize>("QuartileBands", {20},
        "0.75, 0.5 and 0.25 quantiles of the last n closes, linearly interpolated"));
    rows.add(make_row<MedianChannel, kClose, kUsize, kF64>("MedianChannel", {20, 2},
        "median ± k·median absolute deviation (unscaled) of the last n closes"));
    rows.add(make_row<BomarBands, kClose, kUsize, kF64>("BomarBands", {20, 0.85},
        "SMA(n) ± the coverage quantile of |close - SMA| over the last n closes"));
    rows.add(make_row<StandardErrorBands, kClose, kUsize, kF64>("StandardErrorBands", {21, 2},
        "least-squares line of the last n closes at the newest bar ± k·sqrt(SSR/(n - 2)), unsmoothed"));
    rows.add(make_row<LinRegChannel, kClose, kUsize, kF64>("LinRegChannel", {20, 2},
        "least-squares line of the last n closes at the newest bar ± k·sqrt(SSR/n); the value is upper"));
    rows.add(make_row<ProjectionBands, kCandle, kUsize>("ProjectionBands", {14},
        "largest high and smallest low of the last n, each carried forward along the least-squares slope of its series"));
    rows.add(make_row<ProjectionOscillator, kCandle, kUsize>("ProjectionOscillator", {14},
        "100·(close - lower)/(upper - lower) of the projection bands; 50 when they coincide"));
}

void register_squeeze_and_expansion(FamilyRows& rows) {
    rows.add(make_row<TtmSqueeze, kCandle, kUsize, kF64, kF64>("TtmSqueeze", {20, 2, 1.5},
        "1 while Bollinger(n) lies strictly inside SMA(n) ± k·ATR(n); momentum = linear regression of close - mean(Donchian mid, SMA)"));
    rows.add(make_row<MassIndex, kCandle, kUsize, kUsize>("MassIndex", {9, 25},
        "sum over s bars of EMA(e) of high - low over EMA(e) of that; a ratio of 1 where the second is 0"));
    rows.add(make_row<ChaikinVolatility, kCandle, kUsize, kUsize>("ChaikinVolatility", {10, 10},
        "percent change over r bars of EMA(e) of high - low; 0 when the earlier value is 0"));
}

void register_estimators(FamilyRows& rows) {
    rows.add(make_row<HistoricalVolatility, kClose, kUsize, kUsize>("HistoricalVolatility", {20, 252},
        "sample sigma of the last n log returns · sqrt(periods) · 100"));
    rows.add(make_row<RealizedVolatility, kClose, kUsize>("RealizedVolatility", {20},
        "sqrt of the sum of the last n squared log returns"));
    rows.add(make_row<ParkinsonVolatility, kCandle, kUsize, kUsize>("ParkinsonVolatility", {20, 252},
        "sqrt(sum ln(high/low)^2 / (4 ln 2 · n)) · sqrt(periods) · 100"));
    rows.add(make_row<GarmanKlassVolatility, kCandle, kUsize, kUsize>("GarmanKlassVolatility", {20, 252},
        "sqrt(mean of 0.5 ln(h/l)^2 - (2 ln 2 - 1) ln(c/o)^2) · sqrt(periods) · 100"));
    rows.add(make_row<RogersSatchellVolatility, kCandle, kUsize, kUsize>("RogersSatchellVolatility", {20, 252},
        "sqrt(mean of ln(h/c)ln(h/o) + ln(l/c)ln(l/o)) · sqrt(periods) · 100"));
    rows.add(make_row<YangZhangVolatility, kCandle, kUsize, kUsize>("YangZhangVolatility", {20, 252},
        "sqrt(V_overnight + k·V_open_close + (1 - k)·V_rs), sample variances, k = 0.34/(1.34 + (n+1)/(n-1)) · sqrt(periods) · 100"));
    rows.add(make_row<EwmaVolatility, kClose, kF64>("EwmaVolatility", {0.94},
        "sqrt of v = lambda·v + (1 - lambda)·r^2 over log returns, v = r^2 on the first"));
    rows.add(make_row<Garch11, kClose, kF64, kF64, kF64>("Garch11", {0.000002, 0.1, 0.85},
        "sqrt of GARCH(1,1) variance omega + alpha·r^2_prev + beta·var_prev, from omega/(1 - alpha - beta)"));
    rows.add(make_row<BipowerVariation, kClose, kUsize>("BipowerVariation", {20},
        "(pi/2)·sum |r_t|·|r_t-1| over the n - 1 adjacent pairs of the last n log returns"));
    rows.add(make_row<JumpIndicator, kClose, kUsize, kF64>("JumpIndicator", {20, 3},
        "+1/-1 when the log return is beyond mean ± threshold·sample sigma of the n before it, else 0"));
    rows.add(make_row<VolatilityOfVolatility, kClose, kUsize, kUsize>("VolatilityOfVolatility", {20, 20},
        "population sigma over the outer length of the population sigma of log returns over the volatility length"));
    rows.add(make_row<VolatilityCone, kCandle, kUsize, kUsize>("VolatilityCone", {20, 100},
        "sample sigma of log returns over the window, with min, median, max and percentile over the lookback"));
    rows.add(make_row<RviVolatility, kClose, kUsize>("RviVolatility", {10},
        "relative volatility index: 100·EMA(up sigma)/(EMA(up) + EMA(down)) of the n-close sigma; 50 when both are 0"));
    rows.add(make_row<WavePm, kClose, kUsize, kUsize>("WavePm", {14, 100},
        "100·EMA(m) of 1 - exp(-d^2/(2·EMA(m) of d^2)), d = close - close n bars back"));
}

}  // namespace

void register_volatility(FamilyRows& rows) {
    register_ranges(rows);
    register_deviation_bands(rows);
    register_range_bands(rows);
    register_order_and_regression_bands(rows);
    register_squeeze_and_expansion(rows);
    register_estimators(rows);
}

}  // namespace plenko
