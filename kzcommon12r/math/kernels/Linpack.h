#ifndef KZCOMMON12R_MATH_KERNELS_LINPACK_H
#define KZCOMMON12R_MATH_KERNELS_LINPACK_H

#include "kzcommon12r/kzcommon12r_export.h"

namespace KzMath_1_2 {

/// The double-precision routines of LINPACK (Dongarra, Bunch, Moler and
/// Stewart, "LINPACK Users' Guide", SIAM 1979), step for step, with the
/// published argument order, job encodings and order of floating-point
/// operations; the published BLAS calls are the Blas1 routines.
///
/// Conventions of every routine:
///  - arrays start at element 0; a matrix with leading dimension lda is stored
///    by columns, the published element (i, j), counted from 1, at (j-1)*lda + i-1;
///  - packed storage holds the upper triangle by columns, published (i, j),
///    i <= j, at j(j-1)/2 + i-1: the same memory as a lower triangle packed by
///    rows, so a packed symmetric matrix of this library passes unchanged;
///  - every index stored as data counts from 1: the pivot vectors ipvt, kpvt and
///    jpvt, the info results and the column numbers of Dchex;
///  - the published output argument info is the int result, rcond the double
///    result; determinants are det[0] * 10^det[1], 1 <= |det[0]| < 10 or det[0] = 0;
///  - the caller provides all work space (z, work, qraux); nothing is allocated,
///    printed or thrown; failure is a non-zero info or rcond = 0.
class KZ_EXPORT Linpack {
 public:
  // ---- General matrices ------------------------------------------------------

  /// LINPACK DGECO: factors a (as Dgefa) and returns an estimate of the
  /// reciprocal 1-norm condition number, 0 for an exactly singular factor or an
  /// estimate that underflows. z (n) is work space; for a nearly singular a it
  /// holds an approximate null vector.
  static double Dgeco(double* const a, int lda, int n, int* const ipvt, double* const z);
  /// LINPACK DGEFA: Gaussian elimination with partial pivoting (pivot: the first
  /// element of largest magnitude, IDAMax), a = L*U with the multipliers below the
  /// diagonal. ipvt[k-1] is the 1-based row exchanged with row k. Returns 0, or the
  /// last k with U(k,k) = 0 (not an error here; Dgesl would divide by zero).
  static int Dgefa(double* const a, int lda, int n, int* const ipvt);
  /// LINPACK DGESL: solves a*x = b (job == 0) or trans(a)*x = b (job != 0) with
  /// the factors of Dgeco or Dgefa; b is overwritten by x. No singularity test.
  static void Dgesl(double* const a, int lda, int n, int* const ipvt, double* const b, int job);
  /// LINPACK DGEDI: determinant (job 10, 11) and inverse (job 01, 11) from the factors.
  static void Dgedi(double* const a, int lda, int n, int* const ipvt, double* const det,
                    double* const work, int job);

  // ---- General band matrices -------------------------------------------------

  /// LINPACK DGBCO: factors a band matrix and estimates its condition.
  static double Dgbco(double* const abd, int lda, int n, int ml, int mu, int* const ipvt,
                      double* const z);
  /// LINPACK DGBFA: band Gaussian elimination; info as Dgefa.
  static int Dgbfa(double* const abd, int lda, int n, int ml, int mu, int* const ipvt);
  /// LINPACK DGBSL: solves with the band factors (job as Dgesl).
  static void Dgbsl(double* const abd, int lda, int n, int ml, int mu, int* const ipvt,
                    double* const b, int job);
  /// LINPACK DGBDI: determinant of a factored band matrix.
  static void Dgbdi(double* const abd, int lda, int n, int ml, int mu, int* const ipvt,
                    double* const det);

  // ---- Positive definite matrices --------------------------------------------

  /// LINPACK DPOCO: Cholesky factor and condition estimate; 0 if not positive definite.
  static double Dpoco(double* const a, int lda, int n, double* const z);
  /// LINPACK DPOFA: Cholesky a = trans(r)*r on the upper triangle; 0 or the order
  /// of the first leading minor that is not positive definite.
  static int Dpofa(double* const a, int lda, int n);
  /// LINPACK DPOSL: solves with the factor of Dpoco or Dpofa.
  static void Dposl(double* const a, int lda, int n, double* const b);
  /// LINPACK DPODI: determinant and/or inverse from the Cholesky factor.
  static void Dpodi(double* const a, int lda, int n, double* const det, int job);

  /// LINPACK DPPCO: packed Cholesky factor and condition estimate.
  static double Dppco(double* const ap, int n, double* const z);
  /// LINPACK DPPFA: packed Cholesky factorisation; info as Dpofa.
  static int Dppfa(double* const ap, int n);
  /// LINPACK DPPSL: solves with the packed Cholesky factor.
  static void Dppsl(double* const ap, int n, double* const b);
  /// LINPACK DPPDI: determinant and/or inverse from the packed factor.
  static void Dppdi(double* const ap, int n, double* const det, int job);

  /// LINPACK DPBCO: band Cholesky factor and condition estimate.
  static double Dpbco(double* const abd, int lda, int n, int m, double* const z);
  /// LINPACK DPBFA: band Cholesky factorisation; info as Dpofa.
  static int Dpbfa(double* const abd, int lda, int n, int m);
  /// LINPACK DPBSL: solves with the band Cholesky factor.
  static void Dpbsl(double* const abd, int lda, int n, int m, double* const b);
  /// LINPACK DPBDI: determinant from the band Cholesky factor.
  static void Dpbdi(double* const abd, int lda, int n, int m, double* const det);

