// The statistics family: rolling moments and distribution shape, rolling
// regression, order statistics, entropy and long memory, return-based risk
// and performance ratios, drawdowns, labels and calendar return statistics.

#include "factory/registry.hpp"
#include "indicators/statistics/autocorrelation.hpp"
#include "indicators/statistics/cfo.hpp"
#include "indicators/statistics/detrended_std_dev.hpp"
#include "indicators/statistics/hurst_exponent.hpp"
#include "indicators/statistics/jarque_bera.hpp"
#include "indicators/statistics/k_ratio.hpp"
#include "indicators/statistics/lin_reg_angle.hpp"
#include "indicators/statistics/lin_reg_intercept.hpp"
#include "indicators/statistics/lin_reg_slope.hpp"
#include "indicators/statistics/linear_regression.hpp"
#include "indicators/statistics/r_squared.hpp"
#include "indicators/statistics/sample_entropy.hpp"
#include "indicators/statistics/shannon_entropy.hpp"
#include "indicators/statistics/standard_error.hpp"
#include "indicators/statistics/trend_label.hpp"
#include "indicators/statistics/tsf.hpp"
#include "indicators/statistics/tsf_oscillator.hpp"
#include "indicators/statistics/coefficient_of_variation.hpp"
#include "indicators/statistics/kurtosis.hpp"
#include "indicators/statistics/m2_measure.hpp"
#include "indicators/statistics/sharpe_ratio.hpp"
#include "indicators/statistics/skewness.hpp"
#include "indicators/statistics/std_dev.hpp"
#include "indicators/statistics/variance.hpp"
#include "indicators/statistics/z_score.hpp"

namespace plenko {

namespace {

constexpr auto kClose = InputKind::Close;
constexpr auto kUsize = ParamKind::Usize;
constexpr auto kF64 = ParamKind::F64;

void register_moments(FamilyRows& rows) {
    rows.add(make_row<Variance, kClose, kUsize>("Variance", {20}, "population variance of the last n closes"));
    rows.add(make_row<StdDev, kClose, kUsize>("StdDev", {20}, "population standard deviation of the last n closes"));
    rows.add(make_row<ZScore, kClose, kUsize>("ZScore", {20}, "(close - mean) / population sigma of the last n closes; 0 on a flat window"));
    rows.add(make_row<CoefficientOfVariation, kClose, kUsize>("CoefficientOfVariation", {20}, "population sigma over the signed mean of the last n closes; 0 when the mean is 0"));
    rows.add(make_row<Skewness, kClose, kUsize>("Skewness", {20}, "population skewness of the last n closes; 0 on a flat window"));
    rows.add(make_row<Kurtosis, kClose, kUsize>("Kurtosis", {20}, "population excess kurtosis of the last n closes; 0 on a flat window"));
    rows.add(make_row<SharpeRatio, kClose, kUsize, kF64>("SharpeRatio", {20, 0.0}, "(mean - risk-free) / sample sigma of the last n returns; 0 when sigma is 0"));
    rows.add(make_row<JarqueBera, kClose, kUsize>("JarqueBera", {20}, "(n/6)(S^2 + K^2/4) from the population moments of the last n closes; 0 on a flat window"));
    rows.add(make_row<M2Measure, kClose, kUsize, kF64, kF64>("M2Measure", {20, 0.0, 0.01}, "Sharpe ratio of the last n returns times a benchmark sigma, plus the risk-free rate"));
}

void register_regression(FamilyRows& rows) {
    rows.add(make_row<LinearRegression, kClose, kUsize>("LinearRegression", {14}, "least-squares line through the last n closes, read at the newest bar"));
    rows.add(make_row<Tsf, kClose, kUsize>("Tsf", {14}, "least-squares line through the last n closes, extended one bar ahead"));
    rows.add(make_row<LinRegSlope, kClose, kUsize>("LinRegSlope", {14}, "slope per bar of the least-squares line through the last n closes"));
    rows.add(make_row<LinRegIntercept, kClose, kUsize>("LinRegIntercept", {14}, "least-squares line through the last n closes, read at the oldest bar"));
    rows.add(make_row<LinRegAngle, kClose, kUsize>("LinRegAngle", {14}, "angle in degrees of the least-squares slope of the last n closes"));
    rows.add(make_row<RSquared, kClose, kUsize>("RSquared", {14}, "coefficient of determination of the least-squares line through the last n closes; 1 on a flat window"));
    rows.add(make_row<TsfOscillator, kClose, kUsize>("TsfOscillator", {14}, "(close - Tsf) * 100 / close; a zero close repeats the previous value"));
    rows.add(make_row<Cfo, kClose, kUsize>("Cfo", {14}, "(close - LinearRegression) * 100 / close; a zero close repeats the previous value"));
    rows.add(make_row<StandardError, kClose, kUsize>("StandardError", {14}, "sqrt(SSR / (n - 2)) of the residuals about the least-squares line of the last n closes"));
    rows.add(make_row<DetrendedStdDev, kClose, kUsize>("DetrendedStdDev", {14}, "sqrt(SSR / n) of the residuals about the least-squares line of the last n closes"));
    rows.add(make_row<KRatio, kClose, kUsize>("KRatio", {20}, "slope of the cumulated last n returns over its standard error"));
    rows.add(make_row<TrendLabel, kClose, kUsize>("TrendLabel", {20}, "sign of the least-squares slope of the last n closes: 1, -1 or 0"));
}

void register_memory_and_entropy(FamilyRows& rows) {
    rows.add(make_row<Autocorrelation, kClose, kUsize, kUsize>("Autocorrelation", {20, 1}, "lag-L autocorrelation of the last n closes; 0 on a flat window"));
    rows.add(make_row<HurstExponent, kClose, kUsize, kUsize>("HurstExponent", {100, 4}, "rescaled-range Hurst exponent of the last n closes over 1..k chunks, clamped to [0, 1]"));
    rows.add(make_row<ShannonEntropy, kClose, kUsize, kUsize>("ShannonEntropy", {50, 10}, "entropy in bits of the m-bin histogram of the last n closes"));
    rows.add(make_row<SampleEntropy, kClose, kUsize, kUsize, kF64>("SampleEntropy", {50, 2, 0.2}, "sample entropy of the last n closes for templates of length m and tolerance r * sigma"));
}

}  // namespace

void register_statistics(FamilyRows& rows) {
    register_moments(rows);
    register_regression(rows);
    register_memory_and_entropy(rows);
}

}  // namespace plenko
