#ifndef KZCOMMON12R_MATH_STATS_KZCATSTATS_H
#define KZCOMMON12R_MATH_STATS_KZCATSTATS_H

#include <vector>

#include "kzcommon12r/kzcommon12r_export.h"

namespace KzMath_1_2 {

/// Weighted counts per category code (0, 1, 2, ...) of one categorical
/// variable.
class KZ_EXPORT KzCatStats {
 public:
  KzCatStats();
  KzCatStats(const KzCatStats& other);
  KzCatStats& operator=(const KzCatStats& other);
  ~KzCatStats();

  /// The count of code floor(category) gains the weight, or 1 when the weight
  /// is <= 0; the vector grows with zeros to hold the code. False, unchanged,
  /// when the category is missing, not finite, negative or above INT_MAX, when
  /// the weight is missing or not finite, or when the counts cannot grow.
  bool Update(double category, double weight);
  /// Adds the other's counts element by element (this vector grown with zeros
  /// to the other's length). `other` may be this object.
  void Pool(const KzCatStats& other);

  /// The vector length when `all`, else the number of non-zero counts.
  unsigned GetNCategories(bool all) const;
  /// Sum of the counts.
  double GetSumCounts() const;
  /// Count of code c; 0 beyond the end.
  double GetCatCount(unsigned c) const;
  const std::vector<double>& GetCatCounts() const { return m_counts; }

  /// "KzCatStats", then the counts ("Category counts").
  void Display() const;

 private:
  std::vector<double> m_counts;
};

}  // namespace KzMath_1_2

#endif  // KZCOMMON12R_MATH_STATS_KZCATSTATS_H
