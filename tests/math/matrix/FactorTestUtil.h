#ifndef KZ_TESTS_MATH_MATRIX_FACTORTESTUTIL_H
#define KZ_TESTS_MATH_MATRIX_FACTORTESTUTIL_H

// Small helpers of the factorisation tests: matrices from packed vectors,
// dense products and norm-relative comparisons.

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "kzcommon12r/math/matrix/KzRectMatrix.h"
#include "kzcommon12r/math/matrix/KzSymMatrix.h"
#include "support/KzMatrixBuilders.h"

namespace kztest {

inline std::size_t Packed(int n) { return static_cast<std::size_t>(n) * (n + 1) / 2; }

/// A symmetric matrix of order n holding `packed`.
inline KzMath_1_2::KzSymMatrix SymOf(const std::vector<double>& packed, int n) {
  KzMath_1_2::KzSymMatrix m(n);
  Fill(m, packed);
  return m;
}

/// A rectangular matrix holding row-major values.
inline KzMath_1_2::KzRectMatrix RectOf(const std::vector<double>& rowMajor, int rows, int cols) {
  KzMath_1_2::KzRectMatrix m(rows, cols);
  Fill(m, rowMajor);
  return m;
}

/// Packed C Cᵀ + shift I, C (n x n) random in [-1, 1): positive definite with
/// a condition number that `shift` controls.
inline std::vector<double> RandomSpdPacked(int n, std::uint32_t seed, double shift = 1.0) {
  std::vector<double> p = KnownRankSymPacked(n, n, seed);
  for (int i = 0; i < n; ++i) p[Packed(i) + static_cast<std::size_t>(i)] += shift;
  return p;
}

/// Row-major product of row-major A (m x k) and B (k x p).
inline std::vector<double> Mul(const std::vector<double>& a, const std::vector<double>& b, int m,
                               int k, int p) {
  std::vector<double> c(static_cast<std::size_t>(m) * p, 0.0);
  for (int i = 0; i < m; ++i)
    for (int t = 0; t < k; ++t) {
      const double f = a[static_cast<std::size_t>(i) * k + t];
      for (int j = 0; j < p; ++j) c[static_cast<std::size_t>(i) * p + j] += f * b[static_cast<std::size_t>(t) * p + j];
    }
  return c;
}

/// Row-major n x n full matrix of a symmetric matrix object.
inline std::vector<double> FullOf(const KzMath_1_2::KzSymMatrix& m) {
  return UnpackSym(m.AsVectorConst(), m.GetNRows());
}

/// Row-major full lower triangle (zeros above) of the factor held in m.
inline std::vector<double> LowerOf(const KzMath_1_2::KzSymMatrix& m) {
  const int n = m.GetNRows();
  std::vector<double> l(static_cast<std::size_t>(n) * n, 0.0);
  for (int i = 0; i < n; ++i)
    for (int j = 0; j <= i; ++j) l[static_cast<std::size_t>(i) * n + j] = m.GetElem(i, j);
  return l;
}

inline double MaxAbs(const std::vector<double>& v) {
  double m = 0.0;
  for (double x : v) m = std::max(m, std::fabs(x));
  return m;
}

/// max |a - b| / max(max |b|, tiny): the norm-relative distance.
inline double RelDist(const std::vector<double>& a, const std::vector<double>& b) {
  if (a.size() != b.size()) return 1e300;
  double d = 0.0;
  for (std::size_t i = 0; i < a.size(); ++i) d = std::max(d, std::fabs(a[i] - b[i]));
  const double s = MaxAbs(b);
  return d / (s > 0.0 ? s : 1.0);
}

}  // namespace kztest

#endif  // KZ_TESTS_MATH_MATRIX_FACTORTESTUTIL_H
