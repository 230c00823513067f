#ifndef KZCOMMON12R_MATH_STATS_KZEXTREMENUM_H
#define KZCOMMON12R_MATH_STATS_KZEXTREMENUM_H

#include "kzcommon12r/kzcommon12r_export.h"

namespace KzMath_1_2 {

/// Arithmetic on values near the ends of the double range.
class KZ_EXPORT KzExtremeNum {
 public:
  /// result = sqrt(a^2 * b + c^2 * d) without forming the squares: with
  /// e = |a| sqrt|b| and f = |c| sqrt|d|, the larger of the two times
  /// sqrt(1 +- (smaller/larger)^2). Returns false (result unchanged) when the
  /// radicand is negative: the term with a negative weight dominates, or both
  /// weights are negative; a NaN argument also gives false.
  static bool SumSqRoot(double a, double b, double c, double d, double& result);
};

}  // namespace KzMath_1_2

#endif  // KZCOMMON12R_MATH_STATS_KZEXTREMENUM_H
