// Dense symmetric matrix: partial inner products between parts of the packed
// matrix (or of the Cholesky factor L that it holds) and parts of vectors.
// The block-diagonal algebra and the triangular solves are built on them.
//
// Two vector walks read a packed lower triangle held in a vector down one of
// its columns:
//  - growing walk:  w_0 = start, w_(t+1) = w_t + incr + t, so that
//    w_t = start + t incr + t(t-1)/2 (with start = j(j+1)/2 + j and
//    incr = j + 1 it walks down column j from the diagonal);
//  - delayed walk:  m unit steps from start (a packed row up to the
//    diagonal), then steps incr, incr + 1, ... (down the column).
// Every walk is checked against its vector, in 64-bit arithmetic, before any
// element is read; a walk that leaves the vector is refused.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "kzcommon12r/common/KzMV.h"
#include "kzcommon12r/math/matrix/KzSymMatrix.h"
#include "kzcommon12r/math/matrix/internal/KzPackedWalk.h"

namespace KzMath_1_2 {

namespace {
using std::size_t;
using i64 = std::int64_t;
using internal::DelayedWalk;
using internal::GrowingWalk;
using internal::PackedColumnReader;
using internal::PackedRowReader;

// True when a growing walk of k positions (k >= 0) from start >= 0 with
// incr >= 1 stays below len.
inline bool GrowingFits(int start, int incr, int k, size_t len) {
  if (start < 0 || incr < 1) return false;
  return k <= 0 || GrowingWalk::At(start, incr, k - 1) < static_cast<i64>(len);
}

// True when a delayed walk of n >= 1 positions stays inside a vector of len.
inline bool DelayedFits(int start, int m, int incr, int n, size_t len) {
  return start >= 0 && m >= 0 && incr >= 1 &&
         DelayedWalk::Last(start, m, incr, n) < static_cast<i64>(len);
}

// sum_{t=i}^{n-1} L(t, i) v[p_t], p advancing along `walk` from row i on.
template <class Walk>
double LColumnDot(const double* data, int n, int i, const std::vector<double>& v, Walk walk) {
  PackedColumnReader col(data, i);
  double s = 0.0;
  for (int t = i; t < n; ++t) s += col.Next() * v[static_cast<size_t>(walk.Next())];
  return s;
}

// sum_{t<n} M(i, t) v[p_t] along `walk`.
template <class Walk>
double RowDot(const double* data, int n, int i, const std::vector<double>& v, Walk walk) {
  PackedRowReader row(data, i);
  double s = 0.0;
  for (int t = 0; t < n; ++t) s += row.Next() * v[static_cast<size_t>(walk.Next())];
  return s;
}

constexpr double kMissing = KzCommon_1_2::KzMV::gMissingValue;

// Unit steps: the contiguous walk s, s+1, ...
struct UnitWalk {
  i64 pos;
  i64 Next() { return pos++; }
};
}  // namespace

bool KzSymMatrix::ComputeDotColVecIIncrPart(int i, const std::vector<double>& v, int start,
                                            int incr, double& r) const {
  if (i < 0 || i >= nRows || !GrowingFits(start, incr, nRows, v.size())) return false;
  r = RowDot(Data(), nRows, i, v, GrowingWalk(start, incr));
  return true;
}

bool KzSymMatrix::ComputeDotLColVecIIncrPart(int i, const std::vector<double>& v, int start,
                                             int incr, double& r) const {
  if (i < 0 || i >= nRows || !GrowingFits(start, incr, nRows, v.size())) return false;
  // The walk is taken up at row i: position w_i, next step incr + i.
  r = LColumnDot(Data(), nRows, i, v,
                 GrowingWalk(GrowingWalk::At(start, incr, i), static_cast<i64>(incr) + i));
  return true;
}

bool KzSymMatrix::ComputeDotLColVecIIncrDiag(int i, const std::vector<double>& v, int start,
                                             int incr, double& r) const {
  if (i < 0 || i >= nRows || !GrowingFits(start, incr, nRows - i, v.size())) return false;
  r = LColumnDot(Data(), nRows, i, v, GrowingWalk(start, incr));
  return true;
}

bool KzSymMatrix::ComputeDotLColVecPart(int i, const std::vector<double>& v, int s,
                                        double& r) const {
  if (i < 0 || i >= nRows || s < 0 ||
      v.size() < static_cast<size_t>(s) + static_cast<size_t>(nRows))
    return false;
  r = LColumnDot(Data(), nRows, i, v, UnitWalk{static_cast<i64>(s) + i});
  return true;
}

bool KzSymMatrix::ComputeDotLRowVecPart(int i, const std::vector<double>& v, int s,
                                        double& r) const {
  if (i < 0 || i >= nRows || s < 0 ||
      v.size() < static_cast<size_t>(s) + static_cast<size_t>(i) + 1)
    return false;
  const double* row = RowData(i);
  const double* x = v.data() + s;
  double sum = 0.0;
  for (int t = 0; t <= i; ++t) sum += row[t] * x[t];
  r = sum;
  return true;
}

bool KzSymMatrix::ComputeVecPartByL(std::vector<double>& v, int src, int dst) const {
  const i64 n = nRows;
  if (n < 0 || src < 0 || dst < 0 || static_cast<i64>(v.size()) < src + n ||
      static_cast<i64>(v.size()) < dst + n || (src < dst + n && dst < src + n))
    return false;
  // The ranges are disjoint: every output reads only the untouched source.
  for (int i = 0; i < nRows; ++i) {
    double r = 0.0;
    ComputeDotLColVecPart(i, v, src, r);
    v[static_cast<size_t>(dst + i)] = r;
  }
  return true;
}

bool KzSymMatrix::ComputeVecIIncPartByL(std::vector<double>& v, int start, int incr,
                                        int dst) const {
  const i64 n = nRows;
  if (n < 0 || dst < 0 || !GrowingFits(start, incr, nRows, v.size()) ||
      static_cast<i64>(v.size()) < dst + n)
    return false;
  if (n > 0 && start < dst + n && GrowingWalk::At(start, incr, n - 1) >= dst) return false;
  for (int i = 0; i < nRows; ++i) {
    double r = 0.0;
    ComputeDotLColVecIIncrPart(i, v, start, incr, r);
    v[static_cast<size_t>(dst + i)] = r;
  }
  return true;
}

bool KzSymMatrix::DotRowVecDelayedIIncrPart(int i, const std::vector<double>& v, int start,
                                            int m, int incr, double& r) const {
  if (i < 0 || i >= nRows || !DelayedFits(start, m, incr, nRows, v.size())) return false;
  r = RowDot(Data(), nRows, i, v, DelayedWalk(start, m, incr));
  return true;
}

bool KzSymMatrix::DotLColVecDelayedIIncrPart(int i, const std::vector<double>& v, int start,
                                             int m, int incr, double& r) const {
  if (i < 0 || i >= nRows || !DelayedFits(start, m, incr, nRows, v.size())) return false;
  // The positions advance for every row from 0; products start at row i.
  DelayedWalk walk(start, m, incr);
  for (int t = 0; t < i; ++t) walk.Next();
  r = LColumnDot(Data(), nRows, i, v, walk);
  return true;
}

bool KzSymMatrix::DotLColRowPart(int i, const KzSymMatrix& s, int row, int col,
                                 double& r) const {
  if (i < 0 || i >= nRows || row < 0 || row >= s.nRows || col < 0 || col >= s.nRows ||
      static_cast<i64>(col) + nRows > s.nRows)
    return false;
  // s(row, col + t) is element col + t of s's full row `row`.
  PackedColumnReader l(Data(), i);
  PackedRowReader srow(s.Data(), row);
  for (int t = 0; t < col + i; ++t) srow.Next();
  double sum = 0.0;
  for (int t = i; t < nRows; ++t) sum += l.Next() * srow.Next();
  r = sum;
  return true;
}

bool KzSymMatrix::DotProdColBelowDiagBackVec(int i, const std::vector<double>& v,
                                             double& r) const {
  if (i < 0 || i >= nRows || v.size() != static_cast<size_t>(nRows)) return false;
  PackedColumnReader col(Data(), i);
  col.Next();  // the diagonal is not part of the product
  double s = 0.0;
  for (int t = i + 1; t < nRows; ++t) s += col.Next() * v[static_cast<size_t>(t)];
  r = s;
  return true;
}

bool KzSymMatrix::DotProdRowBeforeDiagFrontVec(int i, const std::vector<double>& v,
                                               double& r) const {
  if (i < 0 || i >= nRows || v.size() != static_cast<size_t>(nRows)) return false;
  const double* row = RowData(i);
  double s = 0.0;
  for (int t = 0; t < i; ++t) s += row[t] * v[static_cast<size_t>(t)];
  r = s;
  return true;
}

bool KzSymMatrix::DotProductLColRowPart(int i, const std::vector<double>& l, int count, int row,
                                        int col, double& r) const {
  if (i < 0 || count < 0 || row < 0 || row >= nRows || col < 0 ||
      static_cast<i64>(i) + count > nRows || static_cast<i64>(col) + count > nRows ||
      l.size() < PackedSize(i + count))
    return false;
  PackedRowReader mrow(Data(), row);
  for (int t = 0; t < col; ++t) mrow.Next();
  double s = 0.0;
  if (count > 0) {
    PackedColumnReader lam(l.data(), i);  // Λ(i + t, i)
    for (int t = 0; t < count; ++t) s += lam.Next() * mrow.Next();
  }
  r = s;
  return true;
}

bool KzSymMatrix::DotProductLBlockColRow(int i, const std::vector<double>& l, int k, int row,
                                         double& r) const {
  if (k <= 0 || nRows <= 0 || nRows % k != 0 || i < 0 || i >= nRows) return false;
  const int d = nRows / k;
  if (l.size() < PackedSize(d)) return false;
  const int q = i % d;
  return DotProductLColRowPart(q, l, d - q, row, i, r);
}

bool KzSymMatrix::SubSymRectV(int count, int m, int row0, int col0, const std::vector<double>& v,
                              std::vector<double>& out) const {
  if (count < 0 || m < 0 || row0 < 0 || col0 < 0 || static_cast<i64>(row0) + count > nRows ||
      static_cast<i64>(row0) + 1 < static_cast<i64>(col0) + m || v.size() < static_cast<size_t>(m))
    return false;
  std::vector<double> y(static_cast<size_t>(count));
  for (int t = 0; t < count; ++t) {
    const double* src = RowData(row0 + t) + col0;
    double s = 0.0;
    for (int j = 0; j < m; ++j) s += src[j] * v[static_cast<size_t>(j)];
    y[static_cast<size_t>(t)] = s;
  }
  if (out.size() < y.size()) out.resize(y.size());
  std::copy(y.begin(), y.end(), out.begin());
  return true;
}

bool KzSymMatrix::SubSymRectTV(int count, int m, int row0, int col0, const std::vector<double>& v,
                               std::vector<double>& out) const {
  if (count < 0 || m < 0 || row0 < 0 || col0 < 0 || static_cast<i64>(row0) + count > nRows ||
      static_cast<i64>(row0) + 1 < static_cast<i64>(col0) + m ||
      v.size() < static_cast<size_t>(count))
    return false;
  std::vector<double> y(static_cast<size_t>(m), 0.0);
  for (int t = 0; t < count; ++t) {
    const double* src = RowData(row0 + t) + col0;
    const double vt = v[static_cast<size_t>(t)];
    for (int j = 0; j < m; ++j) y[static_cast<size_t>(j)] += src[j] * vt;
  }
  if (out.size() < y.size()) out.resize(y.size());
  std::copy(y.begin(), y.end(), out.begin());
  return true;
}

bool KzSymMatrix::SubSymSV(int count, int a, const std::vector<double>& v,
                           std::vector<double>& out) const {
  if (count < 0 || a < 0 || static_cast<i64>(a) + count > nRows ||
      v.size() < static_cast<size_t>(count))
    return false;
  std::vector<double> y(static_cast<size_t>(count));
  for (int j = 0; j < count; ++j) {
    double s = 0.0;
    for (int t = 0; t < count; ++t) s += At(a + j, a + t) * v[static_cast<size_t>(t)];
    y[static_cast<size_t>(j)] = s;
  }
  if (out.size() < y.size()) out.resize(y.size());
  std::copy(y.begin(), y.end(), out.begin());
  return true;
}

// ===========================================================================
// Bilinear forms over blocks and walked vectors

double KzSymMatrix::ComputeVSymSubW(int row0, int col0, int rows, int cols,
                                    const std::vector<double>& v,
                                    const std::vector<double>& w) const {
  if (row0 < 0 || col0 < 0 || rows < 0 || cols < 0 || static_cast<i64>(row0) + rows > nRows ||
      static_cast<i64>(col0) + cols > nRows || v.size() < static_cast<size_t>(cols) ||
      w.size() < static_cast<size_t>(rows))
    return kMissing;
  double sum = 0.0;
  for (int i = 0; i < rows; ++i) {
    PackedRowReader row(Data(), row0 + i);
    for (int t = 0; t < col0; ++t) row.Next();
    double s = 0.0;
    for (int j = 0; j < cols; ++j) s += row.Next() * v[static_cast<size_t>(j)];
    sum += w[static_cast<size_t>(i)] * s;
  }
  return sum;
}

double KzSymMatrix::ComputeVSSubWParts(int first, int count, const std::vector<double>& v, int vs,
                                       const std::vector<double>& w, int ws) const {
  if (first < 0 || count < 0 || vs < 0 || ws < 0 ||
      v.size() < static_cast<size_t>(vs) + static_cast<size_t>(count) ||
      w.size() < static_cast<size_t>(ws) + static_cast<size_t>(count))
    return kMissing;
  const std::vector<double> vp(v.begin() + vs, v.begin() + vs + count);
  const std::vector<double> wp(w.begin() + ws, w.begin() + ws + count);
  return ComputeVSymSubW(first, first, count, count, vp, wp);
}

double KzSymMatrix::ComputeViiSW(const std::vector<double>& v, int start, int incr,
                                 const std::vector<double>& w, int ws, int stride) const {
  if (nRows < 0 || !GrowingFits(start, incr, nRows, v.size()) || ws < 0 || stride < 0 ||
      (nRows > 0 && static_cast<i64>(ws) + static_cast<i64>(stride) * (nRows - 1) >=
                        static_cast<i64>(w.size())))
    return kMissing;
  // Gather both vectors, then the whole-vector form.
  std::vector<double> a(static_cast<size_t>(nRows)), b(static_cast<size_t>(nRows));
  GrowingWalk walk(start, incr);
  for (int t = 0; t < nRows; ++t) {
    a[static_cast<size_t>(t)] = v[static_cast<size_t>(walk.Next())];
    b[static_cast<size_t>(t)] = w[static_cast<size_t>(ws) + static_cast<size_t>(t) * stride];
  }
  return ComputeVSW(a, b);
}

double KzSymMatrix::ComputeVSWii(const std::vector<double>& v, int vs, int stride,
                                 const std::vector<double>& w, int start, int incr) const {
  // vᵀ M w = wᵀ M v: the walked vector is w.
  return ComputeViiSW(w, start, incr, v, vs, stride);
}

double KzSymMatrix::ComputeBlockVSW(int b, const std::vector<double>& v,
                                    const std::vector<double>& w) const {
  if (b < 0 || b >= nBlocks || blockSize <= 0) return kMissing;
  return ComputeVSymSubW(b * blockSize, b * blockSize, blockSize, blockSize, v, w);
}

double KzSymMatrix::ComputeBlockVSV(int b, const std::vector<double>& v) const {
  return ComputeBlockVSW(b, v, v);
}

}  // namespace KzMath_1_2
