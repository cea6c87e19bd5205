// The statistics family: rolling moments and distribution shape, rolling
// regression, order statistics, entropy and long memory, return-based risk
// and performance ratios, drawdowns, labels and calendar return statistics.

#include "factory/registry.hpp"
#include "indicators/statistics/autocorrelation.hpp"
#include "indicators/statistics/average_drawdown.hpp"
#include "indicators/statistics/burke_ratio.hpp"
#include "indicators/statistics/calmar_ratio.hpp"
#include "indicators/statistics/cfo.hpp"
#include "indicators/statistics/coefficient_of_variation.hpp"
#include "indicators/statistics/common_sense_ratio.hpp"
#include "indicators/statistics/conditional_value_at_risk.hpp"
#include "indicators/statistics/detrended_std_dev.hpp"
#include "indicators/statistics/expectancy.hpp"
#include "indicators/statistics/gain_loss_ratio.hpp"
#include "indicators/statistics/gain_to_pain_ratio.hpp"
#include "indicators/statistics/hurst_exponent.hpp"
#include "indicators/statistics/jarque_bera.hpp"
#include "indicators/statistics/k_ratio.hpp"
#include "indicators/statistics/kelly_criterion.hpp"
#include "indicators/statistics/kurtosis.hpp"
#include "indicators/statistics/lin_reg_angle.hpp"
#include "indicators/statistics/lin_reg_intercept.hpp"
#include "indicators/statistics/lin_reg_slope.hpp"
#include "indicators/statistics/linear_regression.hpp"
#include "indicators/statistics/log_return.hpp"
#include "indicators/statistics/m2_measure.hpp"
#include "indicators/statistics/martin_ratio.hpp"
#include "indicators/statistics/max_drawdown.hpp"
#include "indicators/statistics/median_absolute_deviation.hpp"
#include "indicators/statistics/omega_ratio.hpp"
#include "indicators/statistics/overnight_gap.hpp"
#include "indicators/statistics/overnight_intraday_return.hpp"
#include "indicators/statistics/pain_index.hpp"
#include "indicators/statistics/profit_factor.hpp"
#include "indicators/statistics/r_squared.hpp"
#include "indicators/statistics/recovery_factor.hpp"
#include "indicators/statistics/regime_label.hpp"
#include "indicators/statistics/rolling_iqr.hpp"
#include "indicators/statistics/rolling_percentile_rank.hpp"
#include "indicators/statistics/rolling_quantile.hpp"
#include "indicators/statistics/sample_entropy.hpp"
#include "indicators/statistics/seasonal_z_score.hpp"
#include "indicators/statistics/shannon_entropy.hpp"
#include "indicators/statistics/sharpe_ratio.hpp"
#include "indicators/statistics/skewness.hpp"
#include "indicators/statistics/sortino_ratio.hpp"
#include "indicators/statistics/standard_error.hpp"
#include "indicators/statistics/std_dev.hpp"
#include "indicators/statistics/sterling_ratio.hpp"
#include "indicators/statistics/tail_ratio.hpp"
#include "indicators/statistics/trend_label.hpp"
#include "indicators/statistics/tsf.hpp"
#include "indicators/statistics/tsf_oscillator.hpp"
#include "indicators/statistics/turn_of_month.hpp"
#include "indicators/statistics/ulcer_index.hpp"
#include "indicators/statistics/upside_potential_ratio.hpp"
#include "indicators/statistics/value_at_risk.hpp"
#include "indicators/statistics/variance.hpp"
#include "indicators/statistics/win_rate.hpp"
#include "indicators/statistics/z_score.hpp"

