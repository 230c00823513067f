#ifndef KZCOMMON12R_MATH_MATRIX_INTERNAL_KZPACKEDCHOLESKY_H
#define KZCOMMON12R_MATH_MATRIX_INTERNAL_KZPACKEDCHOLESKY_H

// Kernels on a packed lower triangle by rows (element (i, j), j <= i, at
// i(i+1)/2 + j), shared by the factorisation, inversion and solving members of
// KzSymMatrix. Not part of the installed interface.

#include <vector>

namespace KzMath_1_2 {
namespace internal {

/// What the factorisation reports besides its redundant count.
struct CholReport {
  /// Optional: flags of the accepted rows (n entries, written 0/1).
  char* kept = nullptr;
  /// Optional: the accepted rows in increasing order (appended).
  std::vector<int>* accepted = nullptr;
  /// Stop after this many accepted rows (<= 0: never).
  int maxAccepted = 0;
  /// Set when a rejected pivot s is negative beyond the tolerance
  /// (s < 0 and -s > eps d[j]): the matrix is indefinite.
  bool negativePivot = false;
};

/// In-place Cholesky factorisation with redundancy detection of the packed
/// matrix a of order n (LINPACK DPPFA order: row by row, inner products by
/// DDot on the packed rows). Pivot j is accepted when s > eps d[j] and s > 0;
/// a rejected pivot leaves L(j,j) = 0 and column j of L zero below it.
/// Returns the number of rejected pivots (among the rows processed).
int PackedCholesky(double* a, int n, const double* d, double eps, CholReport* report);

/// y := L⁻¹ y (forward substitution), components of zero pivots 0.
void PackedForward(const double* a, int n, double* y);
/// y := L⁻ᵀ y (back substitution, column-oriented), components of zero
/// pivots 0.
void PackedBackward(const double* a, int n, double* y);

/// m * 10^e := (m * 10^e) * f, renormalised to 1 <= |m| < 10. A zero or
/// non-finite product is left as it is (no normalisation loop on it).
void ScaleDecimal(double& m, double& e, double f);

}  // namespace internal
}  // namespace KzMath_1_2

#endif  // KZCOMMON12R_MATH_MATRIX_INTERNAL_KZPACKEDCHOLESKY_H
