#ifndef KZCOMMON12R_COMMON_KZWARNINGS_H
#define KZCOMMON12R_COMMON_KZWARNINGS_H

#include <vector>

#include "kzcommon12r/common/KzStatus.h"
#include "kzcommon12r/kzcommon12r_export.h"

namespace KzCommon_1_2 {

/// A duplicate-free collection of statuses, in order of first insertion.
/// Offered to callers; the library itself never fills one.
class KZ_EXPORT KzWarnings {
 public:
  KzWarnings();
  KzWarnings(const KzWarnings& other);
  KzWarnings& operator=(const KzWarnings& other);
  virtual ~KzWarnings();

  /// Appends `w` unless an equal status is already held.
  void AddWarning(const KzStatus& w);
  /// AddWarning for each element in order (duplicates inside `ws` collapse too).
  void AddWarnings(const std::vector<KzStatus>& ws);
  void ClearWarnings();
  const std::vector<KzStatus>& GetWarnings() const { return warnings; }

 private:
  std::vector<KzStatus> warnings;
};

}  // namespace KzCommon_1_2

#endif  // KZCOMMON12R_COMMON_KZWARNINGS_H
