// Rank, projection and least squares on the dense rectangular matrix, through
// the cross-product matrix and the symmetric factorisations.
//
// Redundant columns (rows) are those whose residual sum of squares, after
// projection on the earlier ones, falls below tol² times their own sum of
// squares: the pivots of a Cholesky factorisation of AᵀA (A Aᵀ). Forming the
// cross-products squares the condition number, so collinearity is judged to
// about sqrt(u) relative accuracy; the QR decomposition (KzRectMatrixQR.cpp)
// works on A itself.
//
// The residual of an orthogonal projection follows the sweep of the
// cross-product matrix of [X | Y] on the columns of X (Goodnight 1979): the
// swept (y, x) elements are the regression coefficients B and Y - X B the
// residual.

#include <cmath>
#include <cstddef>
#include <vector>

#include "kzcommon12r/math/matrix/KzBitSet.h"
#include "kzcommon12r/math/matrix/KzRectMatrix.h"
#include "kzcommon12r/math/matrix/KzSymMatrix.h"
#include "kzcommon12r/math/matrix/internal/KzPivotRules.h"

namespace KzMath_1_2 {

namespace {

bool CrossProducts(const KzRectMatrix& a, bool byRows, KzSymMatrix& p) {
  return byRows ? p.ComputeRByRTrans(a) : p.ComputeRTransByR(a);
}

}  // namespace

int KzRectMatrix::FindRedundancies(double tol, KzBitSet& nonRedundant, bool byRows) {
  if (!(tol >= 0.0)) return -1;
  KzSymMatrix p;
  if (!CrossProducts(*this, byRows, p)) return -1;
  std::vector<double> d;
  internal::ReferenceDiagonal(p, internal::ReferenceRule::kRaw, tol, d);
  return p.LTChol(d, internal::CrossProductEps(tol), nonRedundant, false);
}

int KzRectMatrix::FindNonRedunIndices(double tol, std::vector<int>& indices, bool byRows) {
  if (!(tol >= 0.0)) return -1;
  KzSymMatrix p;
  if (!CrossProducts(*this, byRows, p)) return -1;
  return p.CholIndNonRed(0, internal::CrossProductEps(tol), indices);
}

int KzRectMatrix::ExtractFullRank(double tol, KzRectMatrix& out, std::vector<int>& indices,
                                  bool byRows) {
  if (!(tol >= 0.0)) return -1;
  std::vector<int> idx;
  const int rc = FindNonRedunIndices(tol, idx, byRows);
  if (rc < 0) return rc;
  if (byRows)
    ExtractRows(idx, out);
  else
    ExtractColumns(idx, out);
  indices.swap(idx);
  return rc;
}

bool KzRectMatrix::ResidOfOrthProjection(const KzRectMatrix& x, double tol, KzBitSet& xKept,
                                         KzBitSet& yKept) {
  const int n = nRows;
  const int p = nCols;
  const int q = x.GetNCols();
  if (x.GetNRows() != n || n <= 0 || p <= 0 || q <= 0 || !(tol > 0.0)) return false;
  // X may be this matrix: the residual is written while X is read.
  const KzRectMatrix xCopy = (&x == this) ? x : KzRectMatrix();
  const KzRectMatrix& xs = (&x == this) ? xCopy : x;

  KzSymMatrix m;
  if (!m.SetNRows(q + p) || !m.UpdateXXMat2(xs, *this, 1.0)) return false;
  std::vector<double> d;
  internal::ReferenceDiagonal(m, internal::ReferenceRule::kRaw, tol, d);
  KzBitSet swept(q + p);
  for (int i = 0; i < q; ++i) m.Sweep(i, tol, d, swept, false);

  // Y -= X B, B(i, j) = M(q + j, i) for the swept pivots i, summed over i in
  // order for each element.
  std::vector<int> pivots;
  for (int i = 0; i < q; ++i)
    if (swept.IsIn(i)) pivots.push_back(i);
  std::vector<double> coef(pivots.size() * static_cast<std::size_t>(p));
  for (std::size_t t = 0; t < pivots.size(); ++t)
    for (int j = 0; j < p; ++j) coef[t * static_cast<std::size_t>(p) + static_cast<std::size_t>(j)] = m.LowerAt(q + j, pivots[t]);
  for (int r = 0; r < n; ++r) {
    double* yr = RowData(r);
    const double* xr = xs.RowData(r);
    for (std::size_t t = 0; t < pivots.size(); ++t) {
      const double xv = xr[pivots[t]];
      const double* b = coef.data() + t * static_cast<std::size_t>(p);
      for (int j = 0; j < p; ++j) yr[j] -= xv * b[j];
    }
  }
  KzBitSet xk(q), yk(p);
  for (int i = 0; i < q; ++i) xk.Set(i, swept.IsIn(i));
  for (int j = 0; j < p; ++j) {
    double ss = 0.0;
    for (int r = 0; r < n; ++r) {
      const double v = At(r, j);
      ss += v * v;
    }
    yk.Set(j, internal::ResidualKept(ss, tol, d[static_cast<std::size_t>(q + j)]));
  }
  xKept = xk;
  yKept = yk;
  return true;
}

int KzRectMatrix::EstimateLinearGI(const std::vector<double>& b, std::vector<double>& x,
                                   double tol) const {
  if (nRows <= 0 || nCols <= 0 || !(tol > 0.0)) return -1;
  if (b.size() != static_cast<std::size_t>(nRows)) return -1;
  if (nRows == nCols && SolveLinearSquare(b, x, tol)) return 0;
  KzSymMatrix s;
  if (!s.ComputeRTransByR(*this)) return -1;
  std::vector<double> r;
  if (!ComputeVR(b, r)) return -1;
  return s.LTSolve(r, tol, x);
}

bool KzRectMatrix::TraceOfProductSqS(const KzSymMatrix& s, double& tr) const {
  const int n = s.GetNRows();
  if (n < 0 || nRows != n || nCols != n) return false;
  double sum = 0.0;
  for (int i = 0; i < n; ++i) {
    const double* ai = RowData(i);
    for (int j = 0; j < n; ++j) sum += ai[j] * s.At(i, j);
  }
  tr = sum;
  return true;
}

bool KzRectMatrix::ComputeR1TransSR2(const KzRectMatrix& r1, int off1, const KzRectMatrix& r2,
                                     int off2, const KzSymMatrix& s, int sOff, int sSize) {
  if (off1 < 0 || off2 < 0 || sOff < 0 || sSize < 0) return false;
  const int c = r1.GetNCols();
  if (r2.GetNCols() != c) return false;
  if (sSize > r1.GetNRows() - off1 || sSize > r2.GetNRows() - off2 ||
      sSize > s.GetNRows() - sOff)
    return false;
  // T = W R2 (sSize x c), then R1ᵀ T, built aside: r1 or r2 may be this matrix.
  std::vector<double> t(static_cast<std::size_t>(sSize) * static_cast<std::size_t>(c), 0.0);
  for (int a = 0; a < sSize; ++a) {
    double* ta = t.data() + static_cast<std::size_t>(a) * static_cast<std::size_t>(c);
    for (int b = 0; b < sSize; ++b) {
      const double w = s.At(sOff + a, sOff + b);
      if (w == 0.0) continue;
      const double* r2b = r2.RowData(off2 + b);
      for (int j = 0; j < c; ++j) ta[j] += w * r2b[j];
    }
  }
  KzRectMatrix out(c, c);
  for (int a = 0; a < sSize; ++a) {
    const double* r1a = r1.RowData(off1 + a);
    const double* ta = t.data() + static_cast<std::size_t>(a) * static_cast<std::size_t>(c);
    for (int i = 0; i < c; ++i) {
      const double f = r1a[i];
      if (f == 0.0) continue;
      double* oi = out.RowData(i);
      for (int j = 0; j < c; ++j) oi[j] += f * ta[j];
    }
  }
  *this = std::move(out);
  return true;
}

bool KzRectMatrix::SubtractSymMatrix(const KzSymMatrix& s, double f) {
  const int n = s.GetNRows();
  if (n < 0 || nRows != n || nCols != n) return false;
  for (int i = 0; i < n; ++i) {
    double* ai = RowData(i);
    for (int j = 0; j < n; ++j) ai[j] -= f * s.At(i, j);
  }
  return true;
}

}  // namespace KzMath_1_2
