// Normal distribution.
//
// derf/derfc: T. Ooura's double-precision error functions (the piecewise
// polynomial layout of his published gamerf package): erf(x) = |x| P_k(frac(x^2))
// for |x| < 2.2, erf(x) = 1 - P_k(frac|x|)^16 for 2.2 <= |x| < 6.9, and
// erfc(x) = t P(t - 1/2) exp(-x^2) with t = K/(|x| + K), K = 3.97886080735226.
// The coefficient tables are full-precision Chebyshev interpolants regenerated
// with tools/gen_dist_tables.py; relative error about 1e-16.
//
// probit: M. J. Wichura, Algorithm AS 241 (PPND16), Appl. Statist. 37 (1988)
// 477-484, accurate to about 1 part in 1e16.

#include <cmath>

#include "kzcommon12r/math/stats/KzDistFun.h"
#include "kzcommon12r/math/stats/internal/KzDistInternal.h"

namespace KzMath_1_2 {

namespace {

#include "kzcommon12r/math/stats/internal/KzDistTables.inc"

using kzdist::kMissing;

constexpr double kErfcK = 3.97886080735226;

// e^-(s x^2) for s = 1 or 1/2, with x^2 split exactly (Dekker) into hi + lo:
// e^-(s hi) (1 - s lo). Rounding x^2 would otherwise cost a relative error of
// about x^2 2^-53 in the tail.
inline double ExpMinusScaledSquare(double x, double s) {
  const double hi = x * x;
  const double c = 134217729.0 * x;  // 2^27 + 1
  const double xh = c - (c - x);
  const double xl = x - xh;
  const double lo = ((xh * xh - hi) + 2.0 * xh * xl) + xl * xl;
  return std::exp(-s * hi) * (1.0 - s * lo);
}

// erfc(w) e^(w^2) for w >= 0: t P(t - 1/2), t = K/(w + K).
inline double ErfcScaled(double w) {
  const double t = kErfcK / (w + kErfcK);
  return t * kzdist::Horner<23>(kErfc, t - 0.5);
}

// erfc(w) = ErfcScaled(w) e^(-e2), e2 = w^2 given by its factor: flushed to 0
// when the logarithm of the result is below -708.
inline double ErfcFromScaled(double y, double x, double s) {
  const double e2 = s * x * x;
  if (e2 > 700.0 && std::log(y) - e2 < kzdist::kMinLogExp) return 0.0;
  return y * ExpMinusScaledSquare(x, s);
}

// AS 241 coefficients, as published (Wichura 1988).
constexpr double kA[8] = {2509.0809287301226727, 33430.575583588128105, 67265.770927008700853,
                          45921.953931549871457, 13731.693765509461125, 1971.5909503065514427,
                          133.14166789178437745, 3.387132872796366608};
constexpr double kB[8] = {
    5226.495278852854561,  28729.085735721942674, 39307.89580009271061,  21213.794301586595867,
    5394.1960214247511077, 687.1870074920579083,  42.313330701600911252, 1.0};
constexpr double kC[8] = {7.7454501427834140764e-4, 0.0227238449892691845833,
                          0.24178072517745061177,   1.27045825245236838258,
                          3.64784832476320460504,   5.7694972214606914055,
                          4.6303378461565452959,    1.42343711074968357734};
constexpr double kD[8] = {1.05075007164441684324e-9, 5.475938084995344946e-4,
                          0.0151986665636164571966,  0.14810397642748007459,
                          0.68976733498510000455,    1.6763848301838038494,
                          2.05319162663775882187,    1.0};
constexpr double kE[8] = {2.01033439929228813265e-7, 2.71155556874348757815e-5,
                          0.0012426609473880784386,  0.026532189526576123093,
                          0.29656057182850489123,    1.7848265399172913358,
                          5.4637849111641143699,     6.6579046435011037772};
constexpr double kF[8] = {2.04426310338993978564e-15, 1.4215117583164458887e-7,
                          1.8463183175100546818e-5,   7.868691311456132591e-4,
                          0.0148753612908506148525,   0.13692988092273580531,
                          0.59983220655588793769,     1.0};

}  // namespace

double KzDistFun::derf(const double& x) {
  const double w = std::fabs(x);
  double y;
  if (w < 2.2) {
    double t = w * w;
    const int k = static_cast<int>(t);
    t -= k;
    y = kzdist::Horner<13>(kErfSmall + 13 * k, t) * w;
  } else if (w < 6.9) {
    const int k = static_cast<int>(w);
    const double t = w - k;
    y = kzdist::Horner<13>(kErfLarge + 13 * (k - 2), t);
    y *= y;
    y *= y;
    y *= y;
    y *= y;
    y = 1.0 - y;
  } else if (std::isnan(w)) {
    return w;
  } else {
    y = 1.0;
  }
  return x < 0.0 ? -y : y;
}

double KzDistFun::derfc(const double& x) {
  if (std::isnan(x)) return x;
  const double w = std::fabs(x);
  const double y = ErfcFromScaled(ErfcScaled(w), w, 1.0);
  return x < 0.0 ? 2.0 - y : y;
}

double KzDistFun::prbnrm(const double& x) {
  if (x == 0.0) return 0.5;
  const double z = x * kzdist::kSqrt1_2;
  if (x > 0.0) return 0.5 + 0.5 * derf(z);
  // erfc(-x/sqrt 2)/2 with the Gaussian factor e^(-x^2/2) formed from x itself,
  // so that the rounding of x/sqrt 2 reaches only the smooth factor.
  return 0.5 * ErfcFromScaled(ErfcScaled(-z), x, 0.5);
}

double KzDistFun::probit(const double& p) {
  if (!(p > 0.0 && p < 1.0)) return kMissing;
  if (p == 0.5) return 0.0;
  const double q = p - 0.5;
  if (std::fabs(q) <= 0.425) {
    const double r = 0.180625 - q * q;
    return q * kzdist::Horner<8>(kA, r) / kzdist::Horner<8>(kB, r);
  }
  double r = std::sqrt(-std::log(q < 0.0 ? p : 1.0 - p));
  double value;
  if (r <= 5.0) {
    r -= 1.6;
    value = kzdist::Horner<8>(kC, r) / kzdist::Horner<8>(kD, r);
  } else {
    r -= 5.0;
    value = kzdist::Horner<8>(kE, r) / kzdist::Horner<8>(kF, r);
  }
  return q < 0.0 ? -value : value;
}

double KzDistFun::CdfStdNorm(double x) {
  if (std::isnan(x)) return kMissing;
  return prbnrm(x);
}

double KzDistFun::CdfNorm(double x, double mean, double sd) {
  if (!(sd > 0.0)) return kMissing;
  const double z = (x - mean) / sd;
  if (std::isnan(z)) return kMissing;
  return prbnrm(z);
}

double KzDistFun::IdfStdNorm(double p) { return probit(p); }

double KzDistFun::IdfNorm(double p, double mean, double sd) {
  if (!(sd > 0.0) || std::isnan(mean)) return kMissing;
  const double z = probit(p);
  if (z == kMissing) return kMissing;
  if (z == 0.0) return mean;
  return z * sd + mean;
}

namespace kzdist {
double NormalCdf(double x) { return KzDistFun::CdfStdNorm(x); }
}  // namespace kzdist

}  // namespace KzMath_1_2
