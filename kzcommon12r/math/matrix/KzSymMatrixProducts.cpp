// Dense symmetric matrix: products with vectors, rectangular matrices and
// other symmetric matrices, bilinear and quadratic forms, and the products of
// a held Cholesky factor L with vectors.
//
// S v is formed in the order of BLAS DSPMV on the packed upper triangle by
// columns (the same memory): for each packed row i, y[0..i) += v_i S(i, 0..i)
// while the dot product S(i, 0..i) . v[0..i) is collected, then
// y_i += v_i S(i, i) + that dot product. Full rows are read as the packed row
// up to the diagonal and then down column i with steps i+1, i+2, ...
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <vector>

#include "kzcommon12r/common/KzMV.h"
#include "kzcommon12r/math/matrix/KzRectMatrix.h"
#include "kzcommon12r/math/matrix/KzSymMatrix.h"
#include "kzcommon12r/math/matrix/internal/KzRowDots.h"
#include "kzcommon12r/math/matrix/internal/KzVectorClones.h"

namespace KzMath_1_2 {

namespace {
using std::size_t;
using std::ptrdiff_t;
constexpr double kMissing = KzCommon_1_2::KzMV::gMissingValue;

inline size_t RS(int i) { return KzSymMatrixData::RowStart(i); }

using internal::AxpyDisjoint;

// y[0..n) = S x for the packed S of order n, in the order of DSPMV: for each
// packed row i, y[0..i) += x_i S(i, 0..i) and the dot product S(i, 0..i) . x
// is collected left to right, then y_i = y_i + x_i S(i, i) + that dot product.
// y must not alias x.
//
// Four rows are taken together: over the columns before the block, each y_j
// receives the four rows' terms in row order and the four dot products run as
// independent chains (the sequential chain of one row is what limits the
// single-row loop); the triangle of the block itself is then finished row by
// row. Every y element and every dot product sees the same operations, in the
// same order, as in the row-by-row loop, so the result is DSPMV's bit for bit.
void PackedSymv(const double* s, int n, const double* x, double* y) {
  std::fill_n(y, n, 0.0);
  int i = 0;
  for (; i + 4 <= n; i += 4) {
    const double* r0 = s + RS(i);
    const double* r1 = r0 + i + 1;
    const double* r2 = r1 + i + 2;
    const double* r3 = r2 + i + 3;
    const double x0 = x[i], x1 = x[i + 1], x2 = x[i + 2], x3 = x[i + 3];
    double d0 = 0.0, d1 = 0.0, d2 = 0.0, d3 = 0.0;
    for (int j = 0; j < i; ++j) {
      const double xj = x[j];
      y[j] = (((y[j] + x0 * r0[j]) + x1 * r1[j]) + x2 * r2[j]) + x3 * r3[j];
      d0 += r0[j] * xj;
      d1 += r1[j] * xj;
      d2 += r2[j] * xj;
      d3 += r3[j] * xj;
    }
    // The block's own triangle, row by row in the single-row order.
    const double xi0 = x[i], xi1 = x[i + 1], xi2 = x[i + 2];
    double y0 = y[i] + x0 * r0[i] + d0;
    y0 += x1 * r1[i];
    d1 += r1[i] * xi0;
    double y1 = y[i + 1] + x1 * r1[i + 1] + d1;
    y0 += x2 * r2[i];
    d2 += r2[i] * xi0;
    y1 += x2 * r2[i + 1];
    d2 += r2[i + 1] * xi1;
    double y2 = y[i + 2] + x2 * r2[i + 2] + d2;
    y0 += x3 * r3[i];
    d3 += r3[i] * xi0;
    y1 += x3 * r3[i + 1];
    d3 += r3[i + 1] * xi1;
    y2 += x3 * r3[i + 2];
    d3 += r3[i + 2] * xi2;
    y[i] = y0;
    y[i + 1] = y1;
    y[i + 2] = y2;
    y[i + 3] = y[i + 3] + x3 * r3[i + 3] + d3;
  }
  for (; i < n; ++i) {
    const double* row = s + RS(i);
    const double xi = x[i];
    AxpyDisjoint(y, row, xi, i);
    double dot = 0.0;
    for (int j = 0; j < i; ++j) dot += row[j] * x[j];
    y[i] = y[i] + xi * row[i] + dot;
  }
}

// sum_{t<len} S(i, t) v[t * stride] for the packed S (len <= order).
double RowDot(const double* s, int i, int len, const double* v, ptrdiff_t stride) {
  const double* row = s + RS(i);
  const int lim = std::min(i + 1, len);
  double sum = 0.0;
  for (int t = 0; t < lim; ++t) sum += row[t] * v[t * stride];
  size_t pos = RS(i + 1) + static_cast<size_t>(i);  // element (i + 1, i)
  for (int t = i + 1; t < len; ++t) {
    sum += s[pos] * v[t * stride];
    pos += static_cast<size_t>(t) + 1;
  }
  return sum;
}

// The full n x n row-major copy of a symmetric matrix of any kind.
std::vector<double> FullOf(const IKzSymMatrix& s) {
  const int n = s.GetNRows();
  std::vector<double> f(static_cast<size_t>(n) * static_cast<size_t>(n));
  if (const auto* d = dynamic_cast<const KzSymMatrixData*>(&s)) {
    const double* p = d->Data();
    for (int i = 0; i < n; ++i)
      for (int j = 0; j <= i; ++j, ++p)
        f[static_cast<size_t>(i) * n + j] = f[static_cast<size_t>(j) * n + i] = *p;
    return f;
  }
  std::vector<double> row;
  for (int i = 0; i < n; ++i) {
    s.GetRow(i, row);
    std::copy(row.begin(), row.end(), f.begin() + static_cast<ptrdiff_t>(i) * n);
  }
  return f;
}

// c = a b for row-major a (m x k) and b (k x p), each element summed in k order.
void Gemm(const double* a, const double* b, double* c, int m, int k, int p) {
  for (int r = 0; r < m; ++r) {
    double* cr = c + static_cast<size_t>(r) * p;
    std::fill_n(cr, p, 0.0);
    for (int q = 0; q < k; ++q)
      AxpyDisjoint(cr, b + static_cast<size_t>(q) * p, a[static_cast<size_t>(r) * k + q], p);
  }
}

// Packed lower triangle of A B A for full n x n A and B (A and B symmetric).
void SandwichPacked(const std::vector<double>& a, const std::vector<double>& b, int n,
                    double* out) {
  const size_t nn = static_cast<size_t>(n) * n;
  std::vector<double> ba(nn);
  std::vector<double> aba(nn);
  Gemm(b.data(), a.data(), ba.data(), n, n, n);
  Gemm(a.data(), ba.data(), aba.data(), n, n, n);
  for (int i = 0; i < n; ++i)
    for (int j = 0; j <= i; ++j) *out++ = aba[static_cast<size_t>(i) * n + j];
}
}  // namespace

// ===========================================================================
// Products with vectors

bool KzSymMatrix::ComputeSV(const std::vector<double>& v, std::vector<double>& out) const {
  if (nRows < 0 || v.size() < static_cast<size_t>(nRows)) return false;
  if (&out != &v) {
    // No temporary: out's storage is reused across calls in a loop.
    out.resize(static_cast<size_t>(nRows));
    PackedSymv(Data(), nRows, v.data(), out.data());
    return true;
  }
  std::vector<double> y(static_cast<size_t>(nRows));
  PackedSymv(Data(), nRows, v.data(), y.data());
  out.swap(y);
  return true;
}

bool KzSymMatrix::ComputeSV(int k, const std::vector<double>& v, std::vector<double>& out) const {
  if (k < 0 || k > nRows || v.size() < static_cast<size_t>(k)) return false;
  // The leading k x k block is the first k(k+1)/2 packed elements.
  std::vector<double> y(static_cast<size_t>(k));
  PackedSymv(Data(), k, v.data(), y.data());
  if (out.size() < static_cast<size_t>(k)) out.resize(static_cast<size_t>(k));
  std::copy(y.begin(), y.end(), out.begin());
  return true;
}

double KzSymMatrix::ComputeVSV(const std::vector<double>& v) const {
  if (nRows < 0 || v.size() != static_cast<size_t>(nRows)) return kMissing;
  // vᵀ S v = sum_i v_i (S(i, i) v_i + 2 sum_{j<i} S(i, j) v_j).
  double q = 0.0;
  const double* row = Data();
  for (int i = 0; i < nRows; row += i + 1, ++i) {
    double off = 0.0;
    for (int j = 0; j < i; ++j) off += row[j] * v[static_cast<size_t>(j)];
    const double vi = v[static_cast<size_t>(i)];
    q += vi * (row[i] * vi + 2.0 * off);
  }
  return q;
}

double KzSymMatrix::ComputeVSV(const KzRectMatrix& r, int row) const {
  if (nRows < 0 || r.GetNCols() != nRows || row < 0 || row >= r.GetNRows()) return kMissing;
  const std::vector<double> v(r.RowData(row), r.RowData(row) + nRows);
  return ComputeVSV(v);
}

double KzSymMatrix::SquareRootVSV(const std::vector<double>& v) const {
  const double q = ComputeVSV(v);
  // A negative form (an indefinite matrix or rounding) has no real root.
  if (KzCommon_1_2::KzMV::IsMissing(q) || !(q >= 0.0)) return kMissing;
  return std::sqrt(q);
}

double KzSymMatrix::ComputeVSW(const std::vector<double>& v, const std::vector<double>& w) const {
  if (nRows < 0 || v.size() != static_cast<size_t>(nRows) || w.size() != static_cast<size_t>(nRows))
    return kMissing;
  return ComputeVSW(v.data(), 1, w.data(), 1);
}

double KzSymMatrix::ComputeVSW(const double* p, int sp, const double* q, int sq) const {
  if (p == nullptr || q == nullptr || sp < 1 || sq < 1 || nRows < 0) return kMissing;
  // vᵀ S w = sum_i [v_i sum_{j<=i} S(i, j) w_j + w_i sum_{j<i} S(i, j) v_j].
  double sum = 0.0;
  const double* row = Data();
  for (int i = 0; i < nRows; row += i + 1, ++i) {
    double sw = 0.0;
    double sv = 0.0;
    for (int j = 0; j < i; ++j) {
      sw += row[j] * q[static_cast<ptrdiff_t>(j) * sq];
      sv += row[j] * p[static_cast<ptrdiff_t>(j) * sp];
    }
    const double vi = p[static_cast<ptrdiff_t>(i) * sp];
    const double wi = q[static_cast<ptrdiff_t>(i) * sq];
    sum += vi * (sw + row[i] * wi) + wi * sv;
  }
  return sum;
}

double KzSymMatrix::ComputeVSW(const std::vector<double>& t, int i, int j, int k) const {
  if (k < 0 || k > nRows || t.size() < PackedSize(k) || i < 0 || i >= k || j < 0 || j >= k)
    return kMissing;
  // (S T S)(i, j) = (row i of S) T (column j of S), all over the leading k indices.
  std::vector<double> si(static_cast<size_t>(k));
  std::vector<double> sj(static_cast<size_t>(k));
  for (int a = 0; a < k; ++a) {
    si[static_cast<size_t>(a)] = At(i, a);
    sj[static_cast<size_t>(a)] = At(a, j);
  }
  std::vector<double> tsj(static_cast<size_t>(k));
  PackedSymv(t.data(), k, sj.data(), tsj.data());
  double s = 0.0;
  for (int a = 0; a < k; ++a) s += si[static_cast<size_t>(a)] * tsj[static_cast<size_t>(a)];
  return s;
}

double KzSymMatrix::ComputeVSWParts(const double* v, int nv, const double* w, int nw) const {
  if (v == nullptr || w == nullptr || nv < 0 || nw < 0 || nRows < 0) return kMissing;
  const int a = std::min(nRows, nw);
  const int b = std::min(nRows, nv);
  double sum = 0.0;
  for (int i = 0; i < a; ++i) sum += w[i] * RowDot(Data(), i, b, v, 1);
  return sum;
}

double KzSymMatrix::ComputeVSWParts(const std::vector<double>& v, int nv,
                                    const std::vector<double>& w, int nw) const {
  if (nv < 0 || nw < 0 || v.size() < static_cast<size_t>(nv) || w.size() < static_cast<size_t>(nw))
    return kMissing;
  return ComputeVSWParts(v.data(), nv, w.data(), nw);
}

double KzSymMatrix::ComputeRVD(int i, const double* v, int k) const {
  if (i < 0 || i >= nRows || v == nullptr || k < 0) return kMissing;
  return RowDot(Data(), i, nRows, v, k);
}

double KzSymMatrix::ComputeRVD(int i, const std::vector<double>& v, int k) const {
  if (i < 0 || i >= nRows || k < 0) return kMissing;
  // The walk 0, k, ..., (n-1)k must stay inside v.
  const size_t last = static_cast<size_t>(nRows - 1) * static_cast<size_t>(k);
  if (v.size() <= last) return kMissing;
  return RowDot(Data(), i, nRows, v.data(), k);
}

double KzSymMatrix::ComputeRVD(int i, const std::vector<int>& idx, const std::vector<double>& p,
                               int k) const {
  if (i < 0 || i >= nRows || k < 0 || idx.size() < static_cast<size_t>(k) ||
      p.size() < static_cast<size_t>(k))
    return kMissing;
  double s = 0.0;
  for (int t = 0; t < k; ++t) {
    const int c = idx[static_cast<size_t>(t)];
    if (c < 0 || c >= nRows) continue;
    s += At(i, c) * p[static_cast<size_t>(t)];
  }
  return s;
}

double KzSymMatrix::ComputeRowDotProductS(int i, const std::vector<double>& v, int k) const {
  if (i < 0 || i >= nRows || k < 0 || k >= nRows || v.size() < PackedSize(nRows)) return kMissing;
  // Column k of the second matrix: packed row k up to the diagonal, then down.
  double s = 0.0;
  const double* row = Data() + RS(i);
  size_t pos = RS(k);
  for (int t = 0; t < nRows; ++t) {
    const double st = t <= i ? row[t] : LowerAt(t, i);
    s += st * v[pos];
    pos += t < k ? 1 : static_cast<size_t>(t) + 1;
  }
  return s;
}

double KzSymMatrix::ComputeRowDotProductS(int i, const KzSymMatrix& t, int k) const {
  if (t.nRows != nRows) return kMissing;
  return ComputeRowDotProductS(i, t.elements, k);
}

double KzSymMatrix::ComputeDotProduct2Rows(int i, int j) const {
  if (i < 0 || i >= nRows || j < 0 || j >= nRows) return kMissing;
  double s = 0.0;
  for (int t = 0; t < nRows; ++t) s += At(i, t) * At(t, j);
  return s;
}

namespace {

// A sparse operand (positions idx, values v) of an order-n triangle: every
// position inside the matrix and a value for each.
bool SparseOperandFits(const std::vector<int>& idx, const std::vector<double>& v, int n) {
  if (n < 0 || v.size() < idx.size()) return false;
  for (int c : idx)
    if (c < 0 || c >= n) return false;
  return true;
}

}  // namespace

bool KzSymMatrix::ComputeLV(const std::vector<double>& v, std::vector<double>& out) const {
  if (nRows < 0 || v.size() < static_cast<size_t>(nRows)) return false;
  std::vector<double> y(static_cast<size_t>(nRows));
  const double* row = Data();
  for (int i = 0; i < nRows; row += i + 1, ++i) {
    double s = 0.0;
    for (int j = 0; j <= i; ++j) s += row[j] * v[static_cast<size_t>(j)];
    y[static_cast<size_t>(i)] = s;
  }
  out.swap(y);
  return true;
}

bool KzSymMatrix::ComputeLV(const std::vector<int>& idx, const std::vector<double>& v,
                            std::vector<double>& out) const {
  if (!SparseOperandFits(idx, v, nRows)) return false;
  std::vector<double> y(static_cast<size_t>(nRows), 0.0);
  // L v = sum over the entries of v_t times column idx_t of L (rows >= idx_t).
  for (size_t t = 0; t < idx.size(); ++t) {
    const int c = idx[t];
    for (int i = c; i < nRows; ++i) y[static_cast<size_t>(i)] += LowerAt(i, c) * v[t];
  }
  out.swap(y);
  return true;
}

bool KzSymMatrix::ComputeLTransV(const std::vector<double>& v, std::vector<double>& out) const {
  if (nRows < 0 || v.size() < static_cast<size_t>(nRows)) return false;
  std::vector<double> y(static_cast<size_t>(nRows), 0.0);
  // Lᵀ v = sum_i v_i (row i of L): contiguous packed rows.
  const double* row = Data();
  for (int i = 0; i < nRows; row += i + 1, ++i) {
    const double vi = v[static_cast<size_t>(i)];
    for (int j = 0; j <= i; ++j) y[static_cast<size_t>(j)] += vi * row[j];
  }
  out.swap(y);
  return true;
}

bool KzSymMatrix::ComputeLTransV(const std::vector<int>& idx, const std::vector<double>& v,
                                 std::vector<double>& out) const {
  if (!SparseOperandFits(idx, v, nRows)) return false;
  std::vector<double> y(static_cast<size_t>(nRows), 0.0);
  for (size_t t = 0; t < idx.size(); ++t) {
    const double* row = RowData(idx[t]);
    for (int j = 0; j <= idx[t]; ++j) y[static_cast<size_t>(j)] += v[t] * row[j];
  }
  out.swap(y);
  return true;
}

bool KzSymMatrix::IncrVecByRow(int i, std::vector<double>& v, int first, int count, double w,
                               bool check) const {
  if (i < 0 || i >= nRows || count < 1 || first < 0) return false;
  if (check && count > nRows) return false;
  const int len = std::min(count, nRows);
  if (v.size() < static_cast<size_t>(first) + static_cast<size_t>(len)) return false;
  double* y = v.data() + first;
  const double* row = RowData(i);
  const int lim = std::min(i + 1, len);
  for (int t = 0; t < lim; ++t) y[t] += w * row[t];
  for (int t = i + 1; t < len; ++t) y[t] += w * LowerAt(t, i);
  return true;
}

bool KzSymMatrix::CopyRowToRColumn(int i, KzRectMatrix& r, int c, int k) const {
  if (i < 0 || i >= nRows || k < 0 || k > nRows || c < 0 || c >= r.GetNCols() ||
      r.GetNRows() < k)
    return false;
  for (int t = 0; t < k; ++t) r.At(t, c) = At(i, t);
  return true;
}

// ===========================================================================
// Products with matrices

bool KzSymMatrix::ComputeRS(const KzRectMatrix& r, KzRectMatrix& out) const {
  if (nRows < 0 || r.GetNCols() != nRows) return false;
  const int m = r.GetNRows();
  KzRectMatrix t(m, nRows);
  // Row q of R S is (S r_q)ᵀ, S being symmetric.
  for (int q = 0; q < m; ++q) PackedSymv(Data(), nRows, r.RowData(q), t.RowData(q));
  out = std::move(t);
  return true;
}

bool KzSymMatrix::ComputeRSRTrans(const KzRectMatrix& r, KzSymMatrix& out) const {
  if (nRows < 0 || r.GetNCols() != nRows) return false;
  const int m = r.GetNRows();
  KzRectMatrix rs;
  ComputeRS(r, rs);
  KzSymMatrix t(m);
  if (!t.IsValidMatrix()) return false;
  double* p = t.Data();
  for (int q = 0; q < m; ++q)
    for (int s = 0; s <= q; ++s) *p++ = rs.DotProductRowRow(q, r, s);
  out.Swap(t);
  return true;
}

bool KzSymMatrix::ComputeRTransS(const IKzRectMatrix& r, IKzRectMatrix& out) const {
  auto* o = dynamic_cast<KzRectMatrix*>(&out);
  if (o == nullptr || nRows < 0 || r.GetNRows() != nRows || !r.IsValidMatrix()) return false;
  const int p = r.GetNCols();
  KzRectMatrix t(p, nRows);
  std::vector<double> col;
  for (int c = 0; c < p; ++c) {
    r.GetCol(c, col);
    PackedSymv(Data(), nRows, col.data(), t.RowData(c));
  }
  *o = std::move(t);
  return true;
}

bool KzSymMatrix::ComputeRTransSR(const IKzRectMatrix& r, IKzSymMatrix& out) const {
  auto* o = dynamic_cast<KzSymMatrix*>(&out);
  if (o == nullptr || nRows < 0 || r.GetNRows() != nRows || !r.IsValidMatrix()) return false;
  const int p = r.GetNCols();
  // rows of sr: (S r_c)ᵀ for each column c of R; cols: the columns of R.
  std::vector<std::vector<double>> cols(static_cast<size_t>(p));
  std::vector<std::vector<double>> sr(static_cast<size_t>(p), std::vector<double>(static_cast<size_t>(nRows)));
  for (int c = 0; c < p; ++c) {
    r.GetCol(c, cols[static_cast<size_t>(c)]);
    PackedSymv(Data(), nRows, cols[static_cast<size_t>(c)].data(), sr[static_cast<size_t>(c)].data());
  }
  KzSymMatrix t(p);
  if (!t.IsValidMatrix()) return false;
  double* q = t.Data();
  for (int a = 0; a < p; ++a)
    for (int b = 0; b <= a; ++b) {
      double s = 0.0;
      for (int k = 0; k < nRows; ++k)
        s += cols[static_cast<size_t>(a)][static_cast<size_t>(k)] * sr[static_cast<size_t>(b)][static_cast<size_t>(k)];
      *q++ = s;
    }
  o->Swap(t);
  return true;
}

bool KzSymMatrix::ComputeRTransSV(const IKzRectMatrix& r, const std::vector<double>& v,
                                  std::vector<double>& out) const {
  if (nRows < 0 || r.GetNRows() != nRows || !r.IsValidMatrix() || v.size() < static_cast<size_t>(nRows))
    return false;
  std::vector<double> sv(static_cast<size_t>(nRows));
  PackedSymv(Data(), nRows, v.data(), sv.data());
  const int p = r.GetNCols();
  std::vector<double> y(static_cast<size_t>(p), 0.0);
  std::vector<double> row;
  for (int k = 0; k < nRows; ++k) {
    r.GetRow(k, row);
    const double s = sv[static_cast<size_t>(k)];
    for (int c = 0; c < p; ++c) y[static_cast<size_t>(c)] += row[static_cast<size_t>(c)] * s;
  }
  out.swap(y);
  return true;
}

bool KzSymMatrix::ComputeSS(const KzSymMatrix& t, KzRectMatrix& out) const {
  if (nRows < 0 || t.nRows != nRows) return false;
  const int n = nRows;
  KzRectMatrix res(n, n);
  std::vector<double> row;
  // Row i of S T is (T s_i)ᵀ, s_i the full row i of S.
  for (int i = 0; i < n; ++i) {
    GetRow(i, row);
    PackedSymv(t.Data(), n, row.data(), res.RowData(i));
  }
  out = std::move(res);
  return true;
}

void KzSymMatrix::ComputeSTransS(KzSymMatrix& out) const {
  if (nRows < 0) return;
  const int n = nRows;
  const std::vector<double> f = FullOf(*this);
  KzSymMatrix t(n);
  if (!t.IsValidMatrix()) return;
  double* p = t.Data();
  for (int i = 0; i < n; ++i)
    for (int j = 0; j <= i; ++j) {
      const double* a = f.data() + static_cast<size_t>(i) * n;
      const double* b = f.data() + static_cast<size_t>(j) * n;
      double s = 0.0;
      for (int k = 0; k < n; ++k) s += a[k] * b[k];
      *p++ = s;
    }
  out.Swap(t);
}

bool KzSymMatrix::ComputeGMG(const std::vector<double>& m, KzSymMatrix& out) const {
  if (nRows < 0) return false;
  const int n = nRows;
  const size_t need = PackedSize(n);
  if (m.size() < need) return false;
  KzSymMatrix t(n);
  if (!t.IsValidMatrix()) return false;
  if (n > 0) {
    KzSymMatrix mm(n);
    std::copy_n(m.begin(), need, mm.Data());
    SandwichPacked(FullOf(*this), FullOf(mm), n, t.Data());
  }
  out.Swap(t);
  // A longer m is a caller's mistake: the product from its leading part is
  // delivered, and the mismatch reported. Order 0 has nothing to mismatch.
  return n == 0 || m.size() == need;
}

bool KzSymMatrix::ComputeGSG(const IKzSymMatrix& s, IKzSymMatrix& out) const {
  auto* o = dynamic_cast<KzSymMatrix*>(&out);
  if (o == nullptr || o->GetType() != kSymMatrix || nRows < 0 || !s.IsValidMatrix() ||
      s.GetNRows() != nRows)
    return false;
  KzSymMatrix t(nRows);
  if (!t.IsValidMatrix()) return false;
  SandwichPacked(FullOf(*this), FullOf(s), nRows, t.Data());
  o->Swap(t);
  return true;
}

bool KzSymMatrix::ComputeGMGNG(const IKzSymMatrix& m, const IKzSymMatrix& nn, IKzSymMatrix& out,
                               std::vector<double>& work) const {
  auto* o = dynamic_cast<KzSymMatrix*>(&out);
  if (o == nullptr || m.GetType() != kSymMatrix || nn.GetType() != kSymMatrix ||
      o->GetType() != kSymMatrix || nRows < 0 || m.GetNRows() != nRows || nn.GetNRows() != nRows)
    return false;
  const int n = nRows;
  const size_t nn2 = static_cast<size_t>(n) * n;
  const std::vector<double> a = FullOf(*this);
  const std::vector<double> fm = FullOf(m);
  const std::vector<double> fn = FullOf(nn);
  // P = M A N; work = P + Pᵀ = M A N + N A M (M, A, N symmetric).
  std::vector<double> an(nn2);
  std::vector<double> p(nn2);
  Gemm(a.data(), fn.data(), an.data(), n, n, n);
  Gemm(fm.data(), an.data(), p.data(), n, n, n);
  KzSymMatrix w(n);
  if (!w.IsValidMatrix()) return false;
  double* q = w.Data();
  for (int i = 0; i < n; ++i)
    for (int j = 0; j <= i; ++j)
      *q++ = p[static_cast<size_t>(i) * n + j] + p[static_cast<size_t>(j) * n + i];
  KzSymMatrix t(n);
  if (!t.IsValidMatrix()) return false;
  SandwichPacked(a, FullOf(w), n, t.Data());
  if (work.size() < PackedSize(n)) work.resize(PackedSize(n));
  std::copy(w.elements.begin(), w.elements.end(), work.begin());
  o->Swap(t);
  return true;
}

bool KzSymMatrix::ComputeLSLTrans(const KzSymMatrix& l, KzSymMatrix& out) const {
  const int k = l.nRows;
  if (k < 0 || nRows < 0 || k > nRows) return false;
  // W(s, j) = sum_{t<=j} A(s, t) L(j, t), s, j < k; out(i, j) = sum_{s<=i} L(i, s) W(s, j),
  // each sum taken left to right. A's leading block is unpacked to full rows and
  // W is held transposed (row j of wt is column j of W), so that every sum runs
  // over contiguous memory; four rows share each operand row.
  const size_t kk = static_cast<size_t>(k);
  std::vector<double> a(kk * kk), wt(kk * kk);
  for (int i = 0; i < k; ++i)
    for (int j = 0; j <= i; ++j)
      a[static_cast<size_t>(i) * kk + static_cast<size_t>(j)] =
          a[static_cast<size_t>(j) * kk + static_cast<size_t>(i)] = LowerAt(i, j);
  double s4[4];
  int s = 0;
  for (; s + 4 <= k; s += 4)
    for (int j = 0; j < k; ++j) {
      internal::SharedDot4(a.data() + static_cast<size_t>(s) * kk, kk, l.RowData(j), j + 1, s4);
      std::copy(s4, s4 + 4, wt.begin() + static_cast<ptrdiff_t>(static_cast<size_t>(j) * kk + static_cast<size_t>(s)));
    }
  for (; s < k; ++s)
    for (int j = 0; j < k; ++j)
      wt[static_cast<size_t>(j) * kk + static_cast<size_t>(s)] =
          internal::SeqDot(a.data() + static_cast<size_t>(s) * kk, l.RowData(j), j + 1);
  KzSymMatrix t(k);
  if (!t.IsValidMatrix()) return false;
  for (int j = 0; j < k; j += 4) {
    const int width = std::min(4, k - j);
    for (int i = j; i < k; ++i) {
      const double* li = l.RowData(i);
      if (width == 4 && i >= j + 3) {
        internal::SharedDot4(wt.data() + static_cast<size_t>(j) * kk, kk, li, i + 1, s4);
        std::copy(s4, s4 + 4, t.RowData(i) + j);
      } else {
        for (int q = 0; q < width && j + q <= i; ++q)
          t.LowerAt(i, j + q) = internal::SeqDot(wt.data() + static_cast<size_t>(j + q) * kk, li, i + 1);
      }
    }
  }
  out.Swap(t);
  return true;
}

bool KzSymMatrix::ComputeLTransSL(const IKzSymMatrix& l, IKzSymMatrix& out, int k) const {
  auto* o = dynamic_cast<KzSymMatrix*>(&out);
  const SymMatrixType lt = l.GetType();
  const int d = l.GetNRows();
  if (o == nullptr || o->GetType() != kSymMatrix || k < 1 || d < 0 || nRows < 0 ||
      static_cast<long long>(k) * d != nRows ||
      (lt != kSymMatrix && lt != kSymMatrixData && lt != kDiagMatrix))
    return false;
  const int n = nRows;
  // The lower triangle Λ (d x d, row-major; only j <= i used, diagonal only for
  // the diagonal kind).
  const size_t dd = static_cast<size_t>(d);
  std::vector<double> lam(dd * dd, 0.0);
  for (int i = 0; i < d; ++i)
    for (int j = 0; j <= i; ++j)
      if (lt != kDiagMatrix || i == j) lam[static_cast<size_t>(i) * dd + static_cast<size_t>(j)] = l.GetElem(i, j);
  auto B = [&](int a, int c) -> double {  // element (a, c) of the block-diagonal B
    const int ba = d > 0 ? a / d : 0;
    if (d == 0 || ba != c / d) return 0.0;
    const int ia = a - ba * d;
    const int ic = c - ba * d;
    return ia >= ic ? lam[static_cast<size_t>(ia) * dd + static_cast<size_t>(ic)] : 0.0;
  };
  // T = A B (n x n): column j of B is non-zero only in rows j..(end of j's block).
  const size_t nn = static_cast<size_t>(n);
  std::vector<double> t(nn * nn, 0.0);
  for (int a = 0; a < n; ++a)
    for (int j = 0; j < n; ++j) {
      const int end = (j / d + 1) * d;
      double s = 0.0;
      for (int b = j; b < end; ++b) s += At(a, b) * B(b, j);
      t[static_cast<size_t>(a) * nn + static_cast<size_t>(j)] = s;
    }
  KzSymMatrix res(n);
  if (!res.IsValidMatrix()) return false;
  double* p = res.Data();
  for (int i = 0; i < n; ++i) {
    const int end = (i / d + 1) * d;
    for (int j = 0; j <= i; ++j) {
      double s = 0.0;
      for (int a = i; a < end; ++a) s += B(a, i) * t[static_cast<size_t>(a) * nn + static_cast<size_t>(j)];
      *p++ = s;
    }
  }
  o->Swap(res);
  return true;
}

bool KzSymMatrix::ComputeRSRTrans2(const KzRectMatrix& a, const KzRectMatrix& b,
                                   KzSymMatrix& out) const {
  const int n = nRows;
  const int p = a.GetNCols();
  if (n < 0 || p < 1 || a.GetNRows() != n || b.GetNRows() != n || b.GetNCols() != p) return false;
  // Q = Aᵀ (S B); the result is Q + Qᵀ.
  KzRectMatrix sb;
  ComputeRTransS(b, sb);  // (Bᵀ S) = (S B)ᵀ: p x n
  KzSymMatrix t(p);
  if (!t.IsValidMatrix()) return false;
  std::vector<double> q(static_cast<size_t>(p) * p);
  for (int k = 0; k < p; ++k)
    for (int l = 0; l < p; ++l) {
      double s = 0.0;
      for (int r = 0; r < n; ++r) s += a.At(r, k) * sb.At(l, r);
      q[static_cast<size_t>(k) * p + l] = s;
    }
  double* o = t.Data();
  for (int k = 0; k < p; ++k)
    for (int l = 0; l <= k; ++l) *o++ = q[static_cast<size_t>(k) * p + l] + q[static_cast<size_t>(l) * p + k];
  out.Swap(t);
  return true;
}

bool KzSymMatrix::ComputeRSRTrans2(const KzSymMatrix& s, int a, int b, const KzRectMatrix& r,
                                   KzSymMatrix& out) const {
  const int n = nRows;
  const int p = r.GetNCols();
  if (a < 0 || b < 0 || n < 0 || r.GetNRows() == 0 || p == 0 || r.GetNRows() != n ||
      s.nRows - n < a || a + 1 < b + p)
    return false;
  // V(t, c) = s(a + t, b + c) lies in s's lower triangle (b + c <= a <= a + t).
  KzRectMatrix v(n, p);
  for (int t = 0; t < n; ++t) std::copy_n(s.RowData(a + t) + b, p, v.RowData(t));
  return ComputeRSRTrans2(v, r, out);
}

bool KzSymMatrix::ComputeRTransSymR(const std::vector<double>& v, int count, int p, int a, int b,
                                    const IKzSymMatrix& s) {
  const SymMatrixType st = s.GetType();
  if (count < 0 || p < 0 || a < 0 || b < 0 || a < b || a + 1 < b + p ||
      v.size() < PackedSize(a + count) || s.GetNRows() != count ||
      (st != kSymMatrix && st != kDiagMatrix))
    return false;
  // R(m, k) = v[(a+m)(a+m+1)/2 + b + k]: rows of the block are contiguous.
  KzRectMatrix r(count, p);
  for (int m = 0; m < count; ++m)
    std::copy_n(v.begin() + static_cast<std::ptrdiff_t>(RS(a + m) + static_cast<size_t>(b)), p,
                r.RowData(m));
  KzSymMatrix t(p);
  if (!t.IsValidMatrix()) return false;
  if (st == kDiagMatrix) {
    std::vector<double> d;
    s.GetDiagonal(d);
    double* o = t.Data();
    for (int k = 0; k < p; ++k)
      for (int l = 0; l <= k; ++l) {
        double sum = 0.0;
        for (int m = 0; m < count; ++m) sum += r.At(m, k) * r.At(m, l) * d[static_cast<size_t>(m)];
        *o++ = sum;
      }
  } else {
    const auto* full = dynamic_cast<const KzSymMatrix*>(&s);
    if (full == nullptr || !full->ComputeRTransSR(r, t)) return false;
  }
  Swap(t);
  return true;
}

}  // namespace KzMath_1_2
