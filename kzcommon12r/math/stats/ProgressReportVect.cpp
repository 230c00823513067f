#include "kzcommon12r/math/stats/ProgressReportVect.h"

namespace KzCommon_1_2 {

ProgressReportVect::~ProgressReportVect() = default;

const std::vector<double>* ProgressReportVect::VectorMeasure(const std::string& /*name*/) {
  return nullptr;
}

}  // namespace KzCommon_1_2
