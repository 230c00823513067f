#ifndef KZCOMMON12R_MATH_STATS_KZDISTFUN_H
#define KZCOMMON12R_MATH_STATS_KZDISTFUN_H

#include <vector>

#include "kzcommon12r/kzcommon12r_export.h"

namespace KzMath_1_2 {

class KzDistFunAccess;

/// Distribution functions: cumulative distribution functions (Cdf...), upper
/// tails (Sig...) and inverses (Idf...) of the normal, chi-square, F, t, beta,
/// binomial and hypergeometric distributions, and two grouped-data helpers.
/// Static operations only; no operation throws. A result that cannot be
/// computed (invalid argument, NaN argument, numerical failure) is the missing
/// value KzCommon_1_2::KzMV::gMissingValue. Operations with an error argument
/// set it to 0 first and to the positive code listed on failure.
class KZ_EXPORT KzDistFun {
 public:
  // ---- Normal -------------------------------------------------------------
  /// Phi(x); exactly 0.5 at 0.
  static double CdfStdNorm(double x);
  /// Phi((x - mean)/sd); missing when sd <= 0.
  static double CdfNorm(double x, double mean, double sd);
  /// Phi^-1(p) (Algorithm AS 241); exactly 0 for p = 0.5; missing unless 0 < p < 1.
  static double IdfStdNorm(double p);
  /// Phi^-1(p)*sd + mean; exactly mean for p = 0.5; missing unless 0 < p < 1 and sd > 0.
  static double IdfNorm(double p, double mean, double sd);

  // ---- Chi-square ---------------------------------------------------------
  /// P(chi2(df) <= x); 0 for x <= 0; missing when df <= 0.
  static double CdfChi(double x, double df);
  /// P(chi2(df) > x); 1 for x <= 0; missing when df <= 0.
  static double SigChi(double x, double df);
  /// The x with CdfChi(x, df) = p (Algorithm AS 91, about 6 significant
  /// digits); 0 for p = 0; missing unless 0 <= p < 1 and df > 0, or when the
  /// iteration fails.
  static double IdfChi(double p, double df);

  // ---- F --------------------------------------------------------------------
  /// P(F(df1, df2) <= x); 0 for x <= 0; missing when df1 <= 0 or df2 <= 0.
  static double CdfF(double x, double df1, double df2);
  /// P(F(df1, df2) > x); 1 for x <= 0; missing as CdfF.
  static double SigF(double x, double df1, double df2);
  /// The x with CdfF(x, df1, df2) = p; 0 for p = 0; missing unless 0 <= p < 1,
  /// df1 > 0 and df2 > 0, or when the beta inverse fails.
  static double IdfF(double p, double df1, double df2);

  // ---- t --------------------------------------------------------------------
  /// P(T(df) <= x); 0.5 at 0; 1/2 + atan(x)/pi for df = 1; missing when df <= 0.
  static double CdfT(double x, double df);
  /// P(T(df) > x) = CdfT(-x, df); missing when df <= 0.
  static double SigT(double x, double df);
  /// The x with CdfT(x, df) = p; 0 for p = 0.5; missing unless 0 < p < 1 and df > 0.
  static double IdfT(double p, double df);

  // ---- Beta -----------------------------------------------------------------
  /// The x with I_x(a, b) = p (Algorithm AS 109); 0 for p = 0, 1 for p = 1;
  /// missing unless 0 <= p <= 1, a > 0 and b > 0, or when the iteration fails.
  static double IdfBeta(const double& p, const double& a, const double& b);

  // ---- Binomial -------------------------------------------------------------
  /// P(X <= floor(x)), X ~ Binomial(n, pi). error 3 (missing): n not an
  /// integer; error 1 (missing): n < 1 or pi outside [0, 1].
  static double CdfBin(double x, double n, double pi, long& error);
  /// P(X = x); 0 for a non-integer x or x outside [0, n]. error 1 (missing):
  /// pi outside [0, 1] or n < 1; error 2 (missing): the result overflows.
  static double PdfBin(double x, double n, double pi, long& error);
  /// The k with CdfBin(k) <= p < CdfBin(k + 1): -1 when p < CdfBin(0), n for
  /// p = 1 (one below the usual quantile where CdfBin(k) == p). error 1
  /// (missing): n not an integer; error 2 (missing): n < 1, pi or p outside [0, 1].
  static double IdfBin(double p, double n, double pi, long& error);

