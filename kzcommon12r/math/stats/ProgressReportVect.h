#ifndef KZCOMMON12R_MATH_STATS_PROGRESSREPORTVECT_H
#define KZCOMMON12R_MATH_STATS_PROGRESSREPORTVECT_H

#include <string>
#include <vector>

#include "kzcommon12r/kzcommon12r_export.h"
#include "kzcommon12r/math/stats/ProgressReport.h"

namespace KzCommon_1_2 {

/// A progress report that can also answer vector measures.
class KZ_EXPORT ProgressReportVect : public ProgressReport {
 public:
  ~ProgressReportVect() override;

  /// The vector measure called `name`, or null. The vector belongs to the
  /// reporter (or to whoever it borrowed it from) and is valid until the next
  /// change of the reporter. This default knows no vector measure.
  // Not pure: a reporter with only scalar measures need not override it.
  virtual const std::vector<double>* VectorMeasure(const std::string& name);

 protected:
  ProgressReportVect() = default;
  ProgressReportVect(const ProgressReportVect&) = default;
  ProgressReportVect& operator=(const ProgressReportVect&) = default;
};

}  // namespace KzCommon_1_2

#endif  // KZCOMMON12R_MATH_STATS_PROGRESSREPORTVECT_H
