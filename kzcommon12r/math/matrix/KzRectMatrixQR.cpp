// Householder QR decomposition A = Q R (Householder 1958; Golub and Van Loan,
// Matrix Computations, §5.2.1), with R's diagonal non-negative.
//
// Column i of the working copy is mapped onto |x| e1 by H = I - 2 u uᵀ,
// v = x - |x| e1. Its first element is formed without cancellation when
// x1 > 0 as v1 = -(x2² + ... + xm²) / (x1 + |x|) (Parlett 1971); when v = 0
// (x already a non-negative multiple of e1, or zero) the step needs no
// reflection and H = I. Each reflector is applied as W -= 2 u (uᵀ W), never
// formed. The computed R is the exact R of A + E with |E| <= c m k u |A|
// (Wilkinson); Q is orthogonal to working precision.

#include <cmath>
#include <cstddef>
#include <new>
#include <vector>

#include "kzcommon12r/math/kernels/Blas1.h"
#include "kzcommon12r/math/matrix/KzRectMatrix.h"
#include "kzcommon12r/math/matrix/KzSymMatrix.h"

namespace KzMath_1_2 {

namespace {

// rows i..m-1 of the row-major m x cols matrix a: a -= 2 u (uᵀ a) on the
// columns first..cols-1, u (m - i elements) a unit vector. ut is scratch of
// cols elements.
void ApplyReflector(double* a, int m, int cols, int i, int first, const double* u, double* ut) {
  const std::size_t ld = static_cast<std::size_t>(cols);
  for (int c = first; c < cols; ++c) ut[c] = 0.0;
  for (int t = i; t < m; ++t) {
    const double ut_t = u[t - i];
    if (ut_t == 0.0) continue;
    const double* row = a + static_cast<std::size_t>(t) * ld;
    for (int c = first; c < cols; ++c) ut[c] += ut_t * row[c];
  }
  for (int t = i; t < m; ++t) {
    const double f = 2.0 * u[t - i];
    if (f == 0.0) continue;
    double* row = a + static_cast<std::size_t>(t) * ld;
    for (int c = first; c < cols; ++c) row[c] -= f * ut[c];
  }
}

}  // namespace

bool KzRectMatrix::QRDecompositionH(KzSymMatrix& r, KzRectMatrix& q) const {
  if (nRows <= 0 || nCols <= 0) return false;
  const int m = nRows >= nCols ? nRows : nCols;
  const int k = nRows >= nCols ? nCols : nRows;
  // W (m x k), copied before q is touched: q may be this matrix.
  KzRectMatrix w(*this);
  if (nRows < nCols) w.Transpose();

  if (r.GetNRows() != k && !r.Resize(k)) return false;
  if (q.GetNRows() != m || q.GetNCols() != m) q.Resize(m, m);
  r.Clear();
  q.SetNRowsCols(m, m);
  for (int i = 0; i < m; ++i) q.SetElem(i, i, 1.0);

  double* wd = w.Data();
  double* qd = q.Data();
  const std::size_t ldw = static_cast<std::size_t>(k);
  std::vector<double> u(static_cast<std::size_t>(m));
  std::vector<double> ut(static_cast<std::size_t>(m > k ? m : k));
  for (int i = 0; i < k; ++i) {
    const int len = m - i;
    double* xi = wd + static_cast<std::size_t>(i) * ldw + static_cast<std::size_t>(i);
    const double x1 = xi[0];
    const double norm = Blas1::DNrm2(len, xi, k);
    const double tail = len > 1 ? Blas1::DNrm2(len - 1, xi + ldw, k) : 0.0;
    double v1;
    if (x1 > 0.0)
      v1 = tail == 0.0 ? 0.0 : -(tail / (x1 + norm)) * tail;
    else
      v1 = x1 - norm;
    // v1 = 0 also when tail² / (x1 + |x|) underflows: x1 e1 is then |x| e1
    // to far below rounding level.
    const bool reflect = v1 != 0.0;
    if (reflect) {
      u[0] = v1;
      for (int t = 1; t < len; ++t) u[static_cast<std::size_t>(t)] = xi[static_cast<std::size_t>(t) * ldw];
      const double vnorm = Blas1::DNrm2(len, u.data(), 1);
      for (int t = 0; t < len; ++t) u[static_cast<std::size_t>(t)] /= vnorm;
      // Column i maps onto |x| e1 exactly in exact arithmetic: set it so.
      xi[0] = norm;
      for (int t = 1; t < len; ++t) xi[static_cast<std::size_t>(t) * ldw] = 0.0;
      if (i + 1 < k) ApplyReflector(wd, m, k, i, i + 1, u.data(), ut.data());
      ApplyReflector(qd, m, m, i, 0, u.data(), ut.data());
    }
    const double* wi = wd + static_cast<std::size_t>(i) * ldw;
    for (int c = i; c < k; ++c) r.SetElem(i, c, wi[c]);
  }
  q.Transpose();
  return true;
}

}  // namespace KzMath_1_2
