// Dense symmetric matrix: construction, shape, extraction, element and
// diagonal edits, traces and display. The packed lower triangle is walked
// directly: row i starts at i(i+1)/2, and column i below the diagonal is
// reached by steps i+1, i+2, ... from the diagonal element.
#include "kzcommon12r/math/matrix/KzSymMatrix.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstddef>
#include <string>
#include <utility>

#include "kzcommon12r/common/KzMV.h"
#include "kzcommon12r/display/KzDisplay.h"
#include "kzcommon12r/math/matrix/KzBitSet.h"
#include "kzcommon12r/math/matrix/KzRectMatrix.h"

namespace KzMath_1_2 {

namespace {
using std::size_t;
constexpr double kMissing = KzCommon_1_2::KzMV::gMissingValue;
}  // namespace

KzSymMatrix::KzSymMatrix() = default;
KzSymMatrix::KzSymMatrix(int n) : KzSymMatrixData(n) {}
KzSymMatrix::KzSymMatrix(int nBlocks, int blockSize) : KzSymMatrixData(nBlocks, blockSize) {}
KzSymMatrix::KzSymMatrix(const KzSymMatrix& other) = default;
KzSymMatrix::KzSymMatrix(KzSymMatrix&& other) noexcept = default;
KzSymMatrix& KzSymMatrix::operator=(const KzSymMatrix& other) = default;
KzSymMatrix& KzSymMatrix::operator=(KzSymMatrix&& other) noexcept = default;
KzSymMatrix::~KzSymMatrix() = default;

void KzSymMatrix::Swap(KzSymMatrix& other) noexcept {
  std::swap(nRows, other.nRows);
  std::swap(nBlocks, other.nBlocks);
  std::swap(blockSize, other.blockSize);
  elements.swap(other.elements);
}

IKzSymMatrix::SymMatrixType KzSymMatrix::GetType() const { return kSymMatrix; }

// ===========================================================================
// Shape

bool KzSymMatrix::Resize(int n) { return ResizeOrder(n); }

bool KzSymMatrix::SetNRows(int n) {
  if (!ResizeOrder(n)) return false;
  Clear();
  return true;
}

bool KzSymMatrix::SetNBlocks(int k) {
  if (k <= 0 || nRows <= 0 || nRows % k != 0) return false;
  nBlocks = k;
  blockSize = nRows / k;
  return true;
}

void KzSymMatrix::SetData(const KzSymMatrixData& data) {
  if (&data == this) return;
  elements = data.AsVectorConst();
  nRows = data.GetNRows();
  nBlocks = data.GetNBlocks();
  blockSize = data.GetBlockSize();
}

bool KzSymMatrix::SetToVV(const std::vector<double>& v) {
  const int n = static_cast<int>(v.size());
  KzSymMatrix t(n);
  if (!t.IsValidMatrix()) return false;
  double* p = t.Data();
  for (int i = 0; i < n; ++i)
    for (int j = 0; j <= i; ++j) *p++ = v[static_cast<size_t>(i)] * v[static_cast<size_t>(j)];
  Swap(t);
  return true;
}

void KzSymMatrix::Clear() { std::fill(elements.begin(), elements.end(), 0.0); }

bool KzSymMatrix::DeleteOneRow(int i) {
  if (i < 0 || i >= nRows) return false;
  // Compact in place: rows before i are unchanged; each later row loses its
  // element in column i and moves up by one row.
  size_t dst = RowStart(i);
  for (int r = i + 1; r < nRows; ++r) {
    const double* row = RowData(r);
    for (int c = 0; c <= r; ++c)
      if (c != i) elements[dst++] = row[c];
  }
  const int n = nRows - 1;
  elements.resize(PackedSize(n));
  nRows = n;
  nBlocks = n > 0 ? 1 : 0;
  blockSize = n;
  return true;
}

void KzSymMatrix::Expand(const KzBitSet& mask, KzSymMatrix& out) const {
  const int size = mask.Size();
  // pos[k] = the position of row k of this matrix in out (placement stops at
  // this matrix's order; extra flags leave zero rows).
  std::vector<int> pos;
  pos.reserve(static_cast<size_t>(std::min(size, std::max(nRows, 0))));
  for (int i = 0; i < size && static_cast<int>(pos.size()) < nRows; ++i)
    if (mask.IsIn(i)) pos.push_back(i);
  KzSymMatrix t;
  if (!t.SetNRows(size)) return;
  const int m = static_cast<int>(pos.size());
  for (int a = 0; a < m; ++a) {
    const double* row = RowData(a);
    double* trow = t.RowData(pos[static_cast<size_t>(a)]);
    for (int b = 0; b <= a; ++b) trow[pos[static_cast<size_t>(b)]] = row[b];
  }
  out.Swap(t);
}

bool KzSymMatrix::ExpandSym(const KzRectMatrix& b, KzSymMatrix& out) const {
  const int n = nRows;
  if (n < 1 || b.GetNCols() != n) return false;
  const int p = b.GetNRows();
  KzSymMatrix t;
  if (!t.SetNRows(n + p)) return false;
  std::copy(elements.begin(), elements.end(), t.Data());
  for (int q = 0; q < p; ++q) std::copy_n(b.RowData(q), n, t.RowData(n + q));
  out.Swap(t);
  return true;
}

bool KzSymMatrix::ExpandSymToRect(const KzRectMatrix& b, KzRectMatrix& out) const {
  const int n = nRows;
  if (n < 1 || b.GetNCols() != n) return false;
  const int p = b.GetNRows();
  KzRectMatrix t(n + p, n + p);
  for (int i = 0; i < n; ++i)
    for (int j = 0; j < n; ++j) t.At(i, j) = At(i, j);
  for (int q = 0; q < p; ++q)
    for (int j = 0; j < n; ++j) t.At(n + q, j) = t.At(j, n + q) = b.At(q, j);
  out = std::move(t);
  return true;
}

// ===========================================================================
// Extraction

bool KzSymMatrix::ExtractSubmatrix(const std::vector<int>& indices, IKzSymMatrix& out) const {
  auto* o = dynamic_cast<KzSymMatrix*>(&out);
  if (o == nullptr || o->GetType() != kSymMatrix) return false;
  int prev = -1;
  for (int k : indices) {
    if (k <= prev || k >= nRows) return false;  // also catches k < 0
    prev = k;
  }
  const int m = static_cast<int>(indices.size());
  KzSymMatrix t;
  if (!t.SetNRows(m)) return false;
  double* p = t.Data();
  for (int a = 0; a < m; ++a) {
    const double* row = RowData(indices[static_cast<size_t>(a)]);
    for (int b = 0; b <= a; ++b) *p++ = row[indices[static_cast<size_t>(b)]];
  }
  o->Swap(t);
  return true;
}

void KzSymMatrix::ExtractFirstNRows(KzSymMatrix& out) const {
  const int m = nRows > 1 ? nRows - 1 : 0;
  KzSymMatrix t;
  if (!t.SetNRows(m)) return;
  std::copy_n(elements.begin(), PackedSize(m), t.Data());
  out.Swap(t);
}

bool KzSymMatrix::ReplaceFirstRows(const KzSymMatrix& s, int k) {
  if (k < 1 || nRows < k || s.nRows < k) return false;
  // The leading k x k block is the first k(k+1)/2 packed elements.
  if (&s != this) std::copy_n(s.elements.begin(), PackedSize(k), elements.begin());
  return true;
}

bool KzSymMatrix::ExtractDiagBlock(int start, int size, KzSymMatrix& out) const {
  if (start < 0 || size < 0 || start > nRows - size || out.nRows != size) return false;
  for (int i = 0; i < size; ++i) {
    const double* src = RowData(start + i) + start;
    double* dst = out.RowData(i);
    for (int j = 0; j <= i; ++j) dst[j] += src[j];
  }
  return true;
}

bool KzSymMatrix::ExtractBlockAndLastRow(int start, int size, KzSymMatrix& out) const {
  if (start < 0 || size < 0 || start >= nRows - size || out.nRows != size + 1) return false;
  const double* last = RowData(nRows - 1);
  const double lastDiag = last[nRows - 1];
  for (int i = 0; i < size; ++i) {
    const double* src = RowData(start + i) + start;
    double* dst = out.RowData(i);
    for (int j = 0; j <= i; ++j) dst[j] += src[j];
  }
  double* dst = out.RowData(size);
  for (int j = 0; j < size; ++j) dst[j] += last[start + j];
  dst[size] += lastDiag;
  return true;
}

bool KzSymMatrix::ExtractBlockInLowTriangular(int row0, int col0, int rows, int cols,
                                              KzRectMatrix& out) const {
  if (row0 < 0 || col0 < 0 || rows < 0 || cols < 0 || row0 > nRows - rows ||
      col0 + cols > row0 + 1 || out.GetNRows() != rows || out.GetNCols() != cols)
    return false;
  for (int j = 0; j < rows; ++j) {
    const double* src = RowData(row0 + j) + col0;
    double* dst = out.RowData(j);
    for (int k = 0; k < cols; ++k) dst[k] += src[k];
  }
  return true;
}

bool KzSymMatrix::ExtractPartOfLastRow(int first, int count, std::vector<double>& out) const {
  if (first < 0 || count < 1 || first > nRows - count) return false;
  if (out.size() < static_cast<size_t>(count)) out.resize(static_cast<size_t>(count));
  std::copy_n(RowData(nRows - 1) + first, count, out.begin());
  return true;
}

bool KzSymMatrix::GetPCol(int row, int first, int last, std::vector<double>& out,
                          int stride) const {
  if (row < 0 || row >= nRows || first < 0 || first >= nRows || last < 0 || last >= nRows ||
      first > last)
    return false;
  const size_t len = static_cast<size_t>(last - first + 1);
  const size_t step = static_cast<size_t>(stride < 0 ? -static_cast<long long>(stride) : stride);
  const size_t need = step * (len - 1) + 1;
  if (out.size() < need) out.resize(need);
  for (size_t t = 0; t < len; ++t) {
    const size_t pos = stride >= 0 ? t * step : (len - 1 - t) * step;
    out[pos] = At(row, first + static_cast<int>(t));
  }
  return true;
}

// ===========================================================================
// Elements, rows, diagonal

bool KzSymMatrix::SetElem(int i, int j, double x) {
  if (i < 0 || j < 0 || i >= nRows || j >= nRows) return false;
  At(i, j) = x;
  return true;
}

bool KzSymMatrix::SetElem(int k, double x) {
  if (k < 0 || static_cast<size_t>(k) >= elements.size() || nRows <= 0) return false;
  elements[static_cast<size_t>(k)] = x;
  return true;
}

bool KzSymMatrix::PutRow(int i, const std::vector<double>& row) {
  if (i < 0 || i >= nRows || row.size() < static_cast<size_t>(nRows)) return false;
  std::copy_n(row.begin(), i + 1, RowData(i));
  for (int t = i + 1; t < nRows; ++t) LowerAt(t, i) = row[static_cast<size_t>(t)];
  return true;
}

bool KzSymMatrix::SetRowColToConst(int i, double x) {
  if (i < 0 || i >= nRows) return false;
  std::fill_n(RowData(i), i + 1, x);
  for (int t = i + 1; t < nRows; ++t) LowerAt(t, i) = x;
  return true;
}

bool KzSymMatrix::ZeroOut(int i) { return SetRowColToConst(i, 0.0); }

bool KzSymMatrix::ZeroOutRedundant(const KzBitSet& kept) {
  if (nRows < 0 || kept.Size() < nRows) return false;
  for (int i = 0; i < nRows; ++i)
    if (!kept.IsIn(i)) ZeroOut(i);
  return true;
}

void KzSymMatrix::ZeroOutNonDiag(double r) {
  if (!(r > 0.0)) return;
  for (int i = 1; i < nRows; ++i) {
    double* row = RowData(i);
    const double dii = std::fabs(row[i]);
    for (int j = 0; j < i; ++j)
      if (std::fabs(row[j]) <= r * std::sqrt(dii * std::fabs(LowerAt(j, j)))) row[j] = 0.0;
  }
}

void KzSymMatrix::ZeroOutRowsForSmallDiag(double r) {
  if (!(r > 0.0)) return;
  double a = 0.0;
  for (int i = 0; i < nRows; ++i) {
    const double d = std::fabs(LowerAt(i, i));
    a = std::max(a, d);
    if (a == 0.0 || d / a < r) ZeroOut(i);
  }
}

bool KzSymMatrix::ReplaceDiagZeroes(double r) {
  if (!(r >= 0.0) || nRows <= 0) return false;
  double a = LowerAt(0, 0);
  for (int i = 1; i < nRows; ++i) a = std::max(a, LowerAt(i, i));
  if (!(a > 0.0)) return false;
  for (int i = 0; i < nRows; ++i) {
    double& b = LowerAt(i, i);
    if (b <= 0.0 || b / a <= r) b = a;
  }
  return true;
}

void KzSymMatrix::AddToDiagonal(double x) {
  for (int i = 0; i < nRows; ++i) LowerAt(i, i) += x;
}

bool KzSymMatrix::AddToDiagonalPart(int first, int last, double x) {
  if (first < 0 || last < first || last >= nRows) return false;
  for (int i = first; i <= last; ++i) LowerAt(i, i) += x;
  return true;
}

void KzSymMatrix::ChangeSign() {
  for (double& a : elements) a = -a;
}

void KzSymMatrix::MultiplyByNumber(double x) {
  for (double& a : elements) a *= x;
}

bool KzSymMatrix::AdjustOffDiagCorr(double delta) {
  if (!(delta >= 0.0 && delta < 1.0)) return false;
  const double bound = 1.0 - delta;
  for (int i = 1; i < nRows; ++i) {
    double* row = RowData(i);
    for (int j = 0; j < i; ++j) {
      if (row[j] >= 1.0) row[j] = bound;
      else if (row[j] <= -1.0) row[j] = -bound;
    }
  }
  return true;
}

void KzSymMatrix::MaxMinDiag(double& max, double& min) const {
  if (nRows <= 0) return;
  double hi = LowerAt(0, 0);
  double lo = hi;
  for (int i = 1; i < nRows; ++i) {
    hi = std::max(hi, LowerAt(i, i));
    lo = std::min(lo, LowerAt(i, i));
  }
  max = hi;
  min = lo;
}

void KzSymMatrix::MaxMinDiagOffDiag(double& maxD, double& minD, double& maxO,
                                    double& minO) const {
  if (nRows <= 0) return;
  MaxMinDiag(maxD, minD);
  double hi = -DBL_MAX;
  double lo = DBL_MAX;
  for (int i = 1; i < nRows; ++i) {
    const double* row = RowData(i);
    for (int j = 0; j < i; ++j) {
      hi = std::max(hi, row[j]);
      lo = std::min(lo, row[j]);
    }
  }
  maxO = hi;
  minO = lo;
}

void KzSymMatrix::GetNCheckDiagonal(std::vector<double>& out, double lo, double repl) const {
  GetDiagonal(out);
  for (double& d : out)
    if (d < lo) d = repl;
}

bool KzSymMatrix::IsZeroRow(int i, const KzBitSet& cols) const {
  if (i < 0 || i >= nRows) return false;
  const int limit = std::min(nRows, cols.Size());
  for (int t = 0; t < limit; ++t)
    if (cols.IsIn(t) && At(i, t) != 0.0) return false;
  return true;
}

bool KzSymMatrix::SetCovarZeros(KzSymMatrix& other) {
  if (other.nRows != nRows || nRows < 0) return false;
  std::vector<int> zero;
  for (int i = 0; i < nRows; ++i)
    if (LowerAt(i, i) <= 0.0 || other.LowerAt(i, i) <= 0.0) zero.push_back(i);
  for (int i : zero) {
    ZeroOut(i);
    other.ZeroOut(i);
  }
  return true;
}

// ===========================================================================
// Traces

double KzSymMatrix::Trace() const {
  double s = 0.0;
  for (int i = 0; i < nRows; ++i) s += LowerAt(i, i);
  return s;
}

double KzSymMatrix::TraceOfProduct(const KzSymMatrix& s) const {
  if (s.nRows != nRows || nRows < 0) return kMissing;
  // trace(A S) = sum_i a_ii s_ii + 2 sum_{j<i} a_ij s_ij on the packed triangles.
  double diag = 0.0;
  double off = 0.0;
  for (int i = 0; i < nRows; ++i) {
    const double* a = RowData(i);
    const double* b = s.RowData(i);
    for (int j = 0; j < i; ++j) off += a[j] * b[j];
    diag += a[i] * b[i];
  }
  return diag + 2.0 * off;
}

double KzSymMatrix::TraceOfProductOfThree(const KzSymMatrix& s, const KzSymMatrix& t) const {
  if (s.nRows != nRows || t.nRows != nRows || nRows < 0) return kMissing;
  // trace(A S T) = sum_{i,j} (A S)(i, j) T(j, i), with A S formed one row at a time.
  const int n = nRows;
  std::vector<double> arow(static_cast<size_t>(n));
  std::vector<double> as(static_cast<size_t>(n));
  std::vector<double> trow(static_cast<size_t>(n));
  double tr = 0.0;
  for (int i = 0; i < n; ++i) {
    GetRow(i, arow);
    std::fill(as.begin(), as.end(), 0.0);
    for (int k = 0; k < n; ++k) {
      const double a = arow[static_cast<size_t>(k)];
      if (a == 0.0) continue;
      s.GetRow(k, trow);
      for (int j = 0; j < n; ++j) as[static_cast<size_t>(j)] += a * trow[static_cast<size_t>(j)];
    }
    t.GetRow(i, trow);
    for (int j = 0; j < n; ++j) tr += as[static_cast<size_t>(j)] * trow[static_cast<size_t>(j)];
  }
  return tr;
}

bool KzSymMatrix::TraceOfProductSubMatSym(int start, const IKzSymMatrix& s, double& tr) const {
  const int k = s.GetNRows();
  if (start < 0 || k < 0 || !s.IsValidMatrix() || start > nRows - k) return false;
  double sum = 0.0;
  if (s.GetType() == kDiagMatrix) {
    for (int i = 0; i < k; ++i) sum += LowerAt(start + i, start + i) * s.GetElem(i, i);
  } else {
    std::vector<double> row;
    for (int i = 0; i < k; ++i) {
      s.GetRow(i, row);
      for (int j = 0; j < k; ++j) sum += At(start + i, start + j) * row[static_cast<size_t>(j)];
    }
  }
  tr = sum;
  return true;
}

// ===========================================================================
// Display

void KzSymMatrix::DisplayF() const {
  using namespace KzDisplay_1_2;
  DisplayText(1, "KzSymMatrix full matrix display start");
  DisplayI("Number of rows", nRows);
  std::vector<double> row;
  for (int i = 0; i < nRows; ++i) {
    GetRow(i, row);
    DisplayDV("row " + std::to_string(i) + ": ", row, true);
  }
  DisplayText(1, "KzSymMatrix display end");
}

}  // namespace KzMath_1_2
