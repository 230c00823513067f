// sqrt(a^2 b + c^2 d) in the form used by hypot: the two terms are reduced to
// magnitudes e = |a| sqrt|b| and f = |c| sqrt|d|, and only their ratio is
// squared, so neither overflow nor underflow occurs before the final result.

#include "kzcommon12r/math/stats/KzExtremeNum.h"

#include <cmath>

namespace KzMath_1_2 {

bool KzExtremeNum::SumSqRoot(double a, double b, double c, double d, double& result) {
  if (std::isnan(a) || std::isnan(b) || std::isnan(c) || std::isnan(d)) return false;
  if (b < 0.0 && d < 0.0) return false;
  const double e = std::fabs(a) * std::sqrt(std::fabs(b));
  const double f = std::fabs(c) * std::sqrt(std::fabs(d));
  if (b >= 0.0 && d >= 0.0) {
    const double larger = std::fmax(e, f);
    const double smaller = std::fmin(e, f);
    if (larger == 0.0) {
      result = 0.0;
    } else if (e == f) {
      result = e * std::sqrt(2.0);
    } else {
      const double r = smaller / larger;
      result = larger * std::sqrt(1.0 + r * r);
    }
    return true;
  }
  // One negative weight: the positive term must dominate.
  const double positive = b < 0.0 ? f : e;
  const double negative = b < 0.0 ? e : f;
  if (positive == negative) {
    result = 0.0;
    return true;
  }
  if (negative > positive) return false;
  const double r = negative / positive;
  result = positive * std::sqrt((1.0 - r) * (1.0 + r));
  return true;
}

}  // namespace KzMath_1_2
