#include "kzcommon12r/common/KzWarnings.h"

#include <algorithm>

namespace KzCommon_1_2 {

KzWarnings::KzWarnings() = default;
KzWarnings::KzWarnings(const KzWarnings& other) = default;
KzWarnings& KzWarnings::operator=(const KzWarnings& other) = default;
KzWarnings::~KzWarnings() = default;

void KzWarnings::AddWarning(const KzStatus& w) {
  if (std::find(warnings.begin(), warnings.end(), w) == warnings.end()) warnings.push_back(w);
}

void KzWarnings::AddWarnings(const std::vector<KzStatus>& ws) {
  // Our own sequence holds no duplicates: nothing to add (and appending while
  // iterating over it would invalidate the iteration).
  if (&ws == &warnings) return;
  for (const KzStatus& w : ws) AddWarning(w);
}

void KzWarnings::ClearWarnings() { warnings.clear(); }

}  // namespace KzCommon_1_2
