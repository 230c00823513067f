#ifndef KZCOMMON12R_MATH_STATS_KZPROVMEANS_H
#define KZCOMMON12R_MATH_STATS_KZPROVMEANS_H

#include <vector>

#include "kzcommon12r/kzcommon12r_export.h"
#include "kzcommon12r/math/stats/KzMeansXProdData.h"

namespace KzMath_1_2 {

/// Provisional means and cross-products driven by signed case weights: a
/// positive weight adds a case, a negative one removes a case added before
/// with the opposite weight.
class KZ_EXPORT KzProvMeans : public KzMeansXProdData {
 public:
  /// n = 0, intercept on, W = 0.
  KzProvMeans();
  /// n variables (n < 0 gives 0), empty.
  KzProvMeans(int n, bool intercept);
  KzProvMeans(const KzProvMeans& other);
  KzProvMeans& operator=(const KzProvMeans& other);
  ~KzProvMeans() override;

  /// w > 0: `AddCase(x, w)`; w < 0: `DeleteCase(x, -w)`; w = 0: nothing. When
  /// W + w is 0, or within 1e-12 W of it for a removal, the accumulator is
  /// cleared. False (unchanged) when |x| < n, w is not finite or W + w < 0.
  bool Update(const std::vector<double>& x, double w);
};

}  // namespace KzMath_1_2

#endif  // KZCOMMON12R_MATH_STATS_KZPROVMEANS_H
