#ifndef KZCOMMON12R_MATH_STATS_KZMEANSXPRODDATA_H
#define KZCOMMON12R_MATH_STATS_KZMEANSXPRODDATA_H

#include <cstddef>
#include <vector>

#include "kzcommon12r/kzcommon12r_export.h"
#include "kzcommon12r/math/matrix/KzSymMatrix.h"

namespace KzMath_1_2 {

/// Weighted means and cross-products of n variables, updated case by case with
/// the provisional-means (West 1979) formulas:
///   mean_W+w = mean_W + w/(W+w) (x - mean_W),
///   X_W+w    = X_W + (W w/(W+w)) d dᵀ,  d = x - mean_W,
/// so that X holds the weighted sums of squares and products about the means
/// when an intercept is modelled; without an intercept d = x and X holds the
/// raw weighted sums w x xᵀ (the means are still kept). Cases can be removed
/// again and partial accumulators merged (Chan, Golub and LeVeque 1979).
///
/// The cross-product matrix is a packed lower triangle (element (j, l), l <= j,
/// at j(j+1)/2 + l). Cases are buffered in blocks of 32 and applied to the
/// triangle in one sweep per block; every element receives its terms in case
/// order with the same arithmetic as a case-by-case update, so the results are
/// bit-identical to it. The means and the weight are always current; the
/// matrix is brought up to date whenever it is read (`GetXProds`, `Display`,
/// copying, merging). A reference returned by `GetXProds` shows the cases added
/// before that call: call it again after further updates.
///
/// Refusals return false and leave the accumulator unchanged. One object
/// belongs to one thread at a time (reading the matrix may complete pending
/// updates).
class KZ_EXPORT KzMeansXProdData {
 public:
  /// n = 0, intercept on, W = 0.
  KzMeansXProdData();
  /// n zero means and an n x n zero matrix (n < 0 gives 0).
  KzMeansXProdData(int n, bool intercept);
  KzMeansXProdData(const KzMeansXProdData& other);
  KzMeansXProdData& operator=(const KzMeansXProdData& other);
  virtual ~KzMeansXProdData();

  /// Adds case x (its first n values) with weight w: X += (W w/(W+w)) d dᵀ with
  /// d = x - mean (d = x and factor w without intercept), then
  /// mean += w/(W+w) (x - mean), W += w. False when |x| < n or w is not a
  /// finite positive number.
  bool AddCase(const std::vector<double>& x, double w);
  /// Removes a case added before with weight w: with D = W - w,
  /// mean = -(w/D) x + (W/D) mean, then X -= (D w/W) d dᵀ, d = x - mean (new
  /// means; X -= w x xᵀ without intercept), W = D. When |D| <= 1e-12 W (the last
  /// case, up to rounding of fractional weights) the accumulator is cleared.
  /// False when |x| < n, w is not a finite positive number or D < 0.
  bool DeleteCase(const std::vector<double>& x, double w);
  /// W = 0, n zero means, a zero matrix of order n.
  void Clear();
  /// Sets n and clears; false (unchanged) for n < 0 or when the matrix cannot
  /// be sized.
  bool SetNVars(int n);

  /// Merges another accumulator of the same n and intercept (pooled means and
  /// cross-products, Chan-Golub-LeVeque). An empty (n = 0) accumulator first
  /// takes the other's n and intercept. False, unchanged, when n or the
  /// intercept differ; nothing changes when the combined weight is not > 0.
  /// `other` may be this accumulator.
  bool Merge(const KzMeansXProdData& other);
  /// Merges every non-null entry in order. The first non-null entry fixes the
  /// reference n and intercept; an accumulator with n < 1 adopts them (false
  /// when the reference n is < 1). False, and nothing merged, when an entry's n
  /// or intercept differs from this accumulator's. True when the list has no
  /// entry.
  bool Merge(const std::vector<const KzMeansXProdData*>& list);
  /// The same for a list of non-const pointers.
  bool Merge(const std::vector<KzMeansXProdData*>& list);

  /// Number of variables n.
  int GetNVars() const { return m_nVars; }
  /// True when the cross-products are centred about the means.
  bool IsIntercept() const { return m_intercept; }
  /// The weighted number of cases W (0 when empty).
  double GetNCases() const { return m_nCases; }
  /// The n weighted means.
  const std::vector<double>& GetMeans() const { return m_means; }
  /// The cross-product matrix (order n), brought up to date first.
  const KzSymMatrix& GetXProds() const;

  /// "KzMeansXProdData display start", n, the intercept, W, the means, the
  /// matrix's own display, "KzMeansXProdData display end".
  virtual void Display() const;

 protected:
  /// X += f d dᵀ with d = x - mean (intercept) or d = x, the means as they
  /// stand; element order X[k] = (d_j f) d_l + X[k]. Requires |x| >= n.
  void UpdateXX(const std::vector<double>& x, double f);
  /// Applies the buffered cases to the matrix.
  void ApplyPendingCases() const;
  /// Forgets the buffered cases (the matrix is about to be overwritten).
  void DiscardPendingCases() const { m_nPending = 0; }
  /// The packed storage of the cross-product matrix, pending cases applied.
  double* XProdsData();
  /// Sets W and the means directly; |means| must be n.
  void SetState(double nCases, const std::vector<double>& means);
  /// The cross-product matrix for direct replacement (pending cases dropped).
  KzSymMatrix& XProdsForOverwrite();

 private:
  /// Appends one case: d (n values, already formed) and factor f.
  double* NextPendingSlot(double f);
  bool AdoptShapeOf(int n, bool intercept);
  bool MergeAll(const KzMeansXProdData* const* list, std::size_t count);

  int m_nVars;
  bool m_intercept;
  double m_nCases;
  std::vector<double> m_means;
  // The matrix and the buffered cases are completed lazily by const readers:
  // the object's value (means, weight and the matrix with pending cases
  // applied) does not change when they are applied.
  mutable KzSymMatrix m_xprods;
  mutable std::vector<double> m_pendD;  // case b's vector d at b*n
  mutable std::vector<double> m_pendF;  // case b's factor f
  mutable std::vector<double> m_pendT;  // row multipliers d_bj f_b at j*nb + b
  mutable int m_nPending;
};

}  // namespace KzMath_1_2

#endif  // KZCOMMON12R_MATH_STATS_KZMEANSXPRODDATA_H
