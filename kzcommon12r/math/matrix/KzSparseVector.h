#ifndef KZCOMMON12R_MATH_MATRIX_KZSPARSEVECTOR_H
#define KZCOMMON12R_MATH_MATRIX_KZSPARSEVECTOR_H

#include <vector>

#include "kzcommon12r/kzcommon12r_export.h"

namespace KzMath_1_2 {

class KzSymMatrix;

/// A read-only view of a sparse vector held in two parallel caller-owned
/// vectors: the positions of the stored entries, counted from 0 and strictly
/// increasing, and their values.
///
/// Ownership: nothing is copied. Both vectors must outlive the view and must
/// not change size while it is in use (their values may change).
///
/// Validity is decided once, in the constructor: at least one entry, as many
/// values as indices, a first index >= 0, strictly increasing indices, and a
/// last index below INT_MAX (so that the minimum dense size, last index + 1,
/// is an `int`). On an invalid view every operation other than `IsValid`, the
/// accessors, `GetIndex`, `GetValue` and `Display` refuses: false, -1, the
/// missing value, or 0 for `GetMinVecSize`, and nothing is written.
///
/// The members that update a `KzSymMatrix` (`QuadraticOuterProduct`,
/// `QuadraticOuterProductIncr`, `QuadraticOuterProductPartIncr`,
/// `IncrementRowPart`) are defined with the symmetric matrix's update
/// code.
class KZ_EXPORT KzSparseVector {
 public:
  /// Builds the view and decides its validity.
  KzSparseVector(const std::vector<int>& indices, const std::vector<double>& values);
  /// A view of a temporary would dangle once the statement ends: refused at
  /// compile time.
  KzSparseVector(std::vector<int>&&, const std::vector<double>&) = delete;
  KzSparseVector(const std::vector<int>&, std::vector<double>&&) = delete;
  KzSparseVector(std::vector<int>&&, std::vector<double>&&) = delete;
  KzSparseVector(const KzSparseVector& other) = default;
  /// A view cannot be re-seated: no assignment.
  KzSparseVector& operator=(const KzSparseVector&) = delete;
  /// Releases nothing.
  ~KzSparseVector() = default;

  bool IsValid() const { return valid; }
  /// The number of stored entries (the size of the index vector at construction).
  int GetNElements() const { return nElements; }
  const std::vector<int>& GetIndices() const { return indices; }
  const std::vector<double>& GetValues() const { return values; }

  /// The minimum dense size: last index + 1, the length a dense vector needs
  /// to hold this one; 0 for an invalid view.
  int GetMinVecSize() const { return valid ? indices.back() + 1 : 0; }

  /// The k-th position (k from 0); -1 when k < 0 or k >= GetNElements()
  /// (or k is past the end of the index vector).
  int GetIndex(int k) const;
  /// The k-th value; the missing value when k is out of range.
  double GetValue(int k) const;

  /// Sum of valA[a] * valB[b] over the pairs with idxA[a] = idxB[b]: the inner
  /// product of two sparse vectors held as raw arrays with increasing indices,
  /// by a merge walk. The missing value when any pointer is null or a count is
  /// negative; 0 when either count is 0.
  static double InnerProduct(const int* idxA, const double* valA, int nA, const int* idxB,
                             const double* valB, int nB);

  /// Sum over entries of dense[offset + index] * value. The missing value when
  /// the view is invalid, offset < 0 or dense has fewer than offset +
  /// GetMinVecSize() elements.
  double InnerProductWithPart(const std::vector<double>& dense, int offset) const;

  /// dense[offset + index] += w * value for every entry. False, nothing
  /// changed, when the view is invalid, offset < 0 or dense has fewer than
  /// offset + GetMinVecSize() elements.
  bool IncrementPart(std::vector<double>& dense, int offset, double w) const;

  /// Grows `dense` to GetMinVecSize() when shorter (a longer vector keeps its
  /// length), sets every element to 0, then stores each value at its index.
  /// Returns the resulting length of `dense`; -1 (dense unchanged) for an
  /// invalid view.
  int ConvertToRegularVector(std::vector<double>& dense) const;

  /// Multinomial-logit probabilities of the K = nCategories categories for the
  /// design row x held by this view, the coefficients laid out in `coef` as
  /// K-1 consecutive blocks of `blockSize` (the last category is the
  /// reference, linear predictor 0):
  ///   eta_k = x . coef[k*blockSize .. k*blockSize + blockSize - 1],
  ///   probs[k] = exp(eta_k) / (1 + sum_j exp(eta_j)), probs[K-1] = 1 / (1 + sum_j exp(eta_j)),
  ///   logRefProb = ln probs[K-1],
  /// computed with shifts that keep every exponential inside the double
  /// range. `probs` is grown to K when shorter (a longer
  /// vector keeps its tail). False, with `probs` and `logRefProb` unchanged,
  /// when the view is invalid, K <= 0, blockSize <= 0, blockSize <
  /// GetMinVecSize(), coef has fewer than blockSize * (K-1) elements, or any
  /// linear predictor is not finite.
  bool ComputeProbabilities(const std::vector<double>& coef, int nCategories, int blockSize,
                            std::vector<double>& probs, double& logRefProb) const;

  // --- Updates of a symmetric matrix (defined with KzSymMatrix) ---

  /// m becomes v vᵀ on the positions of v: m is given GetMinVecSize() rows
  /// (all 0) when smaller, otherwise cleared; then m(idx_k, idx_l) = v_k v_l.
  /// An invalid view changes nothing.
  void QuadraticOuterProduct(KzSymMatrix& m) const;
  /// m(idx_k, idx_l) += w v_k v_l for every pair k >= l; a smaller m is first
  /// enlarged keeping its leading block (the cross-products so far). An
  /// invalid view changes nothing.
  void QuadraticOuterProductIncr(KzSymMatrix& m, double w) const;
  /// m(offset + idx_k, offset + idx_l) += w v_k v_l; false (no change) for an
  /// invalid view, offset < 0 or m with fewer than offset + GetMinVecSize()
  /// rows. m is never resized.
  bool QuadraticOuterProductPartIncr(KzSymMatrix& m, int offset, double w) const;
  /// m(row, offset + idx_k) += w v_k; false (no change) for an invalid view,
  /// row outside m, offset < 0 or m with fewer than offset + GetMinVecSize() rows.
  bool IncrementRowPart(KzSymMatrix& m, int row, int offset, double w) const;

  /// "KzSparseVector display start", the element count, the indices, the
  /// values, the validity flag, "KzSparseVector display end" (display layout).
  void Display() const;

 private:
  int nElements;
  const std::vector<int>& indices;
  const std::vector<double>& values;
  bool valid;
};

}  // namespace KzMath_1_2

#endif  // KZCOMMON12R_MATH_MATRIX_KZSPARSEVECTOR_H