namespace plenko {

namespace {

constexpr auto kClose = InputKind::Close;
constexpr auto kUsize = ParamKind::Usize;
constexpr auto kF64 = ParamKind::F64;
constexpr auto kCandle = InputKind::Candle;
constexpr auto kI32 = ParamKind::I32;
constexpr auto kU32 = ParamKind::U32;

void register_moments(FamilyRows& rows) {
    rows.add(make_row<Variance, kClose, kUsize>("Variance", {20},
        "population variance of the last n closes"));
    rows.add(make_row<StdDev, kClose, kUsize>("StdDev", {20},
        "population standard deviation of the last n closes"));
    rows.add(make_row<ZScore, kClose, kUsize>("ZScore", {20},
        "(close - mean) / population sigma of the last n closes; 0 on a flat window"));
    rows.add(make_row<CoefficientOfVariation, kClose, kUsize>("CoefficientOfVariation", {20},
        "population sigma over the signed mean of the last n closes; 0 when the mean is 0"));
    rows.add(make_row<Skewness, kClose, kUsize>("Skewness", {20},
        "population skewness of the last n closes; 0 on a flat window"));
    rows.add(make_row<Kurtosis, kClose, kUsize>("Kurtosis", {20},
        "population excess kurtosis of the last n closes; 0 on a flat window"));
    rows.add(make_row<SharpeRatio, kClose, kUsize, kF64>("SharpeRatio", {20, 0.0},
        "(mean - risk-free) / sample sigma of the last n returns; 0 when sigma is 0"));
    rows.add(make_row<JarqueBera, kClose, kUsize>("JarqueBera", {20},
        "(n/6)(S^2 + K^2/4) from the population moments of the last n closes; 0 on a flat window"));
    rows.add(make_row<M2Measure, kClose, kUsize, kF64, kF64>("M2Measure", {20, 0.0, 0.01},
        "Sharpe ratio of the last n returns times a benchmark sigma, plus the risk-free rate"));
}

void register_regression(FamilyRows& rows) {
    rows.add(make_row<LinearRegression, kClose, kUsize>("LinearRegression", {14},
        "least-squares line through the last n closes, read at the newest bar"));
    rows.add(make_row<Tsf, kClose, kUsize>("Tsf", {14},
        "least-squares line through the last n closes, extended one bar ahead"));
    rows.add(make_row<LinRegSlope, kClose, kUsize>("LinRegSlope", {14},
        "slope per bar of the least-squares line through the last n closes"));
    rows.add(make_row<LinRegIntercept, kClose, kUsize>("LinRegIntercept", {14},
        "least-squares line through the last n closes, read at the oldest bar"));
    rows.add(make_row<LinRegAngle, kClose, kUsize>("LinRegAngle", {14},
        "angle in degrees of the least-squares slope of the last n closes"));
    rows.add(make_row<RSquared, kClose, kUsize>("RSquared", {14},
        "coefficient of determination of the least-squares line through the last n closes; 1 on a flat window"));
    rows.add(make_row<TsfOscillator, kClose, kUsize>("TsfOscillator", {14},
        "(close - Tsf) * 100 / close; a zero close repeats the previous value"));
    rows.add(make_row<Cfo, kClose, kUsize>("Cfo", {14},
        "(close - LinearRegression) * 100 / close; a zero close repeats the previous value"));
    rows.add(make_row<StandardError, kClose, kUsize>("StandardError", {14},
        "sqrt(SSR / (n - 2)) of the residuals about the least-squares line of the last n closes"));
    rows.add(make_row<DetrendedStdDev, kClose, kUsize>("DetrendedStdDev", {14},
        "sqrt(SSR / n) of the residuals about the least-squares line of the last n closes"));
    rows.add(make_row<KRatio, kClose, kUsize>("KRatio", {20},
        "slope of the cumulated last n returns over its standard error"));
    rows.add(make_row<TrendLabel, kClose, kUsize>("TrendLabel", {20},
        "sign of the least-squares slope of the last n closes: 1, -1 or 0"));
}

void register_memory_and_entropy(FamilyRows& rows) {
    rows.add(make_row<Autocorrelation, kClose, kUsize, kUsize>("Autocorrelation", {20, 1},
        "lag-L autocorrelation of the last n closes; 0 on a flat window"));
    rows.add(make_row<HurstExponent, kClose, kUsize, kUsize>("HurstExponent", {100, 4},
        "rescaled-range Hurst exponent of the last n closes over 1..k chunks, clamped to [0, 1]"));
    rows.add(make_row<ShannonEntropy, kClose, kUsize, kUsize>("ShannonEntropy", {50, 10},
        "entropy in bits of the m-bin histogram of the last n closes"));
    rows.add(make_row<SampleEntropy, kClose, kUsize, kUsize, kF64>("SampleEntropy", {50, 2, 0.2},
        "sample entropy of the last n closes for templates of length m and tolerance r * sigma"));
}

void register_order_statistics(FamilyRows& rows) {
    rows.add(make_row<MedianAbsoluteDeviation, kClose, kUsize>("MedianAbsoluteDeviation", {20},
        "median of |x - median| over the last n closes (no scale factor)"));
    rows.add(make_row<RollingQuantile, kClose, kUsize, kF64>("RollingQuantile", {20, 0.5},
        "interpolated q-quantile of the last n closes"));
    rows.add(make_row<RollingIqr, kClose, kUsize>("RollingIqr", {20},
        "Q(0.75) - Q(0.25) of the last n closes"));
    rows.add(make_row<RollingPercentileRank, kClose, kUsize>("RollingPercentileRank", {20},
        "percentile rank of the close among the last n, ties counted half"));
    rows.add(make_row<LogReturn, kClose, kUsize>("LogReturn", {1},
        "ln(close / close n bars earlier); closes <= 0 are skipped"));
}

void register_return_ratios(FamilyRows& rows) {
    rows.add(make_row<SortinoRatio, kClose, kUsize, kF64>("SortinoRatio", {20, 0.0},
        "(mean - T) / downside deviation below T of the last n returns"));
    rows.add(make_row<UpsidePotentialRatio, kClose, kUsize, kF64>("UpsidePotentialRatio", {20, 0.0},
        "mean upside over downside deviation about M of the last n returns"));
    rows.add(make_row<OmegaRatio, kClose, kUsize, kF64>("OmegaRatio", {20, 0.0},
        "gains over losses about T of the last n returns"));
    rows.add(make_row<ProfitFactor, kClose, kUsize>("ProfitFactor", {20},
        "sum of positive returns over the magnitude of the negative ones, last n"));
    rows.add(make_row<GainLossRatio, kClose, kUsize>("GainLossRatio", {20},
        "average gain over average loss of the last n returns"));
    rows.add(make_row<KellyCriterion, kClose, kUsize>("KellyCriterion", {20},
        "Kelly fraction W - (1 - W) / R of the last n returns"));
    rows.add(make_row<Expectancy, kClose, kUsize>("Expectancy", {20},
        "mean return over average loss magnitude of the last n returns"));
    rows.add(make_row<WinRate, kClose, kUsize>("WinRate", {20}, "fraction of the last n returns above 0"));
    rows.add(make_row<GainToPainRatio, kClose, kUsize>("GainToPainRatio", {20},
        "sum of the last n returns over the magnitude of their negative sum"));
    rows.add(make_row<TailRatio, kClose, kUsize>("TailRatio", {20},
        "Q(0.95) / |Q(0.05)| of the last n returns"));
    rows.add(make_row<CommonSenseRatio, kClose, kUsize>("CommonSenseRatio", {20},
        "tail ratio times profit factor of the last n returns"));
    rows.add(make_row<ValueAtRisk, kClose, kUsize, kF64>("ValueAtRisk", {20, 0.95},
        "historical value at risk of the last n returns at confidence c, at least 0"));
    rows.add(make_row<ConditionalValueAtRisk, kClose, kUsize, kF64>("ConditionalValueAtRisk", {20, 0.95},
        "minus the mean of the worst n(1 - c) of the last n returns, at least 0"));
}

void register_drawdowns(FamilyRows& rows) {
    rows.add(make_row<CalmarRatio, kClose, kUsize>("CalmarRatio", {20},
        "mean of the last n returns over the maximum drawdown of their compounded equity"));
    rows.add(make_row<SterlingRatio, kClose, kUsize>("SterlingRatio", {20},
        "mean of the last n returns over the average drawdown depth of their compounded equity"));
    rows.add(make_row<BurkeRatio, kClose, kUsize>("BurkeRatio", {20},
        "mean of the last n returns over the root of the summed squared drawdown depths"));
    rows.add(make_row<MartinRatio, kClose, kUsize>("MartinRatio", {20},
        "mean of the last n returns over the ulcer index of their compounded equity"));
    rows.add(make_row<PainIndex, kClose, kUsize>("PainIndex", {20},
        "mean drawdown fraction of the last n levels from their running peak"));
    rows.add(make_row<MaxDrawdown, kClose, kUsize>("MaxDrawdown", {20},
        "largest drawdown fraction of the last n levels from their running peak"));
    rows.add(make_row<AverageDrawdown, kClose, kUsize>("AverageDrawdown", {20},
        "mean depth of the drawdown episodes of the last n levels"));
    rows.add(make_row<UlcerIndex, kClose, kUsize>("UlcerIndex", {14},
        "root mean square percentage drawdown from the n-bar high over the last n closes"));
    rows.add(make_row<RecoveryFactor, kClose>("RecoveryFactor", {},
        "growth since the first close over the largest drawdown since then"));
}

void register_labels_and_calendar(FamilyRows& rows) {
    rows.add(make_row<RegimeLabel, kClose, kUsize, kUsize>("RegimeLabel", {20, 50},
        "-1, 0 or 1 as the v-bar volatility of log returns is below, within or above its l-bar quartiles"));
    rows.add(make_row<TurnOfMonth, kCandle, kU32, kU32, kI32>("TurnOfMonth", {1, 1, 0},
        "mean daily return of the first f and last g local days of each month"));
    rows.add(make_row<OvernightGap, kCandle, kI32>("OvernightGap", {0},
        "open over the previous close minus 1 at each new local date"));
    rows.add(make_row<OvernightIntradayReturn, kCandle, kI32>("OvernightIntradayReturn", {0},
        "overnight gap and close over the day's first open minus 1"));
    rows.add(make_row<SeasonalZScore, kCandle, kI32>("SeasonalZScore", {0},
        "z-score of the bar return among the earlier returns of its local hour"));
}

}  // namespace

void register_statistics(FamilyRows& rows) {
    register_moments(rows);
    register_regression(rows);
    register_memory_and_entropy(rows);
    register_order_statistics(rows);
    register_return_ratios(rows);
    register_drawdowns(rows);
    register_labels_and_calendar(rows);
}

}  // namespace plenko
