// Dense rectangular matrix: construction, shape, element access, copies,
// extraction and display. Products, norms and the linear-dependence tests live
// in KzRectMatrixProducts.cpp and KzRectMatrixDependence.cpp.
#include "kzcommon12r/math/matrix/KzRectMatrix.h"

#include <algorithm>
#include <cstddef>
#include <string>
#include <utility>

#include "kzcommon12r/display/KzDisplay.h"
#include "kzcommon12r/math/matrix/KzBitSet.h"
#include "kzcommon12r/math/matrix/KzSparseVector.h"

namespace KzMath_1_2 {

namespace {
using std::size_t;
}  // namespace

KzRectMatrix::KzRectMatrix() = default;
KzRectMatrix::KzRectMatrix(int nRows, int nCols) : KzRectMatrixData(nRows, nCols) {}
KzRectMatrix::KzRectMatrix(const KzRectMatrix& other) = default;
KzRectMatrix::KzRectMatrix(KzRectMatrix&& other) noexcept = default;
KzRectMatrix& KzRectMatrix::operator=(const KzRectMatrix& other) = default;
KzRectMatrix& KzRectMatrix::operator=(KzRectMatrix&& other) noexcept = default;
KzRectMatrix::~KzRectMatrix() = default;

void KzRectMatrix::Swap(KzRectMatrix& other) noexcept {
  std::swap(nRows, other.nRows);
  std::swap(nCols, other.nCols);
  elements.swap(other.elements);
}

IKzRectMatrix::RectMatrixType KzRectMatrix::GetMatrixType() const { return kRectMatrix; }

// ---------------------------------------------------------------------------
// Shape

bool KzRectMatrix::Resize(int rows, int cols) {
  rows = std::max(rows, 0);
  cols = std::max(cols, 0);
  elements.resize(ElementCount(rows, cols), 0.0);
  nRows = rows;
  nCols = cols;
  return true;
}

void KzRectMatrix::SetNRowsCols(int rows, int cols) {
  Resize(rows, cols);
  Clear();
}

void KzRectMatrix::Clear() { std::fill(elements.begin(), elements.end(), 0.0); }

int KzRectMatrix::AddRow() {
  elements.resize(elements.size() + static_cast<size_t>(nCols), 0.0);
  return nRows++;
}

int KzRectMatrix::AddRow(const KzSparseVector& v) {
  if (!v.IsValid() || v.GetMinVecSize() > nCols) return -1;
  const int r = AddRow();
  const std::vector<int>& idx = v.GetIndices();
  const std::vector<double>& val = v.GetValues();
  double* row = RowData(r);
  for (int k = 0; k < v.GetNElements(); ++k) row[idx[k]] = val[k];
  return r;
}

int KzRectMatrix::AddColumn() {
  std::vector<double> grown(ElementCount(nRows, nCols + 1), 0.0);
  const size_t oldCols = static_cast<size_t>(nCols);
  for (int r = 0; r < nRows; ++r)
    std::copy_n(RowData(r), oldCols, grown.begin() + static_cast<std::ptrdiff_t>(r * (oldCols + 1)));
  elements.swap(grown);
  return ++nCols;
}

bool KzRectMatrix::DeleteOneCol(int c) {
  if (c < 0 || c >= nCols) return false;
  // Compact in place, row by row, skipping element c of each row.
  size_t dst = 0;
  for (int r = 0; r < nRows; ++r) {
    const size_t base = Pos(r, 0);
    for (int k = 0; k < nCols; ++k)
      if (k != c) elements[dst++] = elements[base + static_cast<size_t>(k)];
  }
  --nCols;
  elements.resize(ElementCount(nRows, nCols));
  return true;
}

bool KzRectMatrix::DeleteOneRow(int r) {
  if (r < 0 || r >= nRows) return false;
  elements.erase(elements.begin() + static_cast<std::ptrdiff_t>(Pos(r, 0)),
                 elements.begin() + static_cast<std::ptrdiff_t>(Pos(r + 1, 0)));
  --nRows;
  return true;
}

void KzRectMatrix::Transpose() {
  if (nRows > 1 && nCols > 1) {
    std::vector<double> t(elements.size());
    const size_t m = static_cast<size_t>(nRows);
    for (int r = 0; r < nRows; ++r) {
      const double* row = RowData(r);
      for (int c = 0; c < nCols; ++c) t[static_cast<size_t>(c) * m + static_cast<size_t>(r)] = row[c];
    }
    elements.swap(t);
  }
  std::swap(nRows, nCols);
}

void KzRectMatrix::ComputeVecProduct(const std::vector<double>& u, const std::vector<double>& v) {
  // Work on copies of the sizes first: u or v may not alias our storage (they
  // are std::vectors), so the new shape can be built directly.
  KzRectMatrix t(static_cast<int>(u.size()), static_cast<int>(v.size()));
  for (int r = 0; r < t.nRows; ++r) {
    double* row = t.RowData(r);
    const double ur = u[static_cast<size_t>(r)];
    for (int c = 0; c < t.nCols; ++c) row[c] = ur * v[static_cast<size_t>(c)];
  }
  Swap(t);
}

// ---------------------------------------------------------------------------
// Elements and rows

bool KzRectMatrix::SetElem(int r, int c, double x) {
  if (!InRange(r, c)) return false;
  At(r, c) = x;
  return true;
}

bool KzRectMatrix::SetRow(int r, const KzSparseVector& v) {
  if (r < 0 || r >= nRows || !v.IsValid() || v.GetMinVecSize() > nCols) return false;
  double* row = RowData(r);
  std::fill_n(row, nCols, 0.0);
  const std::vector<int>& idx = v.GetIndices();
  const std::vector<double>& val = v.GetValues();
  for (int k = 0; k < v.GetNElements(); ++k) row[idx[k]] = val[k];
  return true;
}

bool KzRectMatrix::CopyColToVec(int c, std::vector<double>& out) const { return GetCol(c, out); }

// ---------------------------------------------------------------------------
// Column and row edits

bool KzRectMatrix::ColScale(int c, double s) {
  if (c < 0 || c >= nCols) return false;
  for (int r = 0; r < nRows; ++r) At(r, c) *= s;
  return true;
}

bool KzRectMatrix::IncrVecByColumn(int c, std::vector<double>& v, int first, int count, double w,
                                   bool check) const {
  // The O(1) bounds are always tested; `check` adds only the strict count test.
  if (c < 0 || c >= nCols || count < 1 || first < 0) return false;
  if (check && count > nRows) return false;
  const int len = std::min(count, nRows);
  if (v.size() < static_cast<size_t>(first) + static_cast<size_t>(len)) return false;
  const double* p = Data() + c;
  const size_t stride = static_cast<size_t>(nCols);
  double* y = v.data() + first;
  for (int t = 0; t < len; ++t, p += stride) y[t] += w * *p;
  return true;
}

bool KzRectMatrix::ZeroOutCol(int c) {
  if (c < 0 || c >= nCols) return false;
  for (int r = 0; r < nRows; ++r) At(r, c) = 0.0;
  return true;
}

bool KzRectMatrix::ZeroOutRowPart(int r, int first, int last) {
  if (r < 0 || r >= nRows || first < 0 || last < first || last >= nCols) return false;
  std::fill(RowData(r) + first, RowData(r) + last + 1, 0.0);
  return true;
}

bool KzRectMatrix::AddToColumn(int c, const KzRectMatrix& src, int cs, double f) {
  if (c < 0 || c >= nCols || cs < 0 || cs >= src.nCols || src.nRows != nRows) return false;
  // Reading src(r, cs) before writing A(r, c) row by row is safe when src is
  // this matrix, even for c == cs.
  for (int r = 0; r < nRows; ++r) At(r, c) += f * src.At(r, cs);
  return true;
}

bool KzRectMatrix::AddToDiagonal(double x) {
  if (nRows != nCols) return false;
  for (int i = 0; i < nRows; ++i) At(i, i) += x;
  return true;
}

// ---------------------------------------------------------------------------
// Copies and extraction

bool KzRectMatrix::CopyColToCol(int c, int to, KzRectMatrix& dst) const {
  if (c < 0 || c >= nCols || to < 0 || to >= dst.nCols || dst.nRows != nRows) return false;
  for (int r = 0; r < nRows; ++r) dst.At(r, to) = At(r, c);
  return true;
}

bool KzRectMatrix::CopyColToRow(const KzRectMatrix& src, int c, int r) {
  if (c < 0 || c >= src.nCols || r < 0 || r >= nRows || src.nRows != nCols) return false;
  if (&src == this) {
    std::vector<double> col;
    src.GetCol(c, col);
    std::copy(col.begin(), col.end(), RowData(r));
    return true;
  }
  double* row = RowData(r);
  for (int k = 0; k < nCols; ++k) row[k] = src.At(k, c);
  return true;
}

bool KzRectMatrix::CopyColumns(const KzRectMatrix& src, int first, int count) {
  if (first < 0 || count < 0 || first > src.nCols - count) return false;
  KzRectMatrix t(src.nRows, count);
  for (int r = 0; r < src.nRows; ++r) std::copy_n(src.RowData(r) + first, count, t.RowData(r));
  Swap(t);
  return true;
}

bool KzRectMatrix::CopyRows(const KzRectMatrix& src, int first, int count) {
  if (first < 0 || count < 0 || first > src.nRows - count) return false;
  // A fresh matrix then a swap: src may be this matrix.
  KzRectMatrix t(count, src.nCols);
  std::copy(src.RowData(first), src.RowData(first + count), t.Data());
  Swap(t);
  return true;
}

bool KzRectMatrix::CopyRowToRow(int r, int to, KzRectMatrix& dst) const {
  if (r < 0 || r >= nRows || to < 0 || to >= dst.nRows || dst.nCols != nCols) return false;
  if (&dst == this && r == to) return true;
  std::copy_n(RowData(r), nCols, dst.RowData(to));
  return true;
}

int KzRectMatrix::ExtractColumns(const std::vector<int>& cols, KzRectMatrix& out) const {
  int kept = 0;
  for (int c : cols) kept += (c >= 0 && c < nCols) ? 1 : 0;
  KzRectMatrix t(nRows, kept);
  int k = 0;
  for (int c : cols) {
    if (c < 0 || c >= nCols) continue;
    for (int r = 0; r < nRows; ++r) t.At(r, k) = At(r, c);
    ++k;
  }
  out.Swap(t);
  return kept;
}

int KzRectMatrix::ExtractRows(const std::vector<int>& rows, KzRectMatrix& out) const {
  int kept = 0;
  for (int r : rows) kept += (r >= 0 && r < nRows) ? 1 : 0;
  KzRectMatrix t(kept, nCols);
  int k = 0;
  for (int r : rows) {
    if (r < 0 || r >= nRows) continue;
    std::copy_n(RowData(r), nCols, t.RowData(k++));
  }
  out.Swap(t);
  return kept;
}

bool KzRectMatrix::ShiftColumns(int k, KzRectMatrix& out) const {
  if (k < 0 || nRows == 0 || nCols == 0) return false;
  KzRectMatrix t(nRows, nCols + k);
  for (int r = 0; r < nRows; ++r) std::copy_n(RowData(r), nCols, t.RowData(r) + k);
  out.Swap(t);
  return true;
}

bool KzRectMatrix::ShiftRows(int k, KzRectMatrix& out) const {
  if (k < 0 || nRows == 0 || nCols == 0) return false;
  KzRectMatrix t(nRows + k, nCols);
  std::copy(elements.begin(), elements.end(), t.RowData(k));
  out.Swap(t);
  return true;
}

bool KzRectMatrix::CreateBlockDiagonal(int k, KzRectMatrix& out) const {
  if (k < 1) return false;
  KzRectMatrix t(k * nRows, k * nCols);
  for (int b = 0; b < k; ++b)
    for (int r = 0; r < nRows; ++r)
      std::copy_n(RowData(r), nCols, t.RowData(b * nRows + r) + b * nCols);
  out.Swap(t);
  return true;
}

bool KzRectMatrix::ExpandSquare(const KzRectMatrix& b, KzRectMatrix& out) const {
  if (nRows != nCols || b.nCols != nCols) return false;
  const int n = nRows;
  const int p = b.nRows;
  KzRectMatrix t(n + p, n + p);
  for (int r = 0; r < n; ++r) {
    std::copy_n(RowData(r), n, t.RowData(r));
    for (int q = 0; q < p; ++q) t.At(r, n + q) = b.At(q, r);
  }
  for (int q = 0; q < p; ++q) std::copy_n(b.RowData(q), n, t.RowData(n + q));
  out.Swap(t);
  return true;
}

void KzRectMatrix::Expand(const KzBitSet& mask, bool byRows, KzRectMatrix& out) const {
  const int size = mask.Size();
  KzRectMatrix t;
  if (byRows) {
    t.Resize(size, nCols);
    int src = 0;
    // Placement stops at the source's end: extra flags leave zero rows.
    for (int i = 0; i < size && src < nRows; ++i)
      if (mask.IsIn(i)) std::copy_n(RowData(src++), nCols, t.RowData(i));
  } else {
    t.Resize(nRows, size);
    int src = 0;
    for (int j = 0; j < size && src < nCols; ++j) {
      if (!mask.IsIn(j)) continue;
      for (int r = 0; r < nRows; ++r) t.At(r, j) = At(r, src);
      ++src;
    }
  }
  out.Swap(t);
}

bool KzRectMatrix::ExpandRectangular(KzRectMatrix& b) {
  if (b.nCols != nCols) return false;
  const int added = b.nRows;
  if (&b == this) {
    const std::vector<double> copy(elements);
    elements.insert(elements.end(), copy.begin(), copy.end());
  } else {
    elements.insert(elements.end(), b.elements.begin(), b.elements.end());
  }
  nRows += added;
  return true;
}

// ---------------------------------------------------------------------------
// Display

void KzRectMatrix::Display() const { KzRectMatrixData::Display(); }

void KzRectMatrix::DisplayF() const {
  using namespace KzDisplay_1_2;
  DisplayText(1, "KzRectMatrix full matrix display start");
  DisplayI("Number of rows", nRows);
  DisplayI("Number of columns", nCols);
  std::vector<double> row;
  for (int r = 0; r < nRows; ++r) {
    GetRow(r, row);
    DisplayDV("row " + std::to_string(r) + ": ", row, true);
  }
  DisplayText(1, "KzRectMatrix display end");
}

}  // namespace KzMath_1_2
