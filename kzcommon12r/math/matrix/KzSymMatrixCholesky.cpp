// Cholesky factorisation M = L Lᵀ of the packed symmetric matrix with
// detection of redundant (aliased) rows, the inverse of the factor and the
// generalised inverse, and determinants.
//
// The factorisation is LINPACK DPPFA's (Dongarra, Bunch, Moler and Stewart,
// LINPACK Users' Guide, 1979, ch. 3): the packed lower triangle by rows is
// DPPFA's packed upper triangle by columns, and row j of L is formed from the
// rows above it with inner products (DDot) over contiguous packed rows. A
// pivot that does not exceed eps times its reference value is set to 0 and
// its row counted as redundant; the zero then removes column j from every
// later row, so the factor of the remaining rows is that of the matrix with
// the redundant rows deleted (Healy, AS 6, Appl. Statist. 17, 1968). The
// computed factor is backward stable: L Lᵀ = M + E, |E| <= c n u |L||Lᵀ|.
//
// The inverse of the factor follows LINPACK DTRDI and the product W Wᵀ of its
// inverse LAPACK DPPTRI (rank-one updates of the leading block, contiguous
// rows); a zero pivot yields a zero row and column, giving the generalised
// inverse with redundant rows and columns 0.

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <new>
#include <stdexcept>
#include <vector>

#include "kzcommon12r/common/KzMV.h"
#include "kzcommon12r/math/kernels/Blas1.h"
#include "kzcommon12r/math/matrix/KzBitSet.h"
#include "kzcommon12r/math/matrix/KzSymMatrix.h"
#include "kzcommon12r/math/matrix/internal/KzPackedCholesky.h"
#include "kzcommon12r/math/matrix/internal/KzPivotRules.h"

