#ifndef KZCOMMON12R_COMMON_KZSTATUS_H
#define KZCOMMON12R_COMMON_KZSTATUS_H

#include <cstdint>

#include "kzcommon12r/kzcommon12r_export.h"

namespace KzCommon_1_2 {

/// A copyable status record: a code, a severity (0 OK, +1 warning, -1 error)
/// and three integer and three real data slots. Returned by operations that
/// build documents for a caller. `long` values are carried as 32-bit integers.
class KZ_EXPORT KzStatus {
 public:
  static constexpr int gNumSlots = 3;

  /// OK: code 0, severity 0, all slots zero.
  KzStatus();
  /// A status with `code`: a warning when `isWarning`, else an error (never OK,
  /// even for code 0). The code is stored as a 32-bit integer (wraps).
  KzStatus(long code, bool isWarning);

  bool IsOK() const { return severity == 0; }
  bool IsError() const { return severity < 0; }
  bool IsWarning() const { return severity > 0; }

  long GetErrorCode() const { return code; }

  /// Slot `index` (0 to 2); 0 for an index outside that range.
  long GetDiscreteDatum(unsigned index) const;
  /// Writes slot `index` (0 to 2) as a 32-bit integer; an index outside that
  /// range changes nothing.
  void SetDiscreteDatum(unsigned index, long value);
  /// Slot `index` (0 to 2); 0.0 for an index outside that range.
  double GetScaleDatum(unsigned index) const;
  /// Writes slot `index` (0 to 2); an index outside that range changes nothing.
  void SetScaleDatum(unsigned index, double value);

  /// Equal codes, equal severities and, slot by slot, equal discrete values and
  /// scale values equal as doubles (a NaN slot makes two statuses unequal).
  bool operator==(const KzStatus& other) const;
  bool operator!=(const KzStatus& other) const { return !(*this == other); }

 private:
  std::int32_t code;
  std::int16_t severity;
  std::int32_t discreteData[gNumSlots];
  double scaleData[gNumSlots];
};

}  // namespace KzCommon_1_2

#endif  // KZCOMMON12R_COMMON_KZSTATUS_H
