#ifndef KZCOMMON12R_MATH_MATRIX_KZEIGENVALUES_H
#define KZCOMMON12R_MATH_MATRIX_KZEIGENVALUES_H

#include <cstdint>
#include <utility>
#include <vector>

#include "kzcommon12r/kzcommon12r_export.h"
#include "kzcommon12r/math/matrix/KzRectMatrix.h"
#include "kzcommon12r/math/matrix/KzSymMatrix.h"

namespace KzMath_1_2 {

/// Eigenvalues, and on request eigenvectors, of a real symmetric matrix H, or
/// of the generalised problem H x = λ E x with E symmetric positive
/// semi-definite.
///
/// A generalised problem is reduced to the ordinary one M y = λ y with
/// M = L⁻¹ H L⁻ᵀ, L the Cholesky factor of E found with redundancy detection
/// (a pivot is accepted when it exceeds the tolerance times E's diagonal
/// element of its row), L⁻¹ its generalised inverse: a redundant direction of
/// E gives a zero row and column of M and an eigenvalue 0. The vectors
/// returned are those of the matrix reduced (H, or M): for a generalised
/// problem the caller forms x = L⁻ᵀ y.
///
/// The symmetric matrix is reduced to tridiagonal form by Householder
/// reflections on its packed lower triangle and diagonalised by the QL
/// algorithm with implicit shifts; every intermediate matrix is kept for
/// `Display`.
///
/// Accuracy: the iteration neglects an off-diagonal element e once
/// |e| <= tolerance·(|d_m| + |d_m+1|) (its two diagonal neighbours), so
/// eigenvalues and residuals ||H x - λ x|| may carry errors of order
/// tolerance·||H|| (usually far less: the iteration converges cubically). A
/// tolerance near the machine epsilon gives the accuracy of a backward-stable
/// method, n·eps·||H||. The same tolerance decides the rank of E, which wants
/// a value well above the machine epsilon.
///
/// Use: set H (constructor or `SetHMatrix`), optionally E (`SetEMatrix`),
/// then `Compute` or `GetSorted`. Every setter that changes something
/// forgets the results of the last computation; `GetSorted` reuses them
/// while they stand. Nothing throws or prints.
class KZ_EXPORT KzEigenValues {
 public:
  /// Tolerance 1e-12, 30 iterations, no H.
  KzEigenValues();
  /// Tolerance if 0 < tolerance < 1 (else 1e-12), maxIter if > 0 (else 30).
  KzEigenValues(double tolerance, int maxIter);
  /// As above, then `SetHMatrix(H)`.
  KzEigenValues(const KzSymMatrix& H, double tolerance, int maxIter);
  /// As above, then `SetEMatrix(E)`.
  KzEigenValues(const KzSymMatrix& H, const KzSymMatrix& E, double tolerance, int maxIter);
  KzEigenValues(const KzEigenValues& other);
  KzEigenValues(KzEigenValues&& other) noexcept;
  KzEigenValues& operator=(const KzEigenValues& other);
  KzEigenValues& operator=(KzEigenValues&& other) noexcept;
  ~KzEigenValues();

  /// Relative tolerance for the rank of E and the convergence of the QL
  /// iteration. False (unchanged) unless 0 < t < 1. A new tolerance applies
  /// to the next computation; the rank of an E already set stays the one found
  /// when it was set.
  bool SetTolerance(double t);
  double GetTolerance() const { return tolerance; }
  /// Largest number of QL sweeps per eigenvalue; false (unchanged) unless m > 0.
  bool SetMaxIter(int m);
  int GetMaxIter() const { return maxIter; }

  /// H := a copy, n := its order. With an E set: when E has the same order,
  /// M is formed again from the stored L⁻¹ (E is kept); otherwise E is
  /// cleared (the problem becomes ordinary).
  void SetHMatrix(const KzSymMatrix& H);
  /// Factors E (order n) and forms M = L⁻¹ H L⁻ᵀ from the H present now.
  /// False, with E cleared (the identity), when E's order differs from n, an
  /// element of E is not finite, its rank is 0, or M cannot be formed.
  bool SetEMatrix(const KzSymMatrix& E);
  /// Whether a usable E is set.
  bool IsValidEMatrix() const { return validE; }

  /// The eigenvalues in the order the QL iteration delivers them: values
  /// (size n) = the r computed ones followed by zeros. Returns r: n on
  /// success, fewer when an eigenvalue did not converge within maxIter sweeps
  /// (0 also when H, or M, holds a value that is not finite), -2 when there
  /// is no matrix (n <= 0). values unchanged when r <= 0.
  int Compute(std::vector<double>& values);
  /// The same with eigenvectors from now on: row i of vectors (n x n) is the
  /// unit eigenvector of values[i] (rows of eigenvalues not computed are 0).
  /// vectors unchanged when r <= 0.
  int Compute(std::vector<double>& values, KzRectMatrix& vectors);
  /// The computed eigenvalues (those of the last computation, or computed
  /// now) sorted in decreasing (descending) or increasing order, followed by
  /// the zeros of eigenvalues not computed. Equal values keep their order
  /// when increasing and are reversed when decreasing. Returns as `Compute`.
  int GetSorted(std::vector<double>& values, bool descending);
  /// The same with the eigenvectors in the same order (computed now when the
  /// last computation had none); vectors sized n x n.
  int GetSorted(std::vector<double>& values, KzRectMatrix& vectors, bool descending);

  /// Every field and intermediate matrix through the display functions,
  /// between "KzEigenValues display start" and "KzEigenValues display end".
  void Display() const;

 private:
  /// Forgets the results and intermediates of the last computation.
  void ClearResults();
  /// E, its factor, inverse factor and M emptied; rankE 0, validE false.
  void ClearE();
  /// M = L⁻¹ H L⁻ᵀ from the stored inverse factor; false when it fails.
  bool FormReducedMatrix();
  /// The computation shared by both `Compute`: the result r.
  int ComputeAll();
  /// fmOrthInfo := H (or M), then `Tred3`.
  void TriDiag();
  /// Householder reduction of fmOrthInfo to tridiagonal form (fvDiag3,
  /// fvSubdiag3), keeping the reflections in fmOrthInfo.
  void Tred3();
  /// QL with implicit shifts on fvDiag3/fvSubdiag3, accumulating the rotations
  /// in fmEigenVectors when computeVectors: 0 on success, l + 1 when
  /// eigenvalue l did not converge, -1 for n <= 0.
  int EigenValuesTQLI();
  /// Applies the stored reflections to the first nComputed eigenvectors.
  void BackTransVectors();
  /// Stable order of the first r values, decreasing or increasing.
  static void SortPairs(std::vector<std::pair<double, int>>& pairs, bool descending);

  std::int32_t nRows;
  double tolerance;
  std::int32_t maxIter;
  bool computeVectors;
  KzSymMatrix hMatrix;
  KzSymMatrix eMatrix;
  std::vector<double> fvEDiag;
  KzSymMatrix cholE;
  KzSymMatrix invCholE;
  KzSymMatrix fmVHV;
  KzSymMatrix fmOrthInfo;
  std::int32_t rankE;
  bool validE;
  std::vector<double> fvDiag3;
  std::vector<double> fvSubdiag3;
  std::vector<double> fvEigenVal;
  std::int32_t nComputed;
  KzRectMatrix fmEigenVectors;
  std::vector<std::pair<double, int>> fvEigPairs;
};

}  // namespace KzMath_1_2

#endif  // KZCOMMON12R_MATH_MATRIX_KZEIGENVALUES_H
