#ifndef KZCOMMON12R_MATH_KERNELS_BLAS1_H
#define KZCOMMON12R_MATH_KERNELS_BLAS1_H

#include "kzcommon12r/kzcommon12r_export.h"

namespace KzMath_1_2 {

/// Double-precision BLAS level-1 routines on raw arrays (Lawson, Hanson, Kincaid
/// and Krogh, 1979; the reference implementation), the scalar helpers that the
/// LINPACK routines use in place of Fortran intrinsics, the error reporter and
/// the machine constants.
///
/// Arrays are addressed from element 0. A stride k means consecutive vector
/// elements lie k array elements apart. For the two-vector routines and DScal a
/// negative stride starts at array element (n-1)*|inc| and steps down to 0, and
/// a zero stride uses element 0 n times. For unit strides the reference loop
/// unrolling is kept, so that sums (DDot, DASum) are formed in the reference
/// order and agree with the reference BLAS bit for bit.
class KZ_EXPORT Blas1 {
 public:
  /// sum |x_i| over x[0], x[incx], ..., x[(n-1)*incx]. 0 if n <= 0 or incx <= 0
  /// (nothing is read). Unit stride: unrolled by 6 as the reference.
  static double DASum(int n, double* const x, int incx);
  /// y := a*x + y. Returns at once if n <= 0 or a == 0. Unit strides: unrolled by 4.
  static void Daxpy(int n, double a, double* const x, int incx, double* const y, int incy);
  /// y := x. n <= 0 does nothing. Unit strides: unrolled by 7.
  static void DCopy(int n, double* const x, int incx, double* const y, int incy);
  /// sum x_i*y_i; 0 if n <= 0. Unit strides: the n mod 5 leading products one by
  /// one, then groups of five added left to right (the reference order).
  static double DDot(int n, double* const x, int incx, double* const y, int incy);
  /// Euclidean norm by the scaled sum of squares (no overflow, no destructive
  /// underflow). 0 if n <= 0 or incx < 1; |x[0]| if n == 1.
  static double DNrm2(int n, double* const x, int incx);
  /// Plane rotation: x := c*x + s*y, y := c*y - s*x (both from the old values).
  static void DRot(int n, double* const x, int incx, double* const y, int incy, double c, double s);
  /// Constructs the Givens rotation that zeroes b: on return *a = r, *b = z (the
  /// reconstruction value), *c and *s the rotation. a = b = 0 gives c = 1, s = 0.
  static void DRotG(double* const a, double* const b, double* const c, double* const s);
  /// x := a*x (a == 0 multiplies too, so NaN*0 stays NaN). n <= 0 does nothing.
  static void DScal(int n, double a, double* const x, int incx);
  /// Exchanges x and y. n <= 0 does nothing. Unit strides: unrolled by 3.
  static void DSwap(int n, double* const x, int incx, double* const y, int incy);
  /// 1-based index of the first element of largest |x_i|; 0 if n <= 0 or incx <= 0.
  static int IDAMax(int n, double* const x, int incx);

  /// x if x >= 0, otherwise -0.0 - x.
  static double D_Abs(double x) { return x >= 0.0 ? x : -0.0 - x; }
  /// a if a > b, else b.
  static double D_Max(double a, double b) { return a > b ? a : b; }
  /// -1 if x < 0, else +1 (a unit sign; Fortran's DSIGN(a, b) is D_Abs(a)*D_Sign(b)).
  static double D_Sign(double x) { return x < 0.0 ? -1.0 : 1.0; }
  /// The larger of a and b.
  static int I_Max(int a, int b) { return a > b ? a : b; }
  /// The smaller of a and b.
  static int I_Min(int a, int b) { return a < b ? a : b; }
  /// True if a == b or both are the same ASCII letter in different case.
  static bool LSame(char a, char b);
  /// Writes the reference BLAS report of an illegal argument (parameter number
  /// `info` of `routineName`) to standard output and ends the process with status 1.
  [[noreturn]] static void XErBla(char* routineName, int info);
  /// Machine constants: job 1 the relative precision eps (2^-52), job 2 a safe
  /// tiny value (100 * underflow / eps), job 3 its reciprocal. Any other job is a
  /// fatal error reported through XErBla("DMACH", 1).
  static double DMach(int job);

  Blas1& operator=(const Blas1&) = default;
};

}  // namespace KzMath_1_2

#endif  // KZCOMMON12R_MATH_KERNELS_BLAS1_H
