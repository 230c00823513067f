#include "kzcommon12r/common/KzStatus.h"

namespace KzCommon_1_2 {

KzStatus::KzStatus() : code(0), severity(0), discreteData{0, 0, 0}, scaleData{0.0, 0.0, 0.0} {}

KzStatus::KzStatus(long code, bool isWarning)
    : code(static_cast<std::int32_t>(code)),
      severity(static_cast<std::int16_t>(isWarning ? 1 : -1)),
      discreteData{0, 0, 0},
      scaleData{0.0, 0.0, 0.0} {}

long KzStatus::GetDiscreteDatum(unsigned index) const {
  return index < gNumSlots ? discreteData[index] : 0;
}

void KzStatus::SetDiscreteDatum(unsigned index, long value) {
  if (index < gNumSlots) discreteData[index] = static_cast<std::int32_t>(value);
}

double KzStatus::GetScaleDatum(unsigned index) const {
  return index < gNumSlots ? scaleData[index] : 0.0;
}

void KzStatus::SetScaleDatum(unsigned index, double value) {
  if (index < gNumSlots) scaleData[index] = value;
}

bool KzStatus::operator==(const KzStatus& other) const {
  if (code != other.code || severity != other.severity) return false;
  for (int i = 0; i < gNumSlots; ++i) {
    if (discreteData[i] != other.discreteData[i]) return false;
    if (!(scaleData[i] == other.scaleData[i])) return false;
  }
  return true;
}

}  // namespace KzCommon_1_2
