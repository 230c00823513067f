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

#include "kzcommon12r/math/matrix/KzSymMatrix.h"

namespace KzMath_1_2 {

namespace {
using std::size_t;
using i64 = std::int64_t;

// Last position of a growing walk of k >= 1 positions.
inline i64 GrowingLast(i64 start, i64 incr, i64 k) {
  return start + (k - 1) * incr + (k - 1) * (k - 2) / 2;
}

// True when a growing walk of k positions (k >= 0) from start >= 0 with
// incr >= 1 stays below len.
inline bool GrowingFits(int start, int incr, int k, size_t len) {
  if (start < 0 || incr < 1) return false;
  return k <= 0 || GrowingLast(start, incr, k) < static_cast<i64>(len);
}

// Last position of a delayed walk of n >= 1 positions.
inline i64 DelayedLast(i64 start, i64 m, i64 incr, i64 n) {
  const i64 q = std::min(n - 1, m);
  const i64 u = n - 1 - q;
  return start + q + incr * u + u * (u - 1) / 2;
}

inline size_t RS(int i) { return KzSymMatrixData::RowStart(i); }
}  // namespace

bool KzSymMatrix::ComputeDotColVecIIncrPart(int i, const std::vector<double>& v, int start,
                                            int incr, double& r) const {
  if (i < 0 || i >= nRows || !GrowingFits(start, incr, nRows, v.size())) return false;
  double s = 0.0;
  i64 pos = start;
  i64 step = incr;
  const double* row = RowData(i);
  size_t col = RS(i + 1) + static_cast<size_t>(i);  // element (i + 1, i)
  for (int t = 0; t < nRows; ++t, pos += step, ++step) {
    double mit;
    if (t <= i) {
      mit = row[t];
    } else {
      mit = elements[col];
      col += static_cast<size_t>(t) + 1;
    }
    s += mit * v[static_cast<size_t>(pos)];
  }
  r = s;
  return true;
}

bool KzSymMatrix::ComputeDotLColVecIIncrPart(int i, const std::vector<double>& v, int start,
                                             int incr, double& r) const {
  if (i < 0 || i >= nRows || !GrowingFits(start, incr, nRows, v.size())) return false;
  // Walk position of row i, then on down the column of L.
  i64 pos = start + static_cast<i64>(i) * incr + static_cast<i64>(i) * (i - 1) / 2;
  i64 step = static_cast<i64>(incr) + i;
  size_t col = RS(i) + static_cast<size_t>(i);
  double s = 0.0;
  for (int t = i; t < nRows; ++t, pos += step, ++step) {
    s += elements[col] * v[static_cast<size_t>(pos)];
    col += static_cast<size_t>(t) + 1;
  }
  r = s;
  return true;
}

bool KzSymMatrix::ComputeDotLColVecIIncrDiag(int i, const std::vector<double>& v, int start,
                                             int incr, double& r) const {
  if (i < 0 || i >= nRows || !GrowingFits(start, incr, nRows - i, v.size())) return false;
  i64 pos = start;
  i64 step = incr;
  size_t col = RS(i) + static_cast<size_t>(i);
  double s = 0.0;
  for (int t = i; t < nRows; ++t, pos += step, ++step) {
    s += elements[col] * v[static_cast<size_t>(pos)];
    col += static_cast<size_t>(t) + 1;
  }
  r = s;
  return true;
}

bool KzSymMatrix::ComputeDotLColVecPart(int i, const std::vector<double>& v, int s,
                                        double& r) const {
  if (i < 0 || i >= nRows || s < 0 ||
      v.size() < static_cast<size_t>(s) + static_cast<size_t>(nRows))
    return false;
  size_t col = RS(i) + static_cast<size_t>(i);
  const double* x = v.data() + s;
  double sum = 0.0;
  for (int t = i; t < nRows; ++t) {
    sum += elements[col] * x[t];
    col += static_cast<size_t>(t) + 1;
  }
  r = sum;
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
  if (n > 0 && start < dst + n && GrowingLast(start, incr, n) >= dst) return false;
  for (int i = 0; i < nRows; ++i) {
    double r = 0.0;
    ComputeDotLColVecIIncrPart(i, v, start, incr, r);
    v[static_cast<size_t>(dst + i)] = r;
  }
  return true;
}

bool KzSymMatrix::DotRowVecDelayedIIncrPart(int i, const std::vector<double>& v, int start,
                                            int m, int incr, double& r) const {
  if (i < 0 || i >= nRows || start < 0 || m < 0 || incr < 1 ||
      DelayedLast(start, m, incr, nRows) >= static_cast<i64>(v.size()))
    return false;
  const double* row = RowData(i);
  size_t col = RS(i + 1) + static_cast<size_t>(i);
  i64 pos = start;
  i64 step = incr;
  double s = 0.0;
  for (int t = 0; t < nRows; ++t) {
    double mit;
    if (t <= i) {
      mit = row[t];
    } else {
      mit = elements[col];
      col += static_cast<size_t>(t) + 1;
    }
    s += mit * v[static_cast<size_t>(pos)];
    if (t < m) {
      pos += 1;
    } else {
      pos += step;
      ++step;
    }
  }
  r = s;
  return true;
}

bool KzSymMatrix::DotLColVecDelayedIIncrPart(int i, const std::vector<double>& v, int start,
                                             int m, int incr, double& r) const {
  if (i < 0 || i >= nRows || start < 0 || m < 0 || incr < 1 ||
      DelayedLast(start, m, incr, nRows) >= static_cast<i64>(v.size()))
    return false;
  size_t col = RS(i) + static_cast<size_t>(i);
  i64 pos = start;
  i64 step = incr;
  double s = 0.0;
  for (int t = 0; t < nRows; ++t) {
    if (t >= i) {
      s += elements[col] * v[static_cast<size_t>(pos)];
      col += static_cast<size_t>(t) + 1;
    }
    if (t < m) {
      pos += 1;
    } else {
      pos += step;
      ++step;
    }
  }
  r = s;
  return true;
}

bool KzSymMatrix::DotLColRowPart(int i, const KzSymMatrix& s, int row, int col,
                                 double& r) const {
  if (i < 0 || i >= nRows || row < 0 || row >= s.nRows || col < 0 || col >= s.nRows ||
      static_cast<i64>(col) + nRows > s.nRows)
    return false;
  size_t pos = RS(i) + static_cast<size_t>(i);
  double sum = 0.0;
  for (int t = i; t < nRows; ++t) {
    sum += elements[pos] * s.At(row, col + t);
    pos += static_cast<size_t>(t) + 1;
  }
  r = sum;
  return true;
}

bool KzSymMatrix::DotProdColBelowDiagBackVec(int i, const std::vector<double>& v,
                                             double& r) const {
  if (i < 0 || i >= nRows || v.size() != static_cast<size_t>(nRows)) return false;
  size_t pos = RS(i + 1) + static_cast<size_t>(i);
  double s = 0.0;
  for (int t = i + 1; t < nRows; ++t) {
    s += elements[pos] * v[static_cast<size_t>(t)];
    pos += static_cast<size_t>(t) + 1;
  }
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
  double s = 0.0;
  size_t pos = RS(i) + static_cast<size_t>(i);  // Λ(i, i)
  for (int t = 0; t < count; ++t) {
    s += l[pos] * At(row, col + t);
    pos += static_cast<size_t>(i + t) + 1;
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

}  // namespace KzMath_1_2
