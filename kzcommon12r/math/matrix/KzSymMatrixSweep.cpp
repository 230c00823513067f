// The sweep operator on the packed symmetric matrix (Goodnight, "A tutorial on
// the SWEEP operator", The American Statistician 33, 1979; Beaton 1964), in
// the self-inverse form: sweeping pivot k once gives M(k,k) = -1/p,
// M(i,k) = M(i,k)/p and M(i,j) -= M(i,k) M(j,k)/p; sweeping it again undoes
// that. After the predictors X of a cross-product matrix of [X | Y] are swept,
// the X block holds -(XᵀX)⁻¹, the (y, x) elements the regression coefficients
// and the Y block the residual cross-products.
//
// Aliasing is judged with tolerance tests on the pivots (internal/KzPivotRules.h).
// Each sweep costs n(n+1)/2 multiply-adds over contiguous packed rows; the
// error of a sequence of sweeps grows with the condition of the swept block
// as for Gauss-Jordan elimination.

#include <cmath>
#include <cstddef>
#include <vector>

#include "kzcommon12r/math/matrix/KzBitSet.h"
#include "kzcommon12r/math/matrix/KzSymMatrix.h"
#include "kzcommon12r/math/matrix/internal/KzPivotRules.h"

namespace KzMath_1_2 {

namespace {

// The transform of one sweep on pivot k of the packed n x n matrix `a`, in
// either direction (the direction follows the sign of the diagonal):
// b = -1/M(k,k); M(k,k) = b; M(i,k) = |b| f_i; M(i,j) += M(j,k) (-sgn(b) f_i)
// for i, j != k, with f the old column k. `f` and `c` are scratch of n
// elements each (no allocation per sweep when SweepOnMany runs many).
void SweepTransform(double* a, int n, int k, double* f, double* c) {
  const std::size_t kk = KzSymMatrixData::PackedPos(k, k);
  const double b = -1.0 / a[kk];
  const double ab = std::fabs(b);
  // Old column k: row k left of the diagonal, then down the column.
  const double* rowK = a + KzSymMatrixData::RowStart(k);
  for (int j = 0; j < k; ++j) f[j] = rowK[j];
  for (int i = k + 1; i < n; ++i) f[i] = a[KzSymMatrixData::PackedPos(i, k)];
  f[k] = 0.0;
  for (int j = 0; j < n; ++j) c[j] = ab * f[j];
  const bool forward = b < 0.0;
  for (int i = 0; i < n; ++i) {
    if (i == k) continue;
    double* row = a + KzSymMatrixData::RowStart(i);
    const double g = forward ? -f[i] : f[i];
    if (g != 0.0) {
      const int upper = i < k ? i : k - 1;
      for (int j = 0; j <= upper; ++j) row[j] += c[j] * g;
      for (int j = k + 1; j <= i; ++j) row[j] += c[j] * g;
    }
  }
  // The pivot row and column last: the updates above read the old column.
  double* rowKw = a + KzSymMatrixData::RowStart(k);
  for (int j = 0; j < k; ++j) rowKw[j] = c[j];
  for (int i = k + 1; i < n; ++i) a[KzSymMatrixData::PackedPos(i, k)] = c[i];
  a[kk] = b;
}

// Tests of a sweep of pivot k on a valid matrix, arguments already checked.
// Returns false when the sweep must be refused.
bool SweepAllowed(const KzSymMatrix& m, int k, double eps, const std::vector<double>& d,
                         const KzBitSet& swept) {
  const int n = m.GetNRows();
  const double p = m.LowerAt(k, k);
  if (swept.IsIn(k)) return p < 0.0;  // a reverse sweep needs a swept pivot
  if (!internal::SweepPivotAccepted(p, eps, d[static_cast<std::size_t>(k)])) return false;
  for (int i = 0; i < n; ++i) {
    if (i == k || !swept.IsIn(i)) continue;
    const double mik = m.At(i, k);
    const double newDiag = m.LowerAt(i, i) - mik * mik / p;
    if (!internal::SweptResidualKept(newDiag, eps, d[static_cast<std::size_t>(i)])) return false;
  }
  return true;
}

}  // namespace

bool KzSymMatrix::Sweep(int k, double eps, const std::vector<double>& d, KzBitSet& swept,
                        bool check) {
  // Index and length tests are cheap and guard the memory: always made.
  if (nRows <= 0 || k < 0 || k >= nRows) return false;
  const std::size_t n = static_cast<std::size_t>(nRows);
  if (d.size() < n || swept.Size() < nRows) return false;
  if (check) {
    if (!(eps > 0.0)) return false;
    for (std::size_t i = 0; i < n; ++i)
      if (!(d[i] >= 0.0)) return false;
  }
  if (!SweepAllowed(*this, k, eps, d, swept)) return false;
  std::vector<double> scratch(2 * n);
  SweepTransform(Data(), nRows, k, scratch.data(), scratch.data() + n);
  swept.Set(k, !swept.IsIn(k));
  return true;
}

bool KzSymMatrix::SweepOnMany(int k, double eps, bool usePivots, KzBitSet& swept,
                              double& logDet, bool check) {
  if (nRows <= 0 || k < 1 || k > nRows || swept.Size() < k) return false;
  std::vector<double> d;
  GetDiagonal(d);
  if (check) {
    if (!(eps > 0.0)) return false;
    for (double v : d)
      if (!(v >= 0.0)) return false;
  }
  internal::ReferenceDiagonal(*this, internal::ReferenceRule::kBelowOneToOne, eps, d);

  // Work on a set of n flags: pivots beyond the caller's set count as not
  // swept, and the caller's set keeps its size.
  const int callerSize = swept.Size();
  KzBitSet flags(nRows);
  for (int i = 0; i < nRows && i < callerSize; ++i) flags.Set(i, swept.IsIn(i));
  for (int i = 0; i < k; ++i) flags.Set(i, false);

  const std::size_t n = static_cast<std::size_t>(nRows);
  std::vector<double> scratch(2 * n);
  double sum = 0.0;
  for (int j = 0; j < k; ++j) {
    const double before = LowerAt(j, j);
    if (!SweepAllowed(*this, j, eps, d, flags)) continue;  // aliased: skipped
    SweepTransform(Data(), nRows, j, scratch.data(), scratch.data() + n);
    flags.Set(j, true);
    const double q = usePivots ? before : -LowerAt(j, j);
    if (q > 0.0) sum += std::log(q);
  }
  // Flags past the order (a set longer than n) are left as they were.
  for (int i = 0; i < callerSize && i < nRows; ++i) swept.Set(i, flags.IsIn(i));
  logDet = sum;
  return true;
}

bool KzSymMatrix::GetRegCoeffs(std::vector<double>& coef, const KzBitSet& swept) const {
  if (nRows <= 0 || swept.Size() < nRows - 1) return false;
  const int p = nRows - 1;
  std::vector<double> out(static_cast<std::size_t>(p));
  const double* last = RowData(p);
  for (int j = 0; j < p; ++j) out[static_cast<std::size_t>(j)] = swept.IsIn(j) ? last[j] : 0.0;
  coef.swap(out);
  return true;
}

}  // namespace KzMath_1_2
