#ifndef KZCOMMON12R_MATH_MATRIX_INTERNAL_KZPIVOTRULES_H
#define KZCOMMON12R_MATH_MATRIX_INTERNAL_KZPIVOTRULES_H

// The pivot tests of the sweep and of the Cholesky factorisations, and the
// reference values ("d") against which each member judges its pivots, gathered
// in one place. The members deliberately do NOT share one rule: callers have
// tuned their tolerances to each of them, so each is kept as it is.
//
// Pivot tests (a pivot is the residual sum of squares of a row given the rows
// before it; a redundant row is one whose residual is negligible):
//   Cholesky   accept s when s > eps * d[j] and s > 0. The second half keeps a
//              negative s (indefinite input, or eps * d[j] < 0) away from the
//              square root; NaN fails both.
//   Sweep      accept p when p > eps * d[k] (written !(p > eps d) -> refuse,
//              so that a NaN pivot is refused), and refuse when an already
//              swept pivot i would be left with a residual <= eps * d[i]: a
//              swept diagonal holds -1/residual, so the test reads
//              M'(i,i) * eps * d[i] <= -1.
//
// Reference diagonals, member by member:
//   LTChol(d, eps, ...), CholInverse                 d as the caller gives it
//   LTSolve, CholIndNonRed                           the raw diagonal
//   LTChol(eps, minPivot), CheckMDependent,
//   ComputeDeterminant                               diagonal, values < eps -> 1
//   TransformToPositiveDefinite                      diagonal, values < 1e-6 -> 1
//   SweepOnMany                                      diagonal, values < 1 -> 1
//   SolveIndefinite                                  raw diagonal of S², eps * 2
//   FindRedundancies, FindNonRedunIndices            raw diagonal of the cross-
//                                                    products, eps = tol²
//   ResidOfOrthProjection                            raw diagonal of [X|Y]'[X|Y],
//                                                    eps = tol (not squared);
//                                                    Y kept when its residual
//                                                    SS > tol * d
// Replacing small reference values by 1 makes the test absolute for rows
// whose sum of squares is tiny, so that a row of near-zero values is not
// accepted only because its own scale is near zero.

#include <vector>

#include "kzcommon12r/math/matrix/KzSymMatrix.h"

namespace KzMath_1_2 {
namespace internal {

/// Cholesky pivot test.
inline bool CholPivotAccepted(double s, double eps, double d) { return s > eps * d && s > 0.0; }

/// Forward-sweep pivot test (false for NaN).
inline bool SweepPivotAccepted(double p, double eps, double d) { return p > eps * d; }

/// Forward-sweep test for an earlier swept pivot whose diagonal would become
/// newDiag (= -1 / new residual): false when the residual falls to eps * d or
/// below.
inline bool SweptResidualKept(double newDiag, double eps, double d) {
  return !(newDiag * eps * d <= -1.0);
}

/// Reference-diagonal rules.
enum class ReferenceRule {
  kRaw,             ///< the diagonal as it is
  kBelowEpsToOne,   ///< values below eps replaced by 1
  kBelow1e6ToOne,   ///< values below 1e-6 replaced by 1
  kBelowOneToOne,   ///< values below 1 raised to 1
};

/// d = the reference diagonal of m under `rule` (eps used by kBelowEpsToOne).
inline void ReferenceDiagonal(const KzSymMatrix& m, ReferenceRule rule, double eps,
                              std::vector<double>& d) {
  switch (rule) {
    case ReferenceRule::kRaw:
      m.GetDiagonal(d);
      break;
    case ReferenceRule::kBelowEpsToOne:
      m.GetNCheckDiagonal(d, eps, 1.0);
      break;
    case ReferenceRule::kBelow1e6ToOne:
      m.GetNCheckDiagonal(d, 1e-6, 1.0);
      break;
    case ReferenceRule::kBelowOneToOne:
      m.GetNCheckDiagonal(d, 1.0, 1.0);
      break;
  }
}

/// The Cholesky tolerance of the redundancy tests on cross-products: tol is a
/// relative tolerance on the columns (rows) themselves, so it is squared for
/// their sums of squares.
inline double CrossProductEps(double tol) { return tol * tol; }

/// ResidOfOrthProjection keeps a column of Y whose residual sum of squares
/// exceeds tol times its initial sum of squares d.
inline bool ResidualKept(double ss, double tol, double d) { return ss > tol * d; }

/// The tolerance with which SolveIndefinite tests the rows of S².
inline double SquaredSystemTolerance(double eps) { return 2.0 * eps; }

}  // namespace internal
}  // namespace KzMath_1_2

#endif  // KZCOMMON12R_MATH_MATRIX_INTERNAL_KZPIVOTRULES_H
