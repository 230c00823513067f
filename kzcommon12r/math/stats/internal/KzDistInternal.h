#ifndef KZCOMMON12R_MATH_STATS_INTERNAL_KZDISTINTERNAL_H
#define KZCOMMON12R_MATH_STATS_INTERNAL_KZDISTINTERNAL_H

// Helpers shared by the distribution-function sources; not installed.

#include <cmath>
#include <cstddef>

#include "kzcommon12r/common/KzMV.h"

namespace KzMath_1_2 {
namespace kzdist {

constexpr double kMissing = KzCommon_1_2::KzMV::gMissingValue;
// Exponentials below e^-708 are flushed to 0 and those above e^709 reported.
constexpr double kMinLogExp = -708.0;
constexpr double kMaxLogExp = 709.0;
constexpr double kPi = 3.14159265358979323846;
constexpr double kSqrt1_2 = 0.70710678118654752440;
constexpr double kLnSqrtPi = 0.57236494292470008707;  // lnGamma(0.5) = ln(pi)/2
// sqrt(DBL_MAX) as a constant: rescaling threshold of the continued fractions.
constexpr double kSqrtDblMax = 1.3407807929942596e+154;

inline bool IsMissing(double x) { return x == kMissing; }

// Horner evaluation of c[0]*t^(n-1) + ... + c[n-1] (highest power first).
template <std::size_t N>
inline double Horner(const double* c, double t) {
  double y = c[0];
  for (std::size_t i = 1; i < N; ++i) y = y * t + c[i];
  return y;
}

// lnGamma(x + s) - lnGamma(x) for x >= 8 and x + s >= 8, from Stirling's
// series without forming either log-gamma:
// (x - 1/2) log1p(s/x) + s ln(x + s) - s + w(x + s) - w(x), w the series tail.
double LnGammaShift(double x, double s);

// ln(x^a y^b / (a B(a, b))), y = 1 - x, for a >= 8 and b >= 8, from Stirling's
// series (as in TOMS 708's brcomp): with s = a + b, d1 = (x s - a)/a and
// d2 = (y s - b)/b (a d1 + b d2 = 0),
// -a (d1 - log1p d1) - b (d2 - log1p d2) + ln sqrt(a b / (2 pi s)) - ln a
// - (w(a) + w(b) - w(s)), w the series tail: no large terms cancel.
double LnBetaFrontLarge(double x, double y, double a, double b);

// Phi(x) through the error functions (defined with KzDistFun's normal code).
double NormalCdf(double x);

}  // namespace kzdist
}  // namespace KzMath_1_2

#endif  // KZCOMMON12R_MATH_STATS_INTERNAL_KZDISTINTERNAL_H
