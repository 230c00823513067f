// The numerical steps of KzEigenValues.
//
// Tridiagonal reduction: Householder's method on the packed lower triangle by
// rows, as in EISPACK TRED3 (Martin, Reinsch and Wilkinson, "Householder's
// tridiagonalization of a symmetric matrix", Numer. Math. 11, 1968; Handbook
// for Automatic Computation II/2). Row i = n-1, ..., 1 is annihilated left of
// its subdiagonal element by P = I - u uᵀ / h, applied as the rank-two update
// A -= u qᵀ + q uᵀ with p = A u / h, q = p - (uᵀp / 2h) u. Each row is scaled by
// the sum of its absolute values first, so that h neither overflows nor
// underflows. The reflections stay in the rows of the packed matrix, scaled,
// with scale·sqrt(h) on the diagonal, for the back-transformation of EISPACK
// TRBAK3. Backward stable: the tridiagonal matrix is exactly similar to
// A + F with ||F|| <= c n u ||A||.
//
// Diagonalisation: the QL algorithm with implicit Wilkinson-type shifts of
// Bowdler, Martin, Reinsch and Wilkinson ("The QR and QL algorithms for
// symmetric matrices", Numer. Math. 11, 1968; EISPACK TQL2), in the form with
// plane rotations generated from the bulge (f, g). An off-diagonal element is
// neglected when |e[m]| <= tolerance·(|d[m]| + |d[m+1]|), a test relative to
// its own rows that keeps small eigenvalues of graded matrices. Eigenvectors
// are accumulated as rows, so every rotation works on two contiguous rows.

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstddef>

#include "kzcommon12r/math/matrix/KzEigenValues.h"
#include "kzcommon12r/math/matrix/internal/KzRowDots.h"
#include "kzcommon12r/math/matrix/internal/KzVectorClones.h"

