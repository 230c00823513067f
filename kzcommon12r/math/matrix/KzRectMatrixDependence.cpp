// Dense rectangular matrix: zero tests, pivot elimination of constraint rows,
// proportional rows, redundancy of constraint columns, estimability of linear
// functions, square solves (LINPACK DGECO/DGESL) and the trace of a product
// with a symmetric matrix.
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <vector>

#include "kzcommon12r/math/kernels/Linpack.h"
#include "kzcommon12r/math/matrix/IKzSymMatrix.h"
#include "kzcommon12r/math/matrix/KzBitSet.h"
#include "kzcommon12r/math/matrix/KzRectMatrix.h"

namespace KzMath_1_2 {

namespace {
using std::size_t;
constexpr double kUnitRoundoff = 0x1p-52;
}  // namespace

bool KzRectMatrix::IsColZero(int c) const {
  if (c < 0 || c >= nCols || nRows == 0) return false;
  for (int r = 0; r < nRows; ++r)
    if (At(r, c) != 0.0) return false;
  return true;
}

bool KzRectMatrix::IsRowZero(int r) const {
  if (r < 0 || r >= nRows || nCols == 0) return false;
  const double* row = RowData(r);
  return std::all_of(row, row + nCols, [](double a) { return a == 0.0; });
}

bool KzRectMatrix::IsRowZeroButOne(int r, const KzBitSet& cols, int& pos) const {
  if (r < 0 || r >= nRows) return false;
  const double* row = RowData(r);
  int found = -1;
  int count = 0;
  for (int c = 0; c < nCols; ++c) {
    const bool considered = c >= cols.Size() || cols.IsIn(c);
    if (considered && row[c] != 0.0) {
      if (++count > 1) break;
      found = c;
    }
  }
  pos = count == 1 ? found : -1;
  return count == 1;
}

int KzRectMatrix::FindFirstNonZeroInRow(int r, double tol) const {
  if (r < 0 || r >= nRows || !(tol > 0.0)) return -1;
  const double* row = RowData(r);
  for (int c = 0; c < nCols; ++c)
    if (std::fabs(row[c]) > tol) return c;
  return -1;
}

bool KzRectMatrix::ZeroOutPivotRow(int r, double tol, int& pivot) {
  const int p = FindFirstNonZeroInRow(r, tol);
  if (p < 0) return false;
  pivot = p;
  // Gaussian elimination across columns: column c -= (A(r,c) / A(r,p)) column p
  // makes A(r, c) zero for every c != p, whatever the pivot's value.
  const double arp = At(r, p);
  for (int c = 0; c < nCols; ++c) {
    if (c == p) continue;
    const double f = -At(r, c) / arp;
    if (f != 0.0) AddToColumn(c, *this, p, f);
    At(r, c) = 0.0;  // exact zero, not the rounding residue of the update
  }
  ZeroOutCol(p);
  return true;
}

bool KzRectMatrix::IsERowMultipleOfAnother(int a, int b, double ea, double eb,
                                           double& ratio) const {
  if (nCols < 1 || a < 0 || a >= nRows || b < 0 || b >= nRows) return false;
  const double* ra = RowData(a);
  const double* rb = RowData(b);
  // The scale of an extended row is its largest absolute element.
  double la = std::fabs(ea);
  double lb = std::fabs(eb);
  for (int c = 0; c < nCols; ++c) {
    la = std::max(la, std::fabs(ra[c]));
    lb = std::max(lb, std::fabs(rb[c]));
  }
  if (!(la > 0.0) || !(lb > 0.0)) return false;
  int first = -1;
  for (int c = 0; c < nCols && first < 0; ++c)
    if (ra[c] != 0.0) first = c;
  double g;
  if (first >= 0) {
    if (rb[first] == 0.0) return false;
    g = ra[first] / rb[first];
  } else {
    if (ea == 0.0 || eb == 0.0) return false;
    g = ea / eb;
  }
  for (int c = 0; c < nCols; ++c)
    if (!(std::fabs(ra[c] - g * rb[c]) / la <= kUnitRoundoff)) return false;
  if (!(std::fabs(ea - g * eb) / la <= kUnitRoundoff)) return false;
  ratio = g;
  return true;
}

int KzRectMatrix::CheckAddColRedundancies(const KzBitSet& current, KzBitSet& result) const {
  const int cs = current.Size();
  KzBitSet single(nCols);
  single.Resize(nCols, true);
  for (int r = 0; r < nRows; ++r) {
    const double* row = RowData(r);
    int only = -1;
    int count = 0;
    for (int c = 0; c < nCols && count < 2; ++c) {
      const bool excluded = c < cs && !current.IsIn(c);
      if (!excluded && row[c] != 0.0) {
        only = c;
        ++count;
      }
    }
    // A constraint on a single free column pins that column: it is redundant.
    if (count == 1) single.Set(only, false);
  }
  // result = current AND single, a column beyond current's end counting as
  // current. (Taking such a column as kept whatever the rows say would report
  // a column that a constraint pins as free, only because `current` is short.)
  KzBitSet res(nCols);
  for (int i = 0; i < nCols; ++i) res.Set(i, (i >= cs || current.IsIn(i)) && single.IsIn(i));
  int kept = 0;
  for (int c = 0; c < nCols; ++c)
    if (res.IsIn(c) && !IsColZero(c)) ++kept;
  result = res;
  return kept;
}

bool KzRectMatrix::IsEstimable(const KzRectMatrix& h, const KzBitSet& cols, double tol) const {
  if (nRows == 0 || nCols == 0 || !(tol > 0.0) || cols.Size() < nCols || h.nRows != nCols)
    return false;
  // The flagged parameters, in order: parameter flagged[m] sits in column m of H.
  std::vector<int> flagged;
  for (int k = 0; k < nCols; ++k)
    if (cols.IsIn(k)) flagged.push_back(k);
  if (static_cast<int>(flagged.size()) > h.nCols) return false;
  const double tol2 = tol * tol;
  for (int r = 0; r < nRows; ++r) {
    const double b = RowNorm(r);
    if (b == 0.0) continue;
    const double* l = RowData(r);
    double sum = 0.0;
    for (int j = 0; j < nCols; ++j) {
      const double* hj = h.RowData(j);
      double s = 0.0;
      for (size_t m = 0; m < flagged.size(); ++m) s += l[flagged[m]] * hj[m];
      const double t = s / b - l[j] / b;
      sum += t * t;
    }
    if (!(sum <= tol2)) return false;
  }
  return true;
}

bool KzRectMatrix::SolveLinearSquare(const std::vector<double>& b, std::vector<double>& x,
                                     double tol) const {
  const int n = nRows;
  if (n < 1 || nCols != n || !(tol >= 0.0) || b.size() != static_cast<size_t>(n)) return false;
  // The row-major copy is Aᵀ in LINPACK's column-major view: factor it and ask
  // DGESL for the transposed solve, which is then A x = b.
  std::vector<double> a(elements);
  std::vector<int> ipvt(static_cast<size_t>(n));
  std::vector<double> z(static_cast<size_t>(n));
  const double rcond = Linpack::Dgeco(a.data(), n, n, ipvt.data(), z.data());
  if (!(rcond > tol)) return false;
  std::vector<double> sol(b);
  Linpack::Dgesl(a.data(), n, n, ipvt.data(), sol.data(), 1);
  x.swap(sol);
  return true;
}

bool KzRectMatrix::TraceOfProductSubMatSym(int start, const IKzSymMatrix& s, double& tr) const {
  const int k = s.GetNRows();
  if (start < 0 || k < 0 || !s.IsValidMatrix() || start > std::min(nRows, nCols) - k) return false;
  double sum = 0.0;
  if (s.GetType() == IKzSymMatrix::kDiagMatrix) {
    for (int i = 0; i < k; ++i) sum += At(start + i, start + i) * s.GetElem(i, i);
  } else {
    std::vector<double> row;
    for (int i = 0; i < k; ++i) {
      s.GetRow(i, row);
      const double* a = RowData(start + i) + start;
      for (int j = 0; j < k; ++j) sum += a[j] * row[static_cast<size_t>(j)];
    }
  }
  tr = sum;
  return true;
}

}  // namespace KzMath_1_2
