// Solvers on the packed symmetric matrix.
//
// Definite systems: the Cholesky factor with redundancy detection, then the
// two triangular substitutions (LINPACK DPPSL), a component whose pivot is 0
// being set to 0, which gives the generalised solution with the redundant
// parameters zeroed.
//
// Indefinite systems: the rows that are linearly independent are found by a
// tolerance-tested Cholesky factorisation of S² (the Gram matrix of the rows
// of S: its pivots are the squared distances of each row from the span of the
// earlier ones), and the reduced system is solved by the Bunch-Kaufman
// diagonal-pivoting factorisation (LINPACK DSPCO/DSPSL), which is backward
// stable for any symmetric nonsingular matrix. The generalised alternative
// solves the normal equations S² x = S b through the definite solver.
//
// Shift to positive definite: the smallest shift s such that M + s I factors
// without a zero pivot is bracketed by stepping and refined by bisection.

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <vector>

#include "kzcommon12r/math/kernels/Linpack.h"
#include "kzcommon12r/math/matrix/KzBitSet.h"
#include "kzcommon12r/math/matrix/KzSymMatrix.h"
#include "kzcommon12r/math/matrix/internal/KzPackedCholesky.h"
#include "kzcommon12r/math/matrix/internal/KzPivotRules.h"

namespace KzMath_1_2 {

namespace {

// Solves the system of the rows and columns `idx` (increasing) of the packed
// matrix `s` (order n) with right-hand side b by DSPCO/DSPSL; x becomes a zero
// vector of n elements with the solution scattered at idx. False (x
// unchanged) when the reduced matrix is singular to working precision.
bool SolveReducedIndefinite(const KzSymMatrix& s, const std::vector<int>& idx,
                            const std::vector<double>& b, std::vector<double>& x) {
  const int n = s.GetNRows();
  const int k = static_cast<int>(idx.size());
  if (k < 1) return false;
  std::vector<double> ap(KzSymMatrixData::PackedSize(k));
  std::size_t pos = 0;
  for (int a = 0; a < k; ++a)
    for (int c = 0; c <= a; ++c)
      ap[pos++] = s.LowerAt(idx[static_cast<std::size_t>(a)], idx[static_cast<std::size_t>(c)]);
  std::vector<int> kpvt(static_cast<std::size_t>(k));
  std::vector<double> z(static_cast<std::size_t>(k));
  const double rcond = Linpack::Dspco(ap.data(), k, kpvt.data(), z.data());
  if (!(rcond > 0.0)) return false;
  std::vector<double> y(static_cast<std::size_t>(k));
  for (int a = 0; a < k; ++a) y[static_cast<std::size_t>(a)] = b[static_cast<std::size_t>(idx[static_cast<std::size_t>(a)])];
  Linpack::Dspsl(ap.data(), k, kpvt.data(), y.data());
  std::vector<double> out(static_cast<std::size_t>(n), 0.0);
  for (int a = 0; a < k; ++a) out[static_cast<std::size_t>(idx[static_cast<std::size_t>(a)])] = y[static_cast<std::size_t>(a)];
  x.swap(out);
  return true;
}

// The rows of s kept by a Cholesky factorisation of s² with tolerance tol.
int IndependentRows(const KzSymMatrix& s, double tol, std::vector<int>& idx) {
  KzSymMatrix w;
  s.ComputeSTransS(w);
  return w.CholIndNonRed(0, tol, idx);
}

// Whether M + shift I factors without a zero pivot.
bool FactorsWithShift(const std::vector<double>& packed, int n, double shift,
                      const std::vector<double>& d, double eps) {
  std::vector<double> a(packed);
  for (int i = 0; i < n; ++i) a[KzSymMatrixData::PackedPos(i, i)] += shift;
  return internal::PackedCholesky(a.data(), n, d.data(), eps, nullptr) == 0;
}

}  // namespace

int KzSymMatrix::LTSolve(const std::vector<double>& b, double eps, std::vector<double>& x) {
  if (nRows < 0 || !(eps > 0.0) || b.size() < static_cast<std::size_t>(nRows)) return -1;
  std::vector<double> d;
  internal::ReferenceDiagonal(*this, internal::ReferenceRule::kRaw, eps, d);
  const int rc = internal::PackedCholesky(Data(), nRows, d.data(), eps, nullptr);
  // Built aside: b and x may be the same vector.
  std::vector<double> y(b.begin(), b.begin() + nRows);
  internal::PackedForward(Data(), nRows, y.data());
  internal::PackedBackward(Data(), nRows, y.data());
  x.swap(y);
  return rc;
}

int KzSymMatrix::LTSubstitute(const std::vector<double>& b, std::vector<double>& x) const {
  if (nRows < 0 || b.size() < static_cast<std::size_t>(nRows)) return -1;
  std::vector<double> y(b.begin(), b.begin() + nRows);
  internal::PackedForward(Data(), nRows, y.data());
  internal::PackedBackward(Data(), nRows, y.data());
  x.swap(y);
  return 0;
}

bool KzSymMatrix::TSolveSubst(const std::vector<double>& b, std::vector<double>& x,
                              bool transposed) const {
  if (nRows < 0 || b.size() != static_cast<std::size_t>(nRows)) return false;
  std::vector<double> y(b);
  if (transposed)
    internal::PackedBackward(Data(), nRows, y.data());
  else
    internal::PackedForward(Data(), nRows, y.data());
  x.swap(y);
  return true;
}

bool KzSymMatrix::SolveIndefinite(double eps, const std::vector<double>& b,
                                  std::vector<double>& x) const {
  if (nRows <= 0 || !(eps >= 0.0) || b.size() != static_cast<std::size_t>(nRows)) return false;
  const double tol = internal::SquaredSystemTolerance(eps);
  std::vector<int> idx;
  const int k = IndependentRows(*this, tol, idx);
  if (k < 1) return false;
  if (k < nRows) {
    // Repeat the test on the reduced system: rows that looked independent
    // next to the dropped ones may not be among themselves.
    KzSymMatrix s1;
    if (!ExtractSubmatrix(idx, s1)) return false;
    std::vector<int> idx1;
    const int e = IndependentRows(s1, tol, idx1);
    if (e < 1) return false;
    if (e < k) {
      std::vector<int> reduced;
      reduced.reserve(idx1.size());
      for (int r : idx1) reduced.push_back(idx[static_cast<std::size_t>(r)]);
      idx.swap(reduced);
    }
  }
  return SolveReducedIndefinite(*this, idx, b, x);
}

bool KzSymMatrix::SolveIndefinite(const KzBitSet& kept, const std::vector<double>& b,
                                  std::vector<double>& x) const {
  if (nRows <= 0 || kept.Size() < nRows || b.size() != static_cast<std::size_t>(nRows))
    return false;
  std::vector<int> idx;
  for (int i = 0; i < nRows; ++i)
    if (kept.IsIn(i)) idx.push_back(i);
  return SolveReducedIndefinite(*this, idx, b, x);
}

bool KzSymMatrix::SolveIndefiniteGI(double eps, const std::vector<double>& b,
                                    std::vector<double>& x) const {
  if (nRows <= 0 || !(eps > 0.0) || b.size() != static_cast<std::size_t>(nRows)) return false;
  KzSymMatrix w;
  ComputeSTransS(w);
  std::vector<double> r;
  if (!ComputeSV(b, r)) return false;
  std::vector<double> y;
  const int rc = w.LTSolve(r, eps, y);
  // -1 is a refusal and n redundant rows leave nothing solved.
  if (rc < 0 || rc >= nRows) return false;
  x.swap(y);
  return true;
}

int KzSymMatrix::TransformToPositiveDefinite(double eps, bool& transformed, double& shift) {
  transformed = false;
  shift = 0.0;
  if (nRows < 2) return -1;
  if (!(eps > 0.0)) return -2;
  for (double v : elements)
    if (!std::isfinite(v)) return -1;
  const int n = nRows;
  std::vector<double> d;
  internal::ReferenceDiagonal(*this, internal::ReferenceRule::kBelow1e6ToOne, eps, d);
  int attempts = 1;
  if (FactorsWithShift(elements, n, 0.0, d, eps)) return attempts;

  double maxD = 0.0, minD = 0.0;
  double maxO = 0.0, minO = 0.0;
  MaxMinDiagOffDiag(maxD, minD, maxO, minO);
  const double e = std::max(std::max(std::fabs(maxD), std::fabs(minD)),
                            std::max(std::fabs(maxO), std::fabs(minO)));
  const double g = n == 2 ? 1.0 : static_cast<double>(n - 2);
  const double step = std::max(e, g);

  // Gershgorin: M + s I is positive definite once s exceeds n e, so the steps
  // (each at least e) end after about n of them unless eps asks pivots far
  // above the reference diagonal; the cap turns a runaway into a refusal.
  const int maxSteps = 2 * n + 1000;
  double hi = 0.0;
  bool found = false;
  for (int t = 0; t < maxSteps && !found; ++t) {
    hi += step;
    ++attempts;
    found = FactorsWithShift(elements, n, hi, d, eps);
  }
  if (!found) return -1;

  // Bisection on [lo, hi] with hi always factorable; the relative half-width
  // ends it, or a midpoint that no longer lies strictly inside the bracket
  // (the bracket has shrunk to adjacent doubles).
  double lo = 0.0;
  double mid = hi / 2.0;
  for (int t = 0; t < 2100; ++t) {
    double half = (hi - lo) / 2.0;
    if (mid > 1.0) half /= mid;
    if (!(half > eps)) break;
    if (!(mid > lo && mid < hi)) break;
    ++attempts;
    if (FactorsWithShift(elements, n, mid, d, eps))
      hi = mid;
    else
      lo = mid;
    mid = (lo + hi) / 2.0;
  }
  double s = hi;
  AddToDiagonal(s);
  double maxDiag = LowerAt(0, 0);
  for (int i = 1; i < n; ++i) maxDiag = std::max(maxDiag, LowerAt(i, i));
  AddToDiagonal(0.01 * maxDiag);
  s += 0.01 * maxDiag;
  MultiplyByNumber(1.0 / (d[0] + s));
  shift = s;
  transformed = true;
  return attempts;
}

}  // namespace KzMath_1_2
