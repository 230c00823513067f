// Signed-weight driver of the provisional-means accumulator.

#include "kzcommon12r/math/stats/KzProvMeans.h"

#include <cmath>
#include <cstddef>

#include "kzcommon12r/math/stats/internal/KzPackedBlockUpdate.h"

namespace KzMath_1_2 {

using KzStatsInternal::kEmptyWeightTolerance;

KzProvMeans::KzProvMeans() = default;
KzProvMeans::KzProvMeans(int n, bool intercept) : KzMeansXProdData(n, intercept) {}
KzProvMeans::KzProvMeans(const KzProvMeans& other) = default;
KzProvMeans& KzProvMeans::operator=(const KzProvMeans& other) = default;
KzProvMeans::~KzProvMeans() = default;

bool KzProvMeans::Update(const std::vector<double>& x, double w) {
  if (x.size() < static_cast<std::size_t>(GetNVars()) || !std::isfinite(w)) return false;
  const double total = GetNCases() + w;
  if (total == 0.0 || (w < 0.0 && std::fabs(total) <= kEmptyWeightTolerance * GetNCases())) {
    Clear();
    return true;
  }
  if (total < 0.0) return false;
  if (w > 0.0) return AddCase(x, w);
  if (w < 0.0) return DeleteCase(x, -w);
  return true;
}

}  // namespace KzMath_1_2
