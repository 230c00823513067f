// Dense symmetric matrix: accumulation of weighted cross-products from dense
// and sparse data rows, the sparse-vector outer products, R Rᵀ and Rᵀ R, and
// M += a X.
//
// The dense update is the packed rank-one update of BLAS DSPR on the same
// memory (LINPACK's packed upper triangle by columns is this lower triangle by
// rows): for each row i with x_i != 0, t = w x_i and M(i, j) += x_j t for
// j = 0..i. Each element receives exactly one rounded product and one rounded
// sum per case, so the result does not depend on how the row is vectorised.
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <vector>

#include "kzcommon12r/math/matrix/KzBitSet.h"
#include "kzcommon12r/math/matrix/KzRectMatrix.h"
#include "kzcommon12r/math/matrix/KzSparseVector.h"
#include "kzcommon12r/math/matrix/KzSymMatrix.h"
#include "kzcommon12r/math/matrix/internal/KzVectorClones.h"

namespace KzMath_1_2 {

namespace {
using std::size_t;

// The packed rank-one update M += w x xᵀ over n rows, rows with x_i = 0
// skipped: M(i, j) += x_j (w x_i), j = 0..i. One function for the whole update
// (not one call per row), so that its vector clone is chosen once per case.
// The matrix and x never overlap (x is a data row).
KZ_MATRIX_VECTOR_CLONES
void PackedOuterUpdate(double* __restrict data, int n, const double* __restrict x, double w) {
  double* row = data;
  for (int i = 0; i < n; row += i + 1, ++i) {
    const double xi = x[i];
    if (xi == 0.0) continue;
    const double t = w * xi;
    for (int j = 0; j <= i; ++j) row[j] += x[j] * t;
  }
}

// Shared body of UpdateXXSparse and UpdateXXCornerSparse: pair i updates
// M(o + idx[i], o + idx[j]) for the pairs j = 0, 1, ... up to the first index
// above idx[i]. An index below 0 (the missing-category code) or whose shifted
// position falls outside the matrix is skipped, never written.
void SparseOuterUpdate(double* data, int n, int k, const int* idx, const double* x, double w,
                       int offset) {
  for (int i = 0; i < k; ++i) {
    const int ii = idx[i];
    if (ii < 0 || ii >= n - offset) continue;
    const double t = w * x[i];
    double* row = data + KzSymMatrixData::RowStart(ii + offset) + offset;
    for (int j = 0; j < k; ++j) {
      const int jj = idx[j];
      if (jj > ii) break;
      if (jj < 0) continue;
      row[jj] += x[j] * t;
    }
  }
}
}  // namespace

namespace internal {
KZ_MATRIX_VECTOR_CLONES
void AxpyDisjoint(double* __restrict y, const double* __restrict x, double a, int len) {
  for (int j = 0; j < len; ++j) y[j] += a * x[j];
}
}  // namespace internal

void KzSymMatrix::AddWeightedOuter(const double* x, double w) {
  PackedOuterUpdate(Data(), nRows, x, w);
}

bool KzSymMatrix::UpdateXX(const std::vector<double>& x, double w) {
  if (nRows < 0 || x.size() != static_cast<size_t>(nRows) || !(w > 0.0)) return false;
  AddWeightedOuter(x.data(), w);
  return true;
}

bool KzSymMatrix::UpdateXXPosNegW(const std::vector<double>& x, double w) {
  if (nRows < 0 || x.size() != static_cast<size_t>(nRows) || !std::isfinite(w)) return false;
  AddWeightedOuter(x.data(), w);
  return true;
}

bool KzSymMatrix::UpdateXXNonRedun(const std::vector<double>& x, const KzBitSet& kept, double w) {
  if (nRows < 0 || x.size() != static_cast<size_t>(nRows) || kept.Size() < nRows || !(w > 0.0))
    return false;
  for (int i = 0; i < nRows; ++i) {
    const double xi = x[static_cast<size_t>(i)];
    if (xi == 0.0 || !kept.IsIn(i)) continue;
    const double t = w * xi;
    double* row = RowData(i);
    for (int j = 0; j <= i; ++j)
      if (kept.IsIn(j)) row[j] += x[static_cast<size_t>(j)] * t;
  }
  return true;
}

bool KzSymMatrix::UpdateXXSparse(int k, const std::vector<int>& idx, const std::vector<double>& x,
                                 double w) {
  return UpdateXXCornerSparse(k, idx, x, w, 0);
}

bool KzSymMatrix::UpdateXXCornerSparse(int k, const std::vector<int>& idx,
                                       const std::vector<double>& x, double w, int offset) {
  if (k < 0 || idx.size() < static_cast<size_t>(k) || x.size() < static_cast<size_t>(k) ||
      !(w > 0.0) || offset < 0 || nRows < 0 || (offset > 0 && offset >= nRows))
    return false;
  SparseOuterUpdate(Data(), nRows, k, idx.data(), x.data(), w, offset);
  return true;
}

bool KzSymMatrix::UpdateXXMat2(const KzRectMatrix& a, const KzRectMatrix& b, double w) {
  const int pa = a.GetNCols();
  const int pb = b.GetNCols();
  if (a.GetNRows() != b.GetNRows() || nRows < 0 || nRows != pa + pb || !(w > 0.0)) return false;
  std::vector<double> x(static_cast<size_t>(nRows));
  for (int r = 0; r < a.GetNRows(); ++r) {
    std::copy_n(a.RowData(r), pa, x.begin());
    std::copy_n(b.RowData(r), pb, x.begin() + pa);
    AddWeightedOuter(x.data(), w);
  }
  return true;
}

bool KzSymMatrix::ComputeRByRTrans(const KzRectMatrix& r) {
  const int m = r.GetNRows();
  const int p = r.GetNCols();
  KzSymMatrix t(m);
  if (!t.IsValidMatrix()) return false;
  double* out = t.Data();
  for (int i = 0; i < m; ++i) {
    const double* ri = r.RowData(i);
    for (int j = 0; j <= i; ++j) {
      const double* rj = r.RowData(j);
      double s = 0.0;
      for (int c = 0; c < p; ++c) s += ri[c] * rj[c];
      *out++ = s;
    }
  }
  Swap(t);
  return true;
}

bool KzSymMatrix::ComputeRTransByR(const KzRectMatrix& r) {
  KzSymMatrix t(r.GetNCols());
  if (!t.IsValidMatrix()) return false;
  // Rᵀ R = sum over the rows of R of the outer products r rᵀ.
  for (int q = 0; q < r.GetNRows(); ++q) {
    PackedOuterUpdate(t.Data(), t.nRows, r.RowData(q), 1.0);
  }
  Swap(t);
  return true;
}

bool KzSymMatrix::ComputeAXpY(double a, const IKzSymMatrix& x) {
  if (!x.IsValidMatrix() || x.GetNRows() != nRows || nRows < 0) return false;
  if (const auto* xd = dynamic_cast<const KzSymMatrixData*>(&x)) {
    const double* src = xd->Data();
    if (src == Data()) {
      MultiplyByNumber(1.0 + a);
      return true;
    }
    const size_t len = elements.size();
    for (size_t k = 0; k < len; ++k) elements[k] += a * src[k];
    return true;
  }
  for (int i = 0; i < nRows; ++i) {
    double* row = RowData(i);
    for (int j = 0; j <= i; ++j) row[j] += a * x.GetElem(i, j);
  }
  return true;
}

// ===========================================================================
// Members of KzSparseVector that update a symmetric matrix. An invalid view is
// refused: false (or no change for the void members).

void KzSparseVector::QuadraticOuterProduct(KzSymMatrix& m) const {
  if (!IsValid()) return;
  const int need = GetMinVecSize();
  if (m.GetNRows() < need) {
    if (!m.SetNRows(need)) return;
  } else {
    m.Clear();
  }
  const int k = GetNElements();
  const std::vector<int>& idx = GetIndices();
  const std::vector<double>& val = GetValues();
  for (int a = 0; a < k; ++a) {
    double* row = m.RowData(idx[static_cast<size_t>(a)]);
    const double va = val[static_cast<size_t>(a)];
    for (int b = 0; b <= a; ++b) row[idx[static_cast<size_t>(b)]] = va * val[static_cast<size_t>(b)];
  }
}

void KzSparseVector::QuadraticOuterProductIncr(KzSymMatrix& m, double w) const {
  if (!IsValid()) return;
  // Enlarging keeps the cross-products accumulated so far (the leading block).
  if (m.GetNRows() < GetMinVecSize() && !m.Resize(GetMinVecSize())) return;
  SparseOuterUpdate(m.Data(), m.GetNRows(), GetNElements(), GetIndices().data(),
                    GetValues().data(), w, 0);
}

bool KzSparseVector::QuadraticOuterProductPartIncr(KzSymMatrix& m, int offset, double w) const {
  if (!IsValid() || offset < 0 || m.GetNRows() < 0 ||
      static_cast<long long>(m.GetNRows()) < static_cast<long long>(offset) + GetMinVecSize())
    return false;
  SparseOuterUpdate(m.Data(), m.GetNRows(), GetNElements(), GetIndices().data(),
                    GetValues().data(), w, offset);
  return true;
}

bool KzSparseVector::IncrementRowPart(KzSymMatrix& m, int row, int offset, double w) const {
  const int n = m.GetNRows();
  if (!IsValid() || row < 0 || row >= n || offset < 0 ||
      static_cast<long long>(n) < static_cast<long long>(offset) + GetMinVecSize())
    return false;
  const int k = GetNElements();
  const std::vector<int>& idx = GetIndices();
  const std::vector<double>& val = GetValues();
  for (int a = 0; a < k; ++a) m.At(row, offset + idx[static_cast<size_t>(a)]) += w * val[static_cast<size_t>(a)];
  return true;
}

}  // namespace KzMath_1_2
