#ifndef KZCOMMON12R_COMMON_KZMV_H
#define KZCOMMON12R_COMMON_KZMV_H

#include "kzcommon12r/kzcommon12r_export.h"

namespace KzCommon_1_2 {

/// The missing value: one reserved double, the most negative finite double
/// (-1.7976931348623157e+308, bits 0xFFEFFFFFFFFFFFFF). Every operation of the
/// library that meets or produces missing data uses it.
class KZ_EXPORT KzMV {
 public:
  static constexpr double gMissingValue = -1.7976931348623157e+308;

  /// True exactly when x compares equal to the missing value. An ordered
  /// comparison: a NaN is never missing, nor is -infinity.
  static bool IsMissing(double x) { return x == gMissingValue; }

  /// The missing value.
  static double Missing() { return gMissingValue; }

  KzMV& operator=(const KzMV&) = default;
};

}  // namespace KzCommon_1_2

#endif  // KZCOMMON12R_COMMON_KZMV_H
