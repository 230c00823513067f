#ifndef KZCOMMON12R_MATH_STATS_KZMEANSXPRODUCTS_H
#define KZCOMMON12R_MATH_STATS_KZMEANSXPRODUCTS_H

#include <vector>

#include "kzcommon12r/kzcommon12r_export.h"
#include "kzcommon12r/math/matrix/KzRectMatrix.h"
#include "kzcommon12r/math/matrix/KzSymMatrix.h"
#include "kzcommon12r/math/stats/KzMeansXProdData.h"

namespace KzMath_1_2 {

/// Means and cross-products of a data matrix: in two passes (`Compute`), by
/// batches merged into the current state (`Update`), or in one pass from raw
/// weighted sums (`UpdateOnePass`, `FinishUpdateOnePass`).
///
/// The data matrix holds one case per row: the n variables, then the
/// frequency-weight column if that indicator is set, then the regression-weight
/// column if that one is set. A case weighs the product of its weight columns
/// (1 without any). `nRows` limits the cases to the first nRows rows; a value
/// below 1 means all rows.
class KZ_EXPORT KzMeansXProducts : public KzMeansXProdData {
 public:
  /// n = 0, intercept on, frequency weight on, regression weight off.
  KzMeansXProducts();
  /// n variables (n < 0 gives 0), intercept, frequency- and regression-weight
  /// indicators.
  KzMeansXProducts(int n, bool intercept, bool freqWeight, bool regWeight);
  KzMeansXProducts(const KzMeansXProducts& other);
  KzMeansXProducts& operator=(const KzMeansXProducts& other);
  ~KzMeansXProducts() override;

  /// Two passes over the first m rows: the weighted means (a column of equal
  /// values gives that value exactly), then X = sum_r (d dᵀ) w_r with d = x -
  /// mean (d = x without intercept). False, unchanged, when the column count is
  /// not n plus the number of weight indicators, when there is no row, or when
  /// the total weight is not a finite positive number.
  bool Compute(const KzRectMatrix& data, int nRows);
  /// With W = 0 as `Compute`; otherwise `Compute` on the new rows, then the
  /// previous state merged into the result. False, unchanged, when `Compute`
  /// refuses the new rows.
  bool Update(const KzRectMatrix& data, int nRows);

  /// W1 = 0, S = n zeros, P a zero matrix of order n.
  void StartUpdateOnePass();
  /// Adds the rows to the raw sums: W1 += w, S_j += w x_j, P_jl += x_l (w x_j).
  /// Starts a new accumulation when W1 = 0 (or n changed since). False,
  /// unchanged, when the column count is wrong.
  bool UpdateOnePass(const KzRectMatrix& data, int nRows);
  /// From the raw sums: W = W1, mean = S / W1 and X = P - mean Sᵀ with the
  /// intercept, X = P without it; W1 = 0 clears the accumulator. W1, S and P
  /// are kept. False, unchanged, when W1 is negative or not finite, or the sums
  /// were gathered for another n.
  bool FinishUpdateOnePass();
  /// Nothing.
  void StartUpdate() {}
  /// Nothing.
  void FinishUpdate() {}

  bool IsFreqWeight() const { return m_freqWeight; }
  bool IsRegWeight() const { return m_regWeight; }

  /// The base display, the two weight indicators and, when W1 > 0, the
  /// one-pass sums.
  void Display() const override;

 private:
  /// Number of rows to use, or -1 when the matrix does not fit.
  int RowsToUse(const KzRectMatrix& data, int nRows) const;
  /// Weight of row r (1 without weight columns).
  double RowWeight(const double* row) const;

  bool m_freqWeight;
  bool m_regWeight;
  double m_w1;
  std::vector<double> m_sums;
  KzSymMatrix m_products;
};

}  // namespace KzMath_1_2

#endif  // KZCOMMON12R_MATH_STATS_KZMEANSXPRODUCTS_H
