#ifndef KZCOMMON12R_MATH_KERNELS_KZMATHFUN_H
#define KZCOMMON12R_MATH_KERNELS_KZMATHFUN_H

#include <vector>

#include "kzcommon12r/kzcommon12r_export.h"

namespace KzMath_1_2 {

/// Vector kernels on std::vector<double> with a start offset and a stride,
/// kernels for packed triangular storage, interval search, digamma, trigamma and
/// a negligibility test. Indices count from 0.
///
/// Walks: for inc > 0 the positions are off, off+inc, ..., off+(n-1)*inc; for
/// inc < 0 the walk starts at off+(n-1)*|inc| and steps down to off; for inc == 0
/// position off is used n times. Packed storage holds the lower triangle by
/// rows: element (i, j), j <= i, at i(i+1)/2 + j.
///
/// Every kernel checks its walk against the vector before touching anything: a
/// walk that leaves the vector is refused as a whole (nothing written; a
/// computed value comes back as the missing value), so bad arguments never read
/// or write outside the caller's storage. DASum alone skips outside positions.
class KZ_EXPORT KzMathFun {
 public:
  /// sum |x[p_k]| over the walk; positions outside the vector contribute nothing.
  /// 0 if n <= 0 or x is empty. Note the order: stride before offset.
  static double DASum(int n, const std::vector<double>& x, int inc, int off);
  /// y[q_k] := y[q_k] + a*x[p_k], k = 0..n-1. Returns at once if n <= 0 or
  /// a == 0; y unchanged if either walk leaves its vector.
  static void Daxpy(int n, double a, const std::vector<double>& x, int offx, int incx,
                    std::vector<double>& y, int offy, int incy);
  /// sum x[p_k]*y[q_k] in walk order; 0 if n <= 0; missing if a walk leaves its vector.
  static double DDot(int n, const std::vector<double>& x, int offx, int incx,
                     const std::vector<double>& y, int offy, int incy);
  /// x[p_k] := value. Nothing if n <= 0, off < 0, inc < 1 or the walk leaves x.
  static void DLoad(int n, double value, std::vector<double>& x, int off, int inc);
  /// Euclidean norm by the scaled sum of squares; 0 if n <= 0 or inc < 1;
  /// |x[off]| if n == 1; missing if the walk leaves x.
  static double DNrm2(int n, const std::vector<double>& x, int off, int inc);
  /// x[p_k] := a*x[p_k]; a == 0 stores 0 (clearing NaN and infinities), a == 1
  /// touches nothing, a == -1 negates. Nothing if n <= 0, inc < 1 or the walk leaves x.
  static void DScal(int n, double a, std::vector<double>& x, int off, int inc);
  /// Plain sum from position 0: inc > 0 x[0], x[inc], ..., x[(n-1)*inc]; inc < 0
  /// the same positions from the far end down; inc == 0 n*x[0]. 0 if n <= 0;
  /// missing if the positions leave x.
  static double DSum(int n, const std::vector<double>& x, int inc);
  /// Growing-increment axpy: positions off + k*inc + k(k-1)/2 in both vectors
  /// (with packed storage, off = j(j+1)/2 + j and inc = j+1 walk down column j).
  /// y unchanged if either walk leaves its vector.
  static void IIAxpy(int n, double a, const std::vector<double>& x, int offx, int incx,
                     std::vector<double>& y, int offy, int incy);
  /// Dot product along two growing-increment walks; 0 if n <= 0; missing if a
  /// walk leaves its vector.
  static double IIDot(int n, const std::vector<double>& x, int offx, int incx,
                      const std::vector<double>& y, int offy, int incy);
  /// Stores value along a growing-increment walk (nothing if it leaves x).
  static void IIInit(int n, double value, std::vector<double>& x, int off, int inc);
  /// Multiplies by a along a growing-increment walk (always multiplies).
  static void IIScal(int n, double a, std::vector<double>& x, int off, int inc);
  /// x[off..off+n-1] := 0 (nothing if the range leaves x or n <= 0).
  static void LRZero(std::vector<double>& x, int off, int n);
  /// Replaces the packed lower triangle L of order n by the lower triangle of
  /// L'L, in place. Nothing if n <= 0 or L holds fewer than n(n+1)/2 elements.
  static void LTGltl(int n, std::vector<double>& L);
  /// Row `row` of the packed symmetric S (order n) times v: sum_j S(row, j)*v[j*inc].
  /// Missing if n <= 0, row outside 0..n-1, inc < 0 or a vector is too short.
  static double RVD(const std::vector<double>& S, int n, int row, const std::vector<double>& v,
                    int inc);
  /// Quadratic form v'Sv, S packed symmetric of order n. 0 if n == 0; missing if
  /// n < 0, v has fewer than n or S fewer than n(n+1)/2 elements.
  static double VSV(const std::vector<double>& S, int n, const std::vector<double>& v);
  /// max_i |a_i - b_i| / (|b_i| + eps) over i < min(sizes); eps < 0 is replaced by
  /// |eps| and eps == 0 by 1e-6. 0 if there is no element; +infinity if some
  /// quotient is NaN (a diverged iterate never passes as converged).
  static double VMaxRelDiff(const std::vector<double>& a, const std::vector<double>& b, double eps);
  /// max_i |a_i - b_i| over i < min(sizes); 0 if that minimum is 0.
  static double VNrm1Diff(const std::vector<double>& a, const std::vector<double>& b);
  /// Interval search over v[lo-1..hi] (increasing). With closedLeft true,
  /// position r stands for [v[r-1], v[r]), otherwise for (v[r-1], v[r]]; r = lo
  /// with lo = 0 is unbounded below. Returns r in lo..hi, -1 if x lies beyond
  /// the intervals (or is NaN), -2 if hi >= size, hi < lo or lo < 0.
  static int BinSearch(const std::vector<double>& v, int lo, int hi, double x, bool closedLeft);
  /// The same search over integers.
  static int BinSearch(const std::vector<int>& v, int lo, int hi, int x, bool closedLeft);
  /// psi(x) = d ln Gamma(x)/dx; missing unless x > 1e-16.
  static double Digamma(double x);
  /// psi'(x); missing unless x > 1e-16.
  static double Trigamma(double x);
  /// True if b > 0 and |a| < b * 2^-52: a is negligible against the scale b.
  static bool QLReps(double a, double b);

  KzMathFun& operator=(const KzMathFun&) = default;
};

}  // namespace KzMath_1_2

#endif  // KZCOMMON12R_MATH_KERNELS_KZMATHFUN_H
