#ifndef KZCOMMON12R_MATH_STATS_KZPOWER_H
#define KZCOMMON12R_MATH_STATS_KZPOWER_H

#include "kzcommon12r/kzcommon12r_export.h"

namespace KzMath_1_2 {

/// Exponentiation, multiplication and comparisons that never overflow
/// silently, with the machine constants they rest on. Static operations only.
class KZ_EXPORT KzPower {
 public:
  /// 2^-52, the spacing of doubles at 1.
  static constexpr double gMachineEpsilon = 2.220446049250313e-16;
  /// The largest 32-bit signed integer.
  static constexpr double gMachineMaxInt = 2147483647.0;
  /// Largest exponent x for which e^x is computed (e^709 < DBL_MAX).
  static constexpr double gMachineMaxExp = 709.0;
  /// Smallest exponent x for which e^x is computed (e^x stays a normal double).
  static constexpr double gMachineMinExp = -708.39;

  /// Result of `Exponent` and `Power`; the output value for each is documented
  /// with the operations.
  enum PowerStatus {
    kPowerOk = 0,                ///< computed
    kPowerUnderflow = 1,         ///< exponent below -708.39: output 0 (-0 for a negative base)
    kPowerOverflow = 2,          ///< exponent above 709: output missing
    kPowerNegativeOverflow = 3,  ///< negative base, odd power, positive exponent: missing
    kPowerNegativeBaseBadExponent = 4,   ///< negative base, exponent not an odd integer nor
                                         ///< the reciprocal of one: missing
    kPowerNegativeBaseZeroExponent = 5,  ///< negative base, zero exponent: 1
    kPowerZeroBaseNegativeExponent = 6,  ///< zero base, negative or NaN exponent: missing
    kPowerZeroBaseZeroExponent = 7       ///< zero base, zero exponent: 1
  };

  static double MEpsilon() { return gMachineEpsilon; }
  static double MaxInt() { return gMachineMaxInt; }
  static double MaxExp() { return gMachineMaxExp; }
  static double MinExp() { return gMachineMinExp; }
  /// x > 709.
  static bool ExpOverflow(double x) { return x > gMachineMaxExp; }
  /// x < -708.39.
  static bool ExpUnderflow(double x) { return x < gMachineMinExp; }

  /// result = e^x. x < -708.39: result 0, status 1; x > 709 or NaN: result
  /// missing, status 2; else status 0.
  static PowerStatus Exponent(double x, double& result);

  /// result = base^exponent, tested in logarithms against the exponent range
  /// and then computed exactly as std::pow would. Statuses and outputs as in
  /// `PowerStatus`; a negative base takes an even or odd integer exponent, or the
  /// reciprocal of an odd integer (odd root, within 32 units of rounding).
  /// A NaN base gives missing with status 2.
  static PowerStatus Power(double base, double exponent, double& result);

  /// a*b: 0 when either is 0; 0 when ln|a| + ln|b| < -708.39; missing when it
  /// exceeds 709; otherwise the exact (rounded) product.
  static double Multiply(double a, double b);

  /// True when a and b have the same sign and ||a| - |b|| / max(|a|, |b|) <=
  /// gMachineEpsilon * tolerance; a zero only equals a zero.
  static bool AlmostEqual(double a, double b, double tolerance);

  /// x finite, x <= 2147483647 and floor(x) == x.
  static bool IsInteger(double x);
  /// An integer with floor(x/2) == x/2.
  static bool IsEvenInteger(double x);
  /// An integer with floor(x/2 + 0.5) == x/2 + 0.5.
  static bool IsOddInteger(double x);
  /// a == 1/(2m) for an integer m: h = 1/(2a) AlmostEqual (tolerance) to the
  /// nearest integer; false for a == 0 or 1/a > 2147483647.
  static bool IsOneOverEvenInteger(double a, double tolerance);
  /// a == 1/(2m - 1) for an integer m: as above with h = 1/(2a) + 0.5.
  static bool IsOneOverOddInteger(double a, double tolerance);
};

}  // namespace KzMath_1_2

#endif  // KZCOMMON12R_MATH_STATS_KZPOWER_H
