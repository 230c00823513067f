// Safe exponentiation and multiplication: the result range is tested in
// logarithms first, so that overflow is reported, never produced. A result in
// range is then computed directly (the product a*b or std::pow), because
// exp(ln a + ln b) carries the rounding errors of two logarithms and an
// exponential and is inexact even for small integers.

#include "kzcommon12r/math/stats/KzPower.h"

#include <cmath>

#include "kzcommon12r/common/KzMV.h"

namespace KzMath_1_2 {

namespace {
constexpr double kMissing = KzCommon_1_2::KzMV::gMissingValue;
}  // namespace

KzPower::PowerStatus KzPower::Exponent(double x, double& result) {
  if (x < gMachineMinExp) {
    result = 0.0;
    return kPowerUnderflow;
  }
  if (!(x <= gMachineMaxExp)) {  // above the range, or NaN
    result = kMissing;
    return kPowerOverflow;
  }
  result = std::exp(x);
  return kPowerOk;
}

KzPower::PowerStatus KzPower::Power(double base, double exponent, double& result) {
  result = kMissing;
  if (std::isnan(base)) return kPowerOverflow;
  if (base > 0.0) {
    if (exponent == 0.0) {
      result = 1.0;
      return kPowerOk;
    }
    double probe;
    PowerStatus status = Exponent(exponent * std::log(base), probe);
    result = status == kPowerOk ? std::pow(base, exponent) : probe;
    return status;
  }
  if (base < 0.0) {
    if (exponent == 0.0) {
      result = 1.0;
      return kPowerNegativeBaseZeroExponent;
    }
    const double magnitude = -base;
    const bool even = IsEvenInteger(exponent);
    const bool odd = !even && (IsOddInteger(exponent) || IsOneOverOddInteger(exponent, 32.0));
    if (!even && !odd) return kPowerNegativeBaseBadExponent;
    double probe;
    PowerStatus status = Exponent(exponent * std::log(magnitude), probe);
    if (status == kPowerOk) {
      // An odd root of a negative number is minus the root of its magnitude.
      const double r = std::pow(magnitude, exponent);
      result = even ? r : -r;
      return kPowerOk;
    }
    if (status == kPowerUnderflow) {
      result = even ? 0.0 : -0.0;
      return status;
    }
    result = kMissing;
    return (!even && exponent > 0.0) ? kPowerNegativeOverflow : status;
  }
  // base == 0
  if (exponent > 0.0) {
    result = 0.0;
    return kPowerOk;
  }
  if (exponent == 0.0) {
    result = 1.0;
    return kPowerZeroBaseZeroExponent;
  }
  return kPowerZeroBaseNegativeExponent;
}

double KzPower::Multiply(double a, double b) {
  if (a == 0.0 || b == 0.0) return 0.0;
  const double logSum = std::log(std::fabs(a)) + std::log(std::fabs(b));
  if (logSum < gMachineMinExp) return 0.0;
  if (logSum > gMachineMaxExp) return kMissing;
  return a * b;
}

bool KzPower::AlmostEqual(double a, double b, double tolerance) {
  if (a == 0.0) return b == 0.0;
  if (b == 0.0 || (a < 0.0) != (b < 0.0)) return false;
  const double fa = std::fabs(a);
  const double fb = std::fabs(b);
  return std::fabs(fa - fb) / std::fmax(fa, fb) <= gMachineEpsilon * tolerance;
}

bool KzPower::IsInteger(double x) {
  // Infinities are excluded: floor(-inf) == -inf would make them "integers".
  return std::isfinite(x) && x <= gMachineMaxInt && std::floor(x) == x;
}

bool KzPower::IsEvenInteger(double x) { return IsInteger(x) && std::floor(x / 2.0) == x / 2.0; }

bool KzPower::IsOddInteger(double x) {
  return IsInteger(x) && std::floor(x / 2.0 + 0.5) == x / 2.0 + 0.5;
}

bool KzPower::IsOneOverEvenInteger(double a, double tolerance) {
  if (a == 0.0 || !(1.0 / a <= gMachineMaxInt)) return false;
  const double h = 1.0 / (2.0 * a);
  return AlmostEqual(h, std::floor(h + 0.5), tolerance);
}

bool KzPower::IsOneOverOddInteger(double a, double tolerance) {
  if (a == 0.0 || !(1.0 / a <= gMachineMaxInt)) return false;
  const double h = 1.0 / (2.0 * a) + 0.5;
  return AlmostEqual(h, std::floor(h + 0.5), tolerance);
}

}  // namespace KzMath_1_2
