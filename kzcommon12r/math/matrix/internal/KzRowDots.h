#ifndef KZCOMMON12R_MATH_MATRIX_INTERNAL_KZROWDOTS_H
#define KZCOMMON12R_MATH_MATRIX_INTERNAL_KZROWDOTS_H

// Dot products over contiguous rows, each summed left to right with one
// accumulator, for the matrix kernels that promise the summation order of the
// plain loop. Not installed.

#include <cstddef>

namespace KzMath_1_2 {
namespace internal {

/// sum_{t<len} x[t] y[t], left to right.
inline double SeqDot(const double* x, const double* y, int len) {
  double s = 0.0;
  for (int t = 0; t < len; ++t) s += x[t] * y[t];
  return s;
}

/// s[q] = SeqDot(x + q·stride, y, len) for q < 4: four rows sharing y, summed
/// as four independent chains (one chain alone waits on the latency of each
/// addition).
inline void SharedDot4(const double* x, std::size_t stride, const double* y, int len, double* s) {
  const double* x0 = x;
  const double* x1 = x0 + stride;
  const double* x2 = x1 + stride;
  const double* x3 = x2 + stride;
  double s0 = 0.0, s1 = 0.0, s2 = 0.0, s3 = 0.0;
  for (int t = 0; t < len; ++t) {
    const double yt = y[t];
    s0 += x0[t] * yt;
    s1 += x1[t] * yt;
    s2 += x2[t] * yt;
    s3 += x3[t] * yt;
  }
  s[0] = s0;
  s[1] = s1;
  s[2] = s2;
  s[3] = s3;
}

}  // namespace internal
}  // namespace KzMath_1_2

#endif  // KZCOMMON12R_MATH_MATRIX_INTERNAL_KZROWDOTS_H