namespace KzMath_1_2 {

namespace {

// row[k] = row[k] - dj·e[k] - ej·d[k], k < len: the rank-two update of one
// packed row. Element-wise, in the same order in every vector clone.
KZ_MATRIX_VECTOR_CLONES
void RankTwoRow(double* __restrict row, const double* __restrict d,
                const double* __restrict e, double dj, double ej, int len) {
  for (int k = 0; k < len; ++k) row[k] = row[k] - dj * e[k] - ej * d[k];
}

// One step of a chain of plane rotations applied to a block of columns:
// rowNext (row i+1) = c·carry + s·row, carry = c·row - s·carry, where carry
// holds the block of row i+1 as the rotations before this one left it.
KZ_MATRIX_VECTOR_CLONES
void RotationStep(const double* __restrict row, double* __restrict rowNext,
                  double* __restrict carry, double c, double s, int len) {
  for (int j = 0; j < len; ++j) {
    const double u = row[j];
    const double v = carry[j];
    rowNext[j] = c * v + s * u;
    carry[j] = c * u - s * v;
  }
}

// The rotations of one QL sweep, (c[i], s[i]) for i = last-1 down to first,
// each of rows i and i+1 of the row-major v (n columns): row i+1 = c·row i+1
// + s·row i, row i = c·row i - s·row i+1. Applied by blocks of columns, so
// that each row is read and written once per sweep rather than twice; every
// element sees the same operations in the same order as with one rotation
// at a time.
void ApplySweep(double* v, int n, int first, int last, const double* c, const double* s) {
  constexpr int kBlock = 128;
  double carry[kBlock];
  const std::size_t stride = static_cast<std::size_t>(n);
  for (int j0 = 0; j0 < n; j0 += kBlock) {
    const int len = std::min(kBlock, n - j0);
    double* base = v + j0;
    std::copy(base + static_cast<std::size_t>(last) * stride,
              base + static_cast<std::size_t>(last) * stride + len, carry);
    for (int i = last - 1; i >= first; --i)
      RotationStep(base + static_cast<std::size_t>(i) * stride,
                   base + static_cast<std::size_t>(i + 1) * stride, carry, c[i], s[i], len);
    std::copy(carry, carry + len, base + static_cast<std::size_t>(first) * stride);
  }
}

// z[k] -= s·a[k], k < len.
KZ_MATRIX_VECTOR_CLONES
void SubtractScaled(double* __restrict z, const double* __restrict a, double s, int len) {
  for (int k = 0; k < len; ++k) z[k] = z[k] - s * a[k];
}

}  // namespace

void KzEigenValues::TriDiag() {
  fmOrthInfo = validE ? fmVHV : hMatrix;
  Tred3();
}

void KzEigenValues::Tred3() {
  const int n = fmOrthInfo.GetNRows();
  fvDiag3.assign(static_cast<std::size_t>(std::max(n, 0)), 0.0);
  fvSubdiag3.assign(static_cast<std::size_t>(std::max(n, 0)), 0.0);
  if (n <= 0) return;
  std::vector<double>& d = fvDiag3;
  std::vector<double>& e = fvSubdiag3;
  for (int i = n - 1; i >= 1; --i) {
    const int l = i;
    double* row = fmOrthInfo.RowData(i);
    double scale = 0.0;
    for (int k = 0; k < l; ++k) {
      d[static_cast<std::size_t>(k)] = row[k];
      scale += std::fabs(row[k]);
    }
    if (!(scale > DBL_MIN)) {
      e[static_cast<std::size_t>(i)] = 0.0;
      d[static_cast<std::size_t>(i)] = row[i];
      row[i] = 0.0;
      continue;
    }
    double h = 0.0;
    for (int k = 0; k < l; ++k) {
      d[static_cast<std::size_t>(k)] /= scale;
      h += d[static_cast<std::size_t>(k)] * d[static_cast<std::size_t>(k)];
    }
    const double f = d[static_cast<std::size_t>(l - 1)];
    const double g = f >= 0.0 ? -std::sqrt(h) : std::sqrt(h);
    e[static_cast<std::size_t>(i)] = scale * g;
    h -= f * g;
    d[static_cast<std::size_t>(l - 1)] = f - g;
    row[l - 1] = scale * d[static_cast<std::size_t>(l - 1)];
    // p = A u / h in e, with K = uᵀp / 2h; then q = p - K u, also in e.
    fmOrthInfo.ComputeSV(l, d, e);
    double up = 0.0;
    for (int j = 0; j < l; ++j) {
      e[static_cast<std::size_t>(j)] /= h;
      up += e[static_cast<std::size_t>(j)] * d[static_cast<std::size_t>(j)];
    }
    const double hh = up / (h + h);
    // Every q[j] is formed before any row is updated: row j uses q[0..j].
    for (int j = 0; j < l; ++j) e[static_cast<std::size_t>(j)] -= hh * d[static_cast<std::size_t>(j)];
    for (int j = 0; j < l; ++j)
      RankTwoRow(fmOrthInfo.RowData(j), d.data(), e.data(), d[static_cast<std::size_t>(j)],
                 e[static_cast<std::size_t>(j)], j + 1);
    d[static_cast<std::size_t>(i)] = row[i];
    row[i] = scale * std::sqrt(h);
  }
  e[0] = 0.0;
  double* a0 = fmOrthInfo.RowData(0);
  d[0] = a0[0];
  a0[0] = 0.0;
}

int KzEigenValues::EigenValuesTQLI() {
  const int n = nRows;
  if (n <= 0 || fvDiag3.size() != static_cast<std::size_t>(n) ||
      fvSubdiag3.size() != static_cast<std::size_t>(n))
    return -1;
  double* d = fvDiag3.data();
  double* e = fvSubdiag3.data();
  const bool vectors = computeVectors;
  if (vectors) {
    fmEigenVectors.SetNRowsCols(n, n);
    for (int i = 0; i < n; ++i) fmEigenVectors.At(i, i) = 1.0;
  }
  // e[i] couples rows i and i+1 from here on.
  for (int i = 0; i + 1 < n; ++i) e[i] = e[i + 1];
  e[n - 1] = 0.0;
  const double tol = tolerance;
  // The rotations of the current sweep, applied to the vectors at its end.
  std::vector<double> cs, ss;
  if (vectors) {
    cs.resize(static_cast<std::size_t>(n));
    ss.resize(static_cast<std::size_t>(n));
  }
  for (int l = 0; l < n; ++l) {
    int iter = 0;
    for (;;) {
      int m = l;
      for (; m + 1 < n; ++m)
        if (std::fabs(e[m]) <= tol * (std::fabs(d[m]) + std::fabs(d[m + 1]))) break;
      // Convergence is tested before the limit: an eigenvalue that converges
      // in its last allowed sweep counts as computed.
      if (m == l) break;
      if (iter == maxIter) {
        nComputed = l;
        return l + 1;
      }
      ++iter;
      // Shift: the eigenvalue of the leading 2 x 2 block nearer d[l].
      double g = (d[l + 1] - d[l]) / (2.0 * e[l]);
      double r = std::hypot(g, 1.0);  // sqrt(g² + 1) without overflow
      g = d[m] - d[l] + e[l] / (g + (g >= 0.0 ? r : -r));
      double s = 1.0, c = 1.0, p = 0.0;
      bool split = false;
      int first = m;  // rotations made: rows i, i+1 for i = m-1 down to first
      for (int i = m - 1; i >= l; --i) {
        const double f = s * e[i];
        const double b = c * e[i];
        if (f == 0.0 && g == 0.0) {
          // Both components of the bulge vanished (underflow): the rotation is
          // undefined and the matrix splits at i+1. Apply the shift so far and
          // start a new sweep on the smaller block.
          d[i + 1] -= p;
          e[i + 1] = 0.0;
          e[m] = 0.0;
          split = true;
          break;
        }
        if (std::fabs(f) >= std::fabs(g)) {
          c = g / f;
          r = std::sqrt(c * c + 1.0);
          e[i + 1] = f * r;
          s = 1.0 / r;
          c *= s;
        } else {
          s = f / g;
          r = std::sqrt(s * s + 1.0);
          e[i + 1] = g * r;
          c = 1.0 / r;
          s *= c;
        }
        g = d[i + 1] - p;
        r = (d[i] - g) * s + 2.0 * c * b;
        p = s * r;
        d[i + 1] = g + p;
        g = c * r - b;
        if (vectors) {
          cs[static_cast<std::size_t>(i)] = c;
          ss[static_cast<std::size_t>(i)] = s;
        }
        first = i;
      }
      if (vectors && first < m) ApplySweep(fmEigenVectors.Data(), n, first, m, cs.data(), ss.data());
      if (split) continue;
      d[l] -= p;
      e[l] = g;
      e[m] = 0.0;
    }
  }
  nComputed = n;
  return 0;
}

void KzEigenValues::BackTransVectors() {
  const int n = nRows;
  const int count = std::min(nComputed, fmEigenVectors.GetNRows());
  if (n <= 1 || count <= 0 || fmOrthInfo.GetNRows() != n) return;
  const std::size_t stride = static_cast<std::size_t>(n);
  // Four eigenvectors at a time share each reflection row; each vector sees
  // the operations of the one-vector loop in the same order.
  int v = 0;
  for (; v + 4 <= count; v += 4) {
    double* z = fmEigenVectors.RowData(v);
    for (int i = 1; i < n; ++i) {
      const double* a = fmOrthInfo.RowData(i);
      const double h = a[i];
      if (h == 0.0) continue;
      double t[4];
      internal::SharedDot4(z, stride, a, i, t);
      // Two divisions rather than one by h², which may underflow.
      for (int q = 0; q < 4; ++q) SubtractScaled(z + q * stride, a, t[q] / h / h, i);
    }
  }
  for (; v < count; ++v) {
    double* z = fmEigenVectors.RowData(v);
    for (int i = 1; i < n; ++i) {
      const double* a = fmOrthInfo.RowData(i);
      const double h = a[i];
      if (h == 0.0) continue;
      SubtractScaled(z, a, internal::SeqDot(a, z, i) / h / h, i);
    }
  }
}

}  // namespace KzMath_1_2