  // ---- Hypergeometric -------------------------------------------------------
  /// P(X <= floor(x)) for X the marked items among n drawn without replacement
  /// from N holding K marked (Algorithm AS 152). error 1 (missing): N not an
  /// integer <= 2147483647, K or n not integers, min(K, n) < 1 or max(K, n) > N.
  static double CDFHyper(double x, double N, double K, double n, int& error);

  // ---- Grouped data ---------------------------------------------------------
  /// Percentile `percent` of grouped data: nGroups groups with `values` and
  /// `frequencies`; nBounds < 1: interpolation between group midpoints of the
  /// cumulative count; nBounds == 1: groups of common width bounds[0] centred on
  /// their values; nBounds >= 2: explicit class boundaries bounds[0 .. nBounds-1].
  /// result: the percentile or missing. status: -1 invalid (fewer than 2
  /// groups, vectors shorter than the counts), 0 computed, 1 target below the
  /// first group, 2 target above the last.
  static void GPTile(long nGroups, double percent, const std::vector<double>& values,
                     const std::vector<double>& frequencies, const std::vector<double>& bounds,
                     long nBounds, double& result, long& status);

  /// Distribution-free confidence interval for the median of grouped data
  /// (sorted group values and their frequencies, n cases in all, confidence in
  /// percent) from binomial(n, 1/2) order statistics; `actual` receives the
  /// exact coverage in percent when computeActual is true. Outputs stay
  /// missing when the interval cannot be formed.
  static void Mednci(long nGroups, const std::vector<double>& values,
                     const std::vector<double>& frequencies, double n, double confidence,
                     bool computeActual, double& lower, double& upper, double& actual);

 private:
  friend class KzDistFunAccess;  // numerical tests and benchmarks of the kernels below

  static double derf(const double& x);
  static double derfc(const double& x);
  static double prbnrm(const double& x);
  static double probit(const double& p);
  static double dnlgam(const double& x);
  static double orvadnlgam(const double& x);
  static double dnlbnc(const double& n, const double& k, long& err);
  static double gammad(const double& x, const double& p, const bool& lower, long& err);
  static double cdfbet(const double& x, const double& a, const double& b, long& err);
  static double betinv(const double& p, const double& a, const double& b);
  static double cbtaux(const double& x);
  static double orvacdff(const double& x, const double& df1, const double& df2, long& err);
  static double orvacdft(const double& x, const double& df, long& err);
  static double orvaidfchi(const double& p, const double& df, long& err);
  static double idfchb(const double& p, const double& df, const double& start, long& err);
  static double orvaidff(const double& p, const double& df1, const double& df2, long& err);
  static double orvaidft(const double& p, const double& df, long& err);

  // lnGamma(n + 1) - ((n + 1/2) ln n - n + ln sqrt(2 pi)), n > 0.
  static double stirlingError(const double& n);
  // ln(C(n, k) p^k q^(n-k)) for 0 <= k <= n, q = 1 - p, in C. Loader's
  // saddle-point form (Stirling corrections of n, k, n - k and the deviances
  // k ln(k/(n p)) + n p - k, likewise for n - k), free of cancellation.
  static double logBinomialTerm(const double& k, const double& n, const double& p, const double& q);
  // Peizer-Pratt normal approximation of P(X <= k), X ~ Binomial(n, p), q = 1 - p.
  static double peizerPratt(const double& k, const double& n, const double& p, const double& q);
  // The beta inverse as the pair (x, 1 - x), the smaller of the two computed
  // directly, so that callers transforming x near 1 keep its complement.
  static bool betinvPair(const double& p, const double& a, const double& b, double& x,
                         double& complement);
  // I_x(a, b) with the complement 1 - x supplied exactly by the caller.
  static double cdfbetPair(const double& x, const double& complement, const double& a,
                           const double& b, long& err);
};

}  // namespace KzMath_1_2

#endif  // KZCOMMON12R_MATH_STATS_KZDISTFUN_H
