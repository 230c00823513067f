// Dense rectangular matrix: products with vectors and matrices, dot products
// and norms, column cleaning.
//
// Every sum runs over its index in increasing order, one product at a time,
// the order of the reference BLAS DGEMV and DGEMM loops; the row-by-row
// (i, k, j) loop of the matrix product keeps that order per element while
// streaming contiguous rows of B and of the result. Norms use the scaled sum
// of squares of DNRM2 (no overflow or destructive underflow).
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <vector>

#include "kzcommon12r/common/KzMV.h"
#include "kzcommon12r/math/kernels/KzMathFun.h"
#include "kzcommon12r/math/matrix/KzRectMatrix.h"
#include "kzcommon12r/math/matrix/internal/KzVectorClones.h"

namespace KzMath_1_2 {

namespace {
using std::size_t;
constexpr double kMissing = KzCommon_1_2::KzMV::gMissingValue;

// Sum of x[k*incx] * y[k*incy], k = 0..n-1, in order.
inline double StridedDot(int n, const double* x, size_t incx, const double* y, size_t incy) {
  double s = 0.0;
  for (int k = 0; k < n; ++k, x += incx, y += incy) s += *x * *y;
  return s;
}

// c[0..n) = A(m x n, row-major) times B (n x p, row-major), row r of C formed as
// the running sum over k of A(r, k) * (row k of B): the per-element order of
// the reference DGEMM.
void DenseProduct(const double* a, const double* b, double* c, int m, int n, int p) {
  const size_t sn = static_cast<size_t>(n);
  const size_t sp = static_cast<size_t>(p);
  for (int r = 0; r < m; ++r) {
    double* cr = c + static_cast<size_t>(r) * sp;
    std::fill_n(cr, p, 0.0);
    const double* ar = a + static_cast<size_t>(r) * sn;
    for (int k = 0; k < n; ++k) internal::AxpyDisjoint(cr, b + static_cast<size_t>(k) * sp, ar[k], p);
  }
}
}  // namespace

// ---------------------------------------------------------------------------
// Products

bool KzRectMatrix::ComputeRV(const std::vector<double>& v, std::vector<double>& out) const {
  if (v.size() < static_cast<size_t>(nCols)) return false;
  if (&out != &v) {
    out.resize(static_cast<size_t>(nRows));
    for (int r = 0; r < nRows; ++r) out[static_cast<size_t>(r)] = StridedDot(nCols, RowData(r), 1, v.data(), 1);
    return true;
  }
  // out is v: formed in a temporary.
  std::vector<double> y(static_cast<size_t>(nRows));
  for (int r = 0; r < nRows; ++r) y[static_cast<size_t>(r)] = StridedDot(nCols, RowData(r), 1, v.data(), 1);
  out.swap(y);
  return true;
}

bool KzRectMatrix::ComputeVR(const std::vector<double>& v, std::vector<double>& out) const {
  if (v.size() != static_cast<size_t>(nRows)) return false;
  std::vector<double> y(static_cast<size_t>(nCols), 0.0);
  for (int r = 0; r < nRows; ++r) {
    const double vr = v[static_cast<size_t>(r)];
    const double* row = RowData(r);
    for (int c = 0; c < nCols; ++c) y[static_cast<size_t>(c)] += vr * row[c];
  }
  out.swap(y);
  return true;
}

bool KzRectMatrix::ComputeMatrixProduct(const IKzRectMatrix& b, IKzRectMatrix& out) const {
  if (!b.IsValidMatrix() || b.GetNRows() != nCols) return false;
  const int p = b.GetNCols();
  KzRectMatrix t(nRows, p);
  if (const auto* bd = dynamic_cast<const KzRectMatrixData*>(&b)) {
    DenseProduct(Data(), bd->Data(), t.Data(), nRows, nCols, p);
  } else {
    for (int r = 0; r < nRows; ++r)
      for (int c = 0; c < p; ++c) t.At(r, c) = DotProductRowCol(r, b, c);
  }
  // The product is complete before out is touched: out may be this matrix or b.
  if (auto* o = dynamic_cast<KzRectMatrix*>(&out)) {
    o->Swap(t);
    return true;
  }
  out.SetNRowsCols(nRows, p);
  if (out.GetNRows() != nRows || out.GetNCols() != p) return false;
  for (int r = 0; r < nRows; ++r)
    for (int c = 0; c < p; ++c)
      if (t.At(r, c) != 0.0) out.SetElem(r, c, t.At(r, c));
  return true;
}

bool KzRectMatrix::ComputeProductMatrixTrans(const KzRectMatrix& b, KzRectMatrix& out) const {
  if (b.nCols != nCols) return false;
  KzRectMatrix t(nRows, b.nRows);
  for (int r = 0; r < nRows; ++r)
    for (int q = 0; q < b.nRows; ++q) t.At(r, q) = StridedDot(nCols, RowData(r), 1, b.RowData(q), 1);
  out.Swap(t);
  return true;
}

// ---------------------------------------------------------------------------
// Dot products and norms

double KzRectMatrix::DotProductCol(int c1, int c2) const {
  if (c1 < 0 || c1 >= nCols || c2 < 0 || c2 >= nCols) return kMissing;
  const size_t s = static_cast<size_t>(nCols);
  return StridedDot(nRows, Data() + c1, s, Data() + c2, s);
}

double KzRectMatrix::DotProductRows(int r1, int r2) const {
  if (r1 < 0 || r1 >= nRows || r2 < 0 || r2 >= nRows) return kMissing;
  return StridedDot(nCols, RowData(r1), 1, RowData(r2), 1);
}

double KzRectMatrix::DotProductColCol(int c, const KzRectMatrix& b, int cb) const {
  if (c < 0 || c >= nCols || cb < 0 || cb >= b.nCols || b.nRows != nRows) return kMissing;
  return StridedDot(nRows, Data() + c, static_cast<size_t>(nCols), b.Data() + cb,
                    static_cast<size_t>(b.nCols));
}

double KzRectMatrix::DotProductRowCol(int r, const IKzRectMatrix& b, int cb) const {
  if (r < 0 || r >= nRows || cb < 0 || cb >= b.GetNCols() || b.GetNRows() != nCols) return kMissing;
  if (const auto* bd = dynamic_cast<const KzRectMatrixData*>(&b))
    return StridedDot(nCols, RowData(r), 1, bd->Data() + cb, static_cast<size_t>(bd->GetNCols()));
  double s = 0.0;
  const double* row = RowData(r);
  for (int k = 0; k < nCols; ++k) s += row[k] * b.GetElem(k, cb);
  return s;
}

double KzRectMatrix::DotProductRowRow(int r, const KzRectMatrix& b, int rb) const {
  if (r < 0 || r >= nRows || rb < 0 || rb >= b.nRows || b.nCols != nCols) return kMissing;
  return StridedDot(nCols, RowData(r), 1, b.RowData(rb), 1);
}

double KzRectMatrix::ColNorm(int c) const {
  if (c < 0 || c >= nCols) return kMissing;
  return KzMathFun::DNrm2(nRows, elements, c, nCols);
}

double KzRectMatrix::RowNorm(int r) const {
  if (r < 0 || r >= nRows) return kMissing;
  return KzMathFun::DNrm2(nCols, elements, static_cast<int>(Pos(r, 0)), 1);
}

bool KzRectMatrix::ColClean(int c, double scale) {
  if (c < 0 || c >= nCols) return false;
  const double t = 10000.0 * scale;
  const double b = ColNorm(c);
  if (KzMathFun::QLReps(b, t)) return ZeroOutCol(c);
  // An element is negligible when it is below t units of roundoff of the
  // column's norm: it cannot be told apart from the rounding of the norm.
  const double cut = t * 0x1p-52;
  for (int r = 0; r < nRows; ++r) {
    double& a = At(r, c);
    if (std::fabs(a) / b < cut) a = 0.0;
  }
  return true;
}

}  // namespace KzMath_1_2
