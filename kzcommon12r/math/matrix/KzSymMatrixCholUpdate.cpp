// Rank-one modification of a Cholesky factor held in a packed matrix.
//
// Update L Lᵀ + x xᵀ: Givens rotations (BLAS DROTG) annihilate x against the
// rows of Lᵀ one after the other, as LINPACK DCHUD does for an upper factor
// (Golub and Van Loan, Matrix Computations, §6.5.4). A rotation that leaves a
// negative diagonal element is negated (still orthogonal), so that L keeps a
// non-negative diagonal, the convention of every other factor here.
//
// Downdate L Lᵀ - x xᵀ: LINPACK DCHDD (Saunders' method): a = L⁻¹ x,
// alpha = sqrt(1 - |a|²), rotations generated from the last element of a to
// the first and applied to the rows of L. It needs |a| < 1, i.e. the downdated
// matrix positive definite. Both are backward stable for well-conditioned L;
// the downdate loses accuracy as |a| approaches 1 (Stewart, 1979).

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <vector>

#include "kzcommon12r/math/kernels/Blas1.h"
#include "kzcommon12r/math/matrix/KzSymMatrix.h"
#include "kzcommon12r/math/matrix/internal/KzPackedCholesky.h"

namespace KzMath_1_2 {

bool KzSymMatrix::LTCholUpdateR1(const std::vector<double>& x, std::vector<double>& c,
                                 std::vector<double>& s) {
  const std::size_t n = static_cast<std::size_t>(nRows < 0 ? 0 : nRows);
  if (nRows < 0 || x.size() != n || c.size() != n || s.size() != n) return false;
  // x is read before c or s is written for the same row, so x may share
  // storage with neither (they are distinct vectors by the signature anyway).
  double* a = Data();
  for (int i = 0; i < nRows; ++i) {
    double* ri = a + RowStart(i);
    double v = x[static_cast<std::size_t>(i)];
    for (int j = 0; j < i; ++j) {
      const double cj = c[static_cast<std::size_t>(j)];
      const double sj = s[static_cast<std::size_t>(j)];
      const double lij = ri[j];
      ri[j] = v * sj + lij * cj;
      v = v * cj - lij * sj;
    }
    double ci = 1.0, si = 0.0;
    Blas1::DRotG(&ri[i], &v, &ci, &si);
    if (ri[i] < 0.0) {
      ri[i] = -ri[i];
      ci = -ci;
      si = -si;
    }
    c[static_cast<std::size_t>(i)] = ci;
    s[static_cast<std::size_t>(i)] = si;
  }
  return true;
}

bool KzSymMatrix::LTCholDowndate(const std::vector<double>& x, std::vector<double>& c,
                                 std::vector<double>& s, bool allowRescale) {
  const std::size_t n = static_cast<std::size_t>(nRows < 0 ? 0 : nRows);
  if (nRows < 1 || x.size() != n || c.size() != n || s.size() != n) return false;
  if (!(LowerAt(0, 0) > 0.0)) return false;
  // Everything on a scratch copy: the factor, c and s change only on success.
  std::vector<double> l(elements);
  double maxDiag = 0.0;
  for (int i = 0; i < nRows; ++i) maxDiag = std::max(maxDiag, l[PackedPos(i, i)]);
  for (int i = 1; i < nRows; ++i) {
    double& lii = l[PackedPos(i, i)];
    if (!(lii > 0.0)) lii = 0.1 * maxDiag;
  }
  std::vector<double> a(x);
  internal::PackedForward(l.data(), nRows, a.data());
  double norm = Blas1::DNrm2(nRows, a.data(), 1);
  if (!std::isfinite(norm)) return false;
  if (norm >= 1.0) {
    if (!allowRescale) return false;
    const double f = norm / 0.9;
    for (double& v : l) v *= f;
    for (double& v : a) v /= f;
    norm = Blas1::DNrm2(nRows, a.data(), 1);
  }
  std::vector<double> cc(n), ss(n);
  double alpha = std::sqrt(std::max(0.0, 1.0 - norm * norm));
  for (int k = nRows - 1; k >= 0; --k) {
    const double ak = a[static_cast<std::size_t>(k)];
    const double scale = alpha + std::fabs(ak);
    const double p = alpha / scale;
    const double q = ak / scale;
    const double r = std::sqrt(p * p + q * q);
    cc[static_cast<std::size_t>(k)] = p / r;
    ss[static_cast<std::size_t>(k)] = q / r;
    alpha = scale * r;
  }
  for (int row = 0; row < nRows; ++row) {
    double* rl = l.data() + RowStart(row);
    double u = 0.0;
    for (int m = row; m >= 0; --m) {
      const double t = rl[m];
      const double cm = cc[static_cast<std::size_t>(m)];
      const double sm = ss[static_cast<std::size_t>(m)];
      rl[m] = t * cm - u * sm;
      u = t * sm + u * cm;
    }
  }
  elements.swap(l);
  c.swap(cc);
  s.swap(ss);
  return true;
}

}  // namespace KzMath_1_2