namespace KzMath_1_2 {

namespace internal {

namespace {

// Four dot products x_b . y of length n sharing y, each summed exactly as
// Blas1::DDot sums (the n mod 5 leading products one by one, then groups of
// five left to right), so the results equal four DDot calls bit for bit. The
// four independent chains of additions keep the floating-point units busy
// where one DDot chain waits on the latency of each addition.
void Dot4(double* const* x, const double* y, int n, double* s) {
  const double* x0 = x[0];
  const double* x1 = x[1];
  const double* x2 = x[2];
  const double* x3 = x[3];
  double s0 = 0.0, s1 = 0.0, s2 = 0.0, s3 = 0.0;
  if (n > 0) {
    const int m = n % 5;
    for (int i = 0; i < m; ++i) {
      const double yi = y[i];
      s0 = s0 + x0[i] * yi;
      s1 = s1 + x1[i] * yi;
      s2 = s2 + x2[i] * yi;
      s3 = s3 + x3[i] * yi;
    }
    for (int i = m; i < n; i += 5) {
      const double y0 = y[i], y1 = y[i + 1], y2 = y[i + 2], y3 = y[i + 3], y4 = y[i + 4];
      s0 = s0 + x0[i] * y0 + x0[i + 1] * y1 + x0[i + 2] * y2 + x0[i + 3] * y3 + x0[i + 4] * y4;
      s1 = s1 + x1[i] * y0 + x1[i + 1] * y1 + x1[i + 2] * y2 + x1[i + 3] * y3 + x1[i + 4] * y4;
      s2 = s2 + x2[i] * y0 + x2[i + 1] * y1 + x2[i + 2] * y2 + x2[i + 3] * y3 + x2[i + 4] * y4;
      s3 = s3 + x3[i] * y0 + x3[i + 1] * y1 + x3[i + 2] * y2 + x3[i + 3] * y3 + x3[i + 4] * y4;
    }
  }
  s[0] = s0;
  s[1] = s1;
  s[2] = s2;
  s[3] = s3;
}

constexpr int kBlock = 4;

}  // namespace

int PackedCholesky(double* a, int n, const double* d, double eps, CholReport* report) {
  int redundant = 0;
  int acceptedCount = 0;
  // Rows in blocks of four: the elements of a block's rows left of the block
  // depend only on the rows above it, so the four rows are formed together
  // (Dot4); inside the block the rows follow one by one. The arithmetic of
  // every element is that of the plain row-by-row recursion.
  for (int j0 = 0; j0 < n; j0 += kBlock) {
    const int nb = n - j0 < kBlock ? n - j0 : kBlock;
    double* rows[kBlock];
    for (int b = 0; b < kBlock; ++b) rows[b] = a + KzSymMatrixData::RowStart(j0 + (b < nb ? b : 0));
    for (int k = 0; k < j0; ++k) {
      double* rk = a + KzSymMatrixData::RowStart(k);
      const double lkk = rk[k];
      if (lkk == 0.0) {
        // A zero pivot removes column k from every later row.
        for (int b = 0; b < nb; ++b) rows[b][k] = 0.0;
        continue;
      }
      double dots[kBlock];
      if (nb == kBlock) {
        Dot4(rows, rk, k, dots);
      } else {
        for (int b = 0; b < nb; ++b) dots[b] = Blas1::DDot(k, rows[b], 1, rk, 1);
      }
      for (int b = 0; b < nb; ++b) rows[b][k] = (rows[b][k] - dots[b]) / lkk;
    }
    for (int b = 0; b < nb; ++b) {
      const int j = j0 + b;
      double* rj = rows[b];
      for (int k = j0; k < j; ++k) {
        double* rk = a + KzSymMatrixData::RowStart(k);
        const double lkk = rk[k];
        rj[k] = lkk != 0.0 ? (rj[k] - Blas1::DDot(k, rj, 1, rk, 1)) / lkk : 0.0;
      }
      const double s = rj[j] - Blas1::DDot(j, rj, 1, rj, 1);
      const double dj = d[j];
      if (CholPivotAccepted(s, eps, dj)) {
        rj[j] = std::sqrt(s);
        if (report != nullptr) {
          if (report->kept != nullptr) report->kept[j] = 1;
          if (report->accepted != nullptr) report->accepted->push_back(j);
          ++acceptedCount;
          if (report->maxAccepted > 0 && acceptedCount >= report->maxAccepted) return redundant;
        }
      } else {
        rj[j] = 0.0;
        ++redundant;
        if (report != nullptr) {
          if (report->kept != nullptr) report->kept[j] = 0;
          if (s < 0.0 && -s > eps * dj) report->negativePivot = true;
        }
      }
    }
  }
  return redundant;
}

void PackedForward(const double* a, int n, double* y) {
  for (int i = 0; i < n; ++i) {
    double* ri = const_cast<double*>(a + KzSymMatrixData::RowStart(i));
    const double lii = ri[i];
    y[i] = lii != 0.0 ? (y[i] - Blas1::DDot(i, ri, 1, y, 1)) / lii : 0.0;
  }
}

void PackedBackward(const double* a, int n, double* y) {
  // Lᵀ x = y by columns of Lᵀ, i.e. the contiguous packed rows of L.
  for (int i = n - 1; i >= 0; --i) {
    double* ri = const_cast<double*>(a + KzSymMatrixData::RowStart(i));
    const double lii = ri[i];
    if (lii == 0.0) {
      y[i] = 0.0;
      continue;
    }
    y[i] /= lii;
    if (y[i] != 0.0) Blas1::Daxpy(i, -y[i], ri, 1, y, 1);
  }
}

void ScaleDecimal(double& m, double& e, double f) {
  m *= f;
  if (m == 0.0 || !std::isfinite(m)) return;
  while (std::fabs(m) >= 10.0) {
    m /= 10.0;
    e += 1.0;
  }
  while (std::fabs(m) < 1.0) {
    m *= 10.0;
    e -= 1.0;
  }
}

}  // namespace internal

namespace {

constexpr double kMissing = KzCommon_1_2::KzMV::gMissingValue;

// The arguments of LTChol that are refused whatever `check` says (they guard
// the memory), and those refused only with `check` (an O(n) scan).
bool CholArgsOk(int n, const std::vector<double>& d, double eps, bool check) {
  if (n < 0 || d.size() < static_cast<std::size_t>(n)) return false;
  if (check) {
    if (!(eps >= 0.0)) return false;
    for (int i = 0; i < n; ++i)
      if (!(d[static_cast<std::size_t>(i)] >= 0.0)) return false;
  }
  return true;
}

double MinDiagonal(const KzSymMatrix& m) {
  const int n = m.GetNRows();
  if (n <= 0) return kMissing;
  double lo = m.LowerAt(0, 0);
  for (int i = 1; i < n; ++i) lo = std::min(lo, m.LowerAt(i, i));
  return lo;
}

}  // namespace

int KzSymMatrix::LTChol(const std::vector<double>& d, double eps, bool check) {
  if (!CholArgsOk(nRows, d, eps, check)) return -1;
  return internal::PackedCholesky(Data(), nRows, d.data(), eps, nullptr);
}

int KzSymMatrix::LTChol(const std::vector<double>& d, double eps, KzBitSet& kept, bool check) {
  if (!CholArgsOk(nRows, d, eps, check)) return -1;
  std::vector<char> flags(static_cast<std::size_t>(nRows), 0);
  internal::CholReport report;
  report.kept = flags.data();
  const int rc = internal::PackedCholesky(Data(), nRows, d.data(), eps, &report);
  if (kept.Size() < nRows)
    kept.Resize(nRows, false);
  else
    kept.Clear();
  for (int i = 0; i < nRows; ++i)
    if (flags[static_cast<std::size_t>(i)] != 0) kept.Set(i, true);
  return rc;
}

int KzSymMatrix::LTChol(double eps, double& minPivot, bool check) {
  std::vector<double> d;
  internal::ReferenceDiagonal(*this, internal::ReferenceRule::kBelowEpsToOne, eps, d);
  const int rc = LTChol(d, eps, check);
  minPivot = rc >= 0 ? MinDiagonal(*this) : kMissing;
  return rc;
}

int KzSymMatrix::CholIndNonRed(int maxCount, double eps, std::vector<int>& indices) const {
  if (!(eps >= 0.0) || nRows < 0) return 0;
  std::vector<double> d;
  internal::ReferenceDiagonal(*this, internal::ReferenceRule::kRaw, eps, d);
  std::vector<double> a(elements);
  std::vector<int> found;
  found.reserve(static_cast<std::size_t>(nRows));
  internal::CholReport report;
  report.accepted = &found;
  report.maxAccepted = (maxCount <= 0 || maxCount > nRows) ? nRows : maxCount;
  internal::PackedCholesky(a.data(), nRows, d.data(), eps, &report);
  indices.swap(found);
  return static_cast<int>(indices.size());
}

int KzSymMatrix::CheckMDependent(int k, const std::vector<double>& packed, const KzBitSet& sel,
                                 double eps) {
  if (k < 0 || packed.size() < PackedSize(k) || sel.Size() < k) return -1;
  if (k == 0) return 0;
  std::vector<int> rows;
  for (int i = 0; i < k; ++i)
    if (sel.IsIn(i)) rows.push_back(i);
  const int m = static_cast<int>(rows.size());
  // Built aside: `packed` may be this matrix's own storage.
  std::vector<double> sub;
  try {
    sub.resize(PackedSize(m));
  } catch (const std::bad_alloc&) {
    return -2;
  } catch (const std::length_error&) {
    return -2;
  }
  std::size_t pos = 0;
  for (int a = 0; a < m; ++a) {
    const std::size_t rowA = RowStart(rows[static_cast<std::size_t>(a)]);
    for (int b = 0; b <= a; ++b) sub[pos++] = packed[rowA + static_cast<std::size_t>(rows[static_cast<std::size_t>(b)])];
  }
  elements.swap(sub);
  nRows = m;
  nBlocks = m > 0 ? 1 : 0;
  blockSize = m;
  std::vector<double> d;
  internal::ReferenceDiagonal(*this, internal::ReferenceRule::kBelowEpsToOne, eps, d);
  return internal::PackedCholesky(Data(), nRows, d.data(), eps, nullptr);
}

int KzSymMatrix::LTDetInverse(double* const det, int job) {
  if (nRows < 0) return -1;
  const bool wantDet = job % 10 != 0;
  const bool wantInverse = job / 10 != 0;
  if (wantDet && det == nullptr) return -1;
  const int n = nRows;
  double* a = Data();
  int zeros = 0;
  for (int i = 0; i < n; ++i)
    if (a[PackedPos(i, i)] == 0.0) ++zeros;
  if (wantDet) {
    double m = 1.0, e = 0.0;
    if (zeros > 0) {
      m = 0.0;
    } else {
      for (int i = 0; i < n; ++i) internal::ScaleDecimal(m, e, a[PackedPos(i, i)]);
    }
    det[0] = m;
    det[1] = m == 0.0 ? 0.0 : e;
  }
  if (wantInverse) {
    // LINPACK DTRDI on Lᵀ (upper by columns = our lower by rows): step k
    // inverts the pivot, scales row k and eliminates column k from the rows
    // below with contiguous axpys.
    for (int k = 0; k < n; ++k) {
      double* rk = a + RowStart(k);
      if (rk[k] == 0.0) {
        // Redundant row: zero row and column of the generalised inverse.
        for (int j = 0; j <= k; ++j) rk[j] = 0.0;
        for (int j = k + 1; j < n; ++j) a[PackedPos(j, k)] = 0.0;
        continue;
      }
      rk[k] = 1.0 / rk[k];
      const double temp = -rk[k];
      Blas1::DScal(k, temp, rk, 1);
      for (int j = k + 1; j < n; ++j) {
        double* rj = a + RowStart(j);
        const double t = rj[k];
        rj[k] = 0.0;
        if (t != 0.0) Blas1::Daxpy(k + 1, t, rk, 1, rj, 1);
      }
    }
  }
  return zeros;
}

void KzSymMatrix::LTLTransL() {
  // W -> Wᵀ W = sum over rows m of w_m w_mᵀ (w_m = row m of W), accumulated in
  // place as LAPACK DPPTRI does: the leading block of order m receives the
  // rank-one update of w_m, then row m becomes W(m,m) w_m.
  const int n = nRows;
  double* a = Data();
  for (int m = 0; m < n; ++m) {
    double* rm = a + RowStart(m);
    for (int i = 0; i < m; ++i) {
      const double wi = rm[i];
      if (wi != 0.0) Blas1::Daxpy(i + 1, wi, rm, 1, a + RowStart(i), 1);
    }
    Blas1::DScal(m + 1, rm[m], rm, 1);
  }
}

void KzSymMatrix::LTLLTrans() {
  // (i, j) = row i . row j of L over columns 0..j; rows from the last upwards
  // and columns from the diagonal leftwards read only values not yet replaced.
  double* a = Data();
  for (int i = nRows - 1; i >= 0; --i) {
    double* ri = a + RowStart(i);
    for (int j = i; j >= 0; --j) ri[j] = Blas1::DDot(j + 1, ri, 1, a + RowStart(j), 1);
  }
}

bool KzSymMatrix::LTInverse() {
  double det[2] = {0.0, 0.0};
  if (LTDetInverse(det, 10) < 0) return false;
  LTLTransL();
  return true;
}

int KzSymMatrix::CholInverse(const std::vector<double>& d, double eps, KzSymMatrix& inv) const {
  KzSymMatrix work(*this);
  const int rc = work.LTChol(d, eps, false);
  if (rc < 0) return rc;
  double det[2];
  work.LTDetInverse(det, 10);
  work.LTLTransL();
  inv = std::move(work);
  return nRows - rc;
}

int KzSymMatrix::CholInverse(const std::vector<double>& d, double eps, KzSymMatrix& inv,
                             KzBitSet& kept) const {
  KzSymMatrix work(*this);
  KzBitSet flags(kept);
  const int rc = work.LTChol(d, eps, flags, false);
  if (rc < 0) return rc;
  double det[2];
  work.LTDetInverse(det, 10);
  work.LTLTransL();
  inv = std::move(work);
  kept = flags;
  return nRows - rc;
}

int KzSymMatrix::CholInverse(const std::vector<double>& d, double eps, KzSymMatrix& inv,
                             double& minPivot) const {
  minPivot = kMissing;
  KzSymMatrix work(*this);
  const int rc = work.LTChol(d, eps, false);
  if (rc < 0) return rc;
  const double lo = MinDiagonal(work);
  double det[2];
  work.LTDetInverse(det, 10);
  work.LTLTransL();
  inv = std::move(work);
  minPivot = lo;
  return nRows - rc;
}

bool KzSymMatrix::ComputeDeterminant(double eps, double* const det) const {
  if (nRows <= 0 || det == nullptr || !(eps >= 0.0)) return false;
  std::vector<double> d;
  internal::ReferenceDiagonal(*this, internal::ReferenceRule::kBelowEpsToOne, eps, d);
  KzSymMatrix work(*this);
  internal::CholReport report;
  internal::PackedCholesky(work.Data(), nRows, d.data(), eps, &report);
  // A pivot negative beyond the tolerance means an indefinite matrix, whose
  // determinant the factorisation cannot give: refused rather than (0, 0).
  if (report.negativePivot) return false;
  if (MinDiagonal(work) == 0.0) {
    det[0] = 0.0;
    det[1] = 0.0;
    return true;
  }
  double dl[2];
  work.LTDetInverse(dl, 1);
  double m = 1.0, e = 2.0 * dl[1];
  internal::ScaleDecimal(m, e, dl[0] * dl[0]);
  det[0] = m;
  det[1] = e;
  return true;
}

}  // namespace KzMath_1_2
