// Discrete distributions: binomial probabilities, cumulative probabilities and
// quantiles, and the hypergeometric cumulative distribution.
//
// CdfBin sums the terms outward from min(x, mode) by their ratio recurrence
// until they no longer change the sum; when the starting term underflows it
// uses the Peizer-Pratt normal approximation.
// CDFHyper: R. E. Lund, Algorithm AS 152, Appl. Statist. 29 (1980) 221-230:
// the point probability at x, scaled by 1e35, and the shorter tail summed by
// the ratio recurrence; a normal approximation for large populations.

#include <cmath>

#include "kzcommon12r/math/stats/KzDistFun.h"
#include "kzcommon12r/math/stats/KzPower.h"
#include "kzcommon12r/math/stats/internal/KzDistInternal.h"

namespace KzMath_1_2 {

namespace {

using kzdist::kMissing;

constexpr double kHyperScale = 1e35;
const double kLnHyperScale = std::log(kHyperScale);

}  // namespace

double KzDistFun::PdfBin(double x, double n, double pi, long& error) {
  error = 0;
  if (!(pi >= 0.0 && pi <= 1.0 && n >= 1.0) || !std::isfinite(n) || std::isnan(x)) {
    error = 1;
    return kMissing;
  }
  if (x != std::floor(x + 0.5) || x < 0.0 || x > n) return 0.0;
  if (pi == 0.0) return x == 0.0 ? 1.0 : 0.0;
  if (pi == 1.0) return x == n ? 1.0 : 0.0;
  if (x == n) return std::pow(pi, n);
  const double lq = std::log1p(-pi);
  if (x == 0.0) {
    const double arg = n * lq;
    return arg < kzdist::kMinLogExp ? 0.0 : std::exp(arg);
  }
  const double arg = logBinomialTerm(x, n, pi, 1.0 - pi);
  if (arg < kzdist::kMinLogExp) return 0.0;
  if (arg > kzdist::kMaxLogExp) {
    error = 2;
    return kMissing;
  }
  return std::exp(arg);
}

double KzDistFun::CdfBin(double x, double n, double pi, long& error) {
  error = 0;
  if (!KzPower::IsInteger(n)) {
    error = 3;
    return kMissing;
  }
  if (!(n >= 1.0 && pi >= 0.0 && pi <= 1.0) || std::isnan(x)) {
    error = 1;
    return kMissing;
  }
  x = std::floor(x);
  if (pi == 0.0) return x < 0.0 ? 0.0 : 1.0;
  if (pi == 1.0) return x >= n ? 1.0 : 0.0;
  if (x < 0.0) return 0.0;
  if (x >= n) return 1.0;
  const double q = 1.0 - pi;
  const double lq = std::log1p(-pi);
  if (x == 0.0) {
    const double arg = n * lq;
    return arg < kzdist::kMinLogExp ? 0.0 : std::exp(arg);
  }
  const double mode = std::floor((n + 1.0) * pi);
  const double k = std::fmin(x, mode);
  const double logTerm = k == 0.0 ? n * lq : logBinomialTerm(k, n, pi, q);
  if (logTerm < kzdist::kMinLogExp) return peizerPratt(x, n, pi, q);
  const double start = std::exp(logTerm);
  double sum = start;
  // Downwards from k: term(j) = term(j + 1) (j + 1)/(n - j) (1 - pi)/pi.
  const double down = q / pi;
  double term = start;
  for (double j = k - 1.0; j >= 0.0; j -= 1.0) {
    term *= (j + 1.0) / (n - j) * down;
    const double next = sum + term;
    if (next == sum) break;
    sum = next;
  }
  if (x > mode) {
    // Upwards from the mode: term(j) = term(j - 1) (n + 1 - j)/j pi/(1 - pi).
    const double up = pi / q;
    term = start;
    for (double j = mode + 1.0; j <= x; j += 1.0) {
      term *= (n + 1.0 - j) / j * up;
      const double next = sum + term;
      if (next == sum) break;
      sum = next;
    }
  }
  return sum > 1.0 ? 1.0 : sum;
}

double KzDistFun::IdfBin(double p, double n, double pi, long& error) {
  error = 0;
  if (!KzPower::IsInteger(n)) {
    error = 1;
    return kMissing;
  }
  if (!(n >= 1.0 && pi >= 0.0 && pi <= 1.0 && p >= 0.0 && p <= 1.0)) {
    error = 2;
    return kMissing;
  }
  // The k with CdfBin(k) <= p < CdfBin(k + 1).
  if (p == 0.0) return pi == 1.0 ? n - 1.0 : -1.0;
  if (p == 1.0) return pi == 0.0 ? 0.0 : n;
  // Degenerate distributions: all mass at 0 (pi = 0) or at n (pi = 1).
  if (pi == 0.0) return -1.0;
  if (pi == 1.0) return n - 1.0;
  double k = std::floor(probit(p) * std::sqrt(n * pi * (1.0 - pi)) + n * pi - 0.5);
  if (k < 0.0) k = 0.0;
  if (k > n) k = n;
  long err;
  double cdf = CdfBin(k, n, pi, err);
  if (err) {
    error = 2;
    return kMissing;
  }
  if (std::fabs(cdf - p) < 128.0 * KzPower::gMachineEpsilon) return k;
  const double q = 1.0 - pi;
  double point = PdfBin(k, n, pi, err);
  if (err) {
    error = 2;
    return kMissing;
  }
  if (p < cdf) {
    // Step down: CdfBin(k - 1) = CdfBin(k) - P(X = k).
    while (p < cdf && k > 0.0) {
      cdf -= point;
      point *= k / (n - k + 1.0) * q / pi;
      k -= 1.0;
    }
    if (p < cdf) return -1.0;  // p below P(X = 0)
    return k;
  }
  // Step up while the next cumulative value does not exceed p.
  while (k < n) {
    const double next = point * (n - k) / (k + 1.0) * pi / q;
    if (p < cdf + next) break;
    cdf += next;
    point = next;
    k += 1.0;
  }
  return k;
}

double KzDistFun::CDFHyper(double x, double N, double K, double n, int& error) {
  error = 0;
  if (!KzPower::IsInteger(N) || !KzPower::IsInteger(K) || !KzPower::IsInteger(n) ||
      !(std::fmin(K, n) >= 1.0) || !(std::fmax(K, n) <= N) || std::isnan(x)) {
    error = 1;
    return kMissing;
  }
  x = std::floor(x);
  const double lowest = std::fmax(0.0, K + n - N);
  const double highest = std::fmin(K, n);
  if (x < lowest) return 0.0;
  if (x >= highest) return 1.0;
  if (N > 10000.0 && n < N) {
    const double bound = 16.0 * std::fmax(n / (N - n), (N - n) / n);
    if (std::fmin(K, N - K) > bound) {
      const double var = (N - K) / (N - 1.0) * ((N - n) / N) * (K / N) * n;
      return kzdist::NormalCdf((x - K * n / N + 0.5) / std::sqrt(var));
    }
  }
  // Point probability P(X = x) = C(K, x) C(N - K, n - x) / C(N, n), scaled by 1e35.
  double point;
  if (N <= 1000.0) {
    // Product of ratios, with the binary exponent carried separately so that
    // no partial product overflows or underflows.
    double mant = 1.0;
    int expo = 0;
    auto mul = [&mant, &expo](double f) {
      int e;
      mant = std::frexp(mant * f, &e);
      expo += e;
    };
    const double m = n - x;  // unmarked drawn
    for (double i = 0.0; i < x; i += 1.0) mul((K - i) / (x - i));
    for (double i = 0.0; i < m; i += 1.0) mul((N - K - i) / (m - i));
    for (double i = 0.0; i < n; i += 1.0) mul((n - i) / (N - i));
    point = std::ldexp(mant * kHyperScale, expo);
  } else {
    // ln C(K, x) + ln C(N - K, n - x) - ln C(N, n), formed as binomial
    // log-terms at p = n/N (the powers of p and 1 - p cancel), whose saddle-point
    // form keeps the digits that differences of large log-gammas lose.
    const double pr = n / N;
    const double qr = (N - n) / N;
    const double lnPoint = logBinomialTerm(x, K, pr, qr) + logBinomialTerm(n - x, N - K, pr, qr) -
                           logBinomialTerm(n, N, pr, qr);
    KzPower::Exponent(lnPoint + kLnHyperScale, point);
  }
  if (!(point > 0.0)) {
    // The point probability underflows even scaled: the shorter tail, which
    // decreases away from x, is negligible too.
    return (x - 1.0) < (K - 1.0) * (n - 1.0) / N ? 0.0 : 1.0;
  }
  const double base = N - K - n;
  if ((x - 1.0) < (K - 1.0) * (n - 1.0) / N) {
    // Lower tail: P(X = j - 1) = P(X = j) j (N - K - n + j) / ((K - j + 1)(n - j + 1)).
    double sum = point;
    double term = point;
    for (double j = x; j > lowest; j -= 1.0) {
      term *= j * (base + j) / ((K - j + 1.0) * (n - j + 1.0));
      if (!(term > 0.0)) break;
      sum += term;
    }
    const double r = sum / kHyperScale;
    return r > 1.0 ? 1.0 : r;
  }
  // Upper tail: P(X = j + 1) = P(X = j) (K - j)(n - j) / ((j + 1)(N - K - n + j + 1)).
  double sum = 0.0;
  double term = point;
  for (double j = x; j < highest; j += 1.0) {
    term *= (K - j) * (n - j) / ((j + 1.0) * (base + j + 1.0));
    if (!(term > 0.0)) break;
    sum += term;
  }
  const double r = 1.0 - sum / kHyperScale;
  return r < 0.0 ? 0.0 : r;
}

}  // namespace KzMath_1_2
