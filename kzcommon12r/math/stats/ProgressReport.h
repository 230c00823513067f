#ifndef KZCOMMON12R_MATH_STATS_PROGRESSREPORT_H
#define KZCOMMON12R_MATH_STATS_PROGRESSREPORT_H

#include <string>

#include "kzcommon12r/kzcommon12r_export.h"

namespace KzCommon_1_2 {

/// The query side of an iterative procedure's progress: a caller asks for a
/// measure by name and receives its current value. Names are compared
/// exactly (case-sensitive); a name the reporter does not know gives 0.
class KZ_EXPORT ProgressReport {
 public:
  virtual ~ProgressReport();

  /// The integer measure called `name`, or 0.
  virtual int DiscreteMeasure(const std::string& name) = 0;
  /// The real measure called `name`, or 0.0.
  virtual double ScaleMeasure(const std::string& name) = 0;

 protected:
  ProgressReport() = default;
  ProgressReport(const ProgressReport&) = default;
  ProgressReport& operator=(const ProgressReport&) = default;
};

}  // namespace KzCommon_1_2

#endif  // KZCOMMON12R_MATH_STATS_PROGRESSREPORT_H