  // ---- Symmetric indefinite matrices -----------------------------------------

  /// LINPACK DSICO: symmetric pivoting factorisation (full storage) and condition.
  static double Dsico(double* const a, int lda, int n, int* const kpvt, double* const z);
  /// LINPACK DSIFA: Bunch-Kaufman factorisation a = U*D*trans(U) on the upper
  /// triangle; 0 or k if the k-th pivot block is singular.
  static int Dsifa(double* const a, int lda, int n, int* const kpvt);
  /// LINPACK DSISL: solves with the factors of Dsico or Dsifa.
  static void Dsisl(double* const a, int lda, int n, int* const kpvt, double* const b);
  /// LINPACK DSIDI: determinant, inertia and/or inverse from the factors.
  static void Dsidi(double* const a, int lda, int n, int* const kpvt, double* const det,
                    int* const inert, double* const work, int job);

  /// LINPACK DSPCO: factors the packed symmetric ap (as Dspfa) and returns an
  /// estimate of the reciprocal 1-norm condition number (0 if exactly singular).
  /// z (n) is work space.
  static double Dspco(double* const ap, int n, int* const kpvt, double* const z);
  /// LINPACK DSPFA: Bunch-Kaufman factorisation a = U*D*trans(U) of a packed
  /// symmetric matrix, 1-by-1 and 2-by-2 pivot blocks chosen with
  /// alpha = (1 + sqrt(17))/8. kpvt (1-based): kpvt[k-1] = k or the row exchanged
  /// with k for a 1-by-1 block; both entries of a 2-by-2 block negative. Returns
  /// 0, or k if the k-th pivot block is singular.
  static int Dspfa(double* const ap, int n, int* const kpvt);
  /// LINPACK DSPSL: solves a*x = b with the factors of Dspco or Dspfa; b becomes x.
  static void Dspsl(double* const ap, int n, int* const kpvt, double* const b);
  /// LINPACK DSPDI: determinant, inertia and/or inverse from the packed factors.
  static void Dspdi(double* const ap, int n, int* const kpvt, double* const det, int* const inert,
                    double* const work, int job);

  // ---- Triangular and tridiagonal matrices -----------------------------------

  /// LINPACK DTRCO: condition estimate of a triangular matrix.
  static double Dtrco(double* const t, int ldt, int n, double* const z, int job);
  /// LINPACK DTRSL: triangular solve; 0 or the index of the first zero diagonal element.
  static int Dtrsl(double* const t, int ldt, int n, double* const b, int job);
  /// LINPACK DTRDI: determinant and/or inverse of a triangular matrix.
  static int Dtrdi(double* const t, int ldt, int n, double* const det, int job);
  /// LINPACK DGTSL: general tridiagonal solve; 0 or k at a zero pivot in step k.
  static int Dgtsl(int n, double* const c, double* const d, double* const e, double* const b);
  /// LINPACK DPTSL: positive definite tridiagonal solve.
  static void Dptsl(int n, double* const d, double* const e, double* const b);

  // ---- Cholesky decomposition with pivoting, updating and downdating ---------

  /// LINPACK DCHDC: pivoted Cholesky decomposition; the index of the last
  /// positive diagonal element of the factor.
  static int Dchdc(double* const a, int lda, int p, double* const work, int* const jpvt, int job);
  /// LINPACK DCHUD: updates a Cholesky factor by one row.
  static void Dchud(double* const r, int ldr, int p, double* const x, double* const z, int ldz,
                    int nz, double* const y, double* const rho, double* const c, double* const s);
  /// LINPACK DCHDD: downdates a Cholesky factor; 0, or -1 if it cannot be downdated.
  static int Dchdd(double* const r, int ldr, int p, double* const x, double* const z, int ldz,
                   int nz, double* const y, double* const rho, double* const c, double* const s);
  /// LINPACK DCHEX: updates a Cholesky factor after a permutation of columns k..l.
  static void Dchex(double* const r, int ldr, int p, int k, int l, double* const z, int ldz, int nz,
                    double* const c, double* const s, int job);

  // ---- QR decomposition and singular value decomposition ---------------------

  /// LINPACK DQRDC: Householder QR decomposition with optional column pivoting.
  static void Dqrdc(double* const x, int ldx, int n, int p, double* const qraux, int* const jpvt,
                    double* const work, int job);
  /// LINPACK DQRSL: applies the output of Dqrdc (solutions, residuals, projections).
  static int Dqrsl(double* const x, int ldx, int n, int k, double* const qraux, double* const y,
                   double* const qy, double* const qty, double* const b, double* const rsd,
                   double* const xb, int job);
  /// LINPACK DSVDC: singular value decomposition; 0, or m when the iteration
  /// limit is reached with m singular values not yet found.
  static int Dsvdc(double* const x, int ldx, int n, int p, double* const s, double* const e,
                   double* const u, int ldu, double* const v, int ldv, double* const work, int job);

  Linpack& operator=(const Linpack&) = default;
};

}  // namespace KzMath_1_2

#endif  // KZCOMMON12R_MATH_KERNELS_LINPACK_H
