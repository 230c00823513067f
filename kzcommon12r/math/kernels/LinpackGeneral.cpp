// LINPACK DGEFA, DGECO and DGESL (C. Moler, 1978; LINPACK Users' Guide, SIAM
// 1979, chapter 1): Gaussian elimination with partial pivoting by columns, the
// condition estimate of Cline, Moler, Stewart and Wilkinson (SIAM J. Numer.
// Anal. 16, 1979), and the solves with the factors.
//
// Each routine follows the published one statement for statement, so that the
// pivots, the factors and the rcond estimate carry the same rounding as the
// original with reference BLAS. Indices below are the published 1-based ones;
// A(i, j) is array element (j-1)*lda + i-1. Work is O(n^3/3) flops in Daxpy
// column updates, all unit stride. The published tests "if (x .le. y) go to"
// are kept as !(x <= y), so that a NaN takes the same branch as in Fortran.

#include <cstddef>

#include "kzcommon12r/math/kernels/Blas1.h"
#include "kzcommon12r/math/kernels/Linpack.h"

namespace KzMath_1_2 {

namespace {

using Index = std::ptrdiff_t;

// Column j (1-based) of a column-major matrix, addressed from row 1: Col(j)[i-1] = A(i, j).
inline double* Col(double* a, int lda, int j) {
  return a + static_cast<Index>(j - 1) * static_cast<Index>(lda);
}

// Fortran DSIGN(a, b): the magnitude of a with the sign of b.
inline double FSign(double a, double b) { return Blas1::D_Abs(a) * Blas1::D_Sign(b); }

}  // namespace

int Linpack::Dgefa(double* const a, int lda, int n, int* const ipvt) {
  // The published routine stores ipvt(n) and tests a(n, n) even for n = 0,
  // outside the caller's arrays; an empty matrix is simply factored.
  if (n <= 0) return 0;
  int info = 0;
  for (int k = 1; k <= n - 1; ++k) {
    double* const colK = Col(a, lda, k);
    // Pivot: the first element of largest magnitude on or below the diagonal.
    const int l = Blas1::IDAMax(n - k + 1, colK + (k - 1), 1) + k - 1;
    ipvt[k - 1] = l;
    if (colK[l - 1] == 0.0) {
      // A zero pivot column is already triangular.
      info = k;
      continue;
    }
    if (l != k) {
      const double t = colK[l - 1];
      colK[l - 1] = colK[k - 1];
      colK[k - 1] = t;
    }
    // Multipliers, stored negated as the published routine does.
    const double t = -1.0 / colK[k - 1];
    Blas1::DScal(n - k, t, colK + k, 1);
    // Row elimination with column indexing.
    for (int j = k + 1; j <= n; ++j) {
      double* const colJ = Col(a, lda, j);
      const double tj = colJ[l - 1];
      if (l != k) {
        colJ[l - 1] = colJ[k - 1];
        colJ[k - 1] = tj;
      }
      Blas1::Daxpy(n - k, tj, colK + k, 1, colJ + k, 1);
    }
  }
  ipvt[n - 1] = n;
  if (Col(a, lda, n)[n - 1] == 0.0) info = n;
  return info;
}

double Linpack::Dgeco(double* const a, int lda, int n, int* const ipvt, double* const z) {
  // The published routine ends with rcond = 0 for n = 0 (its norm is 0).
  if (n <= 0) return 0.0;
  const auto A = [a, lda](int i, int j) -> double& { return Col(a, lda, j)[i - 1]; };
  double* const Z = z;  // Z[i-1] is the published z(i)

  // 1-norm of a.
  double anorm = 0.0;
  for (int j = 1; j <= n; ++j) anorm = Blas1::D_Max(anorm, Blas1::DASum(n, Col(a, lda, j), 1));

  Dgefa(a, lda, n, ipvt);

  // rcond = 1/(norm(a)*(estimate of norm(inverse(a)))), the estimate being
  // norm(z)/norm(y) where a*z = y and trans(a)*y = e; e is chosen to make w
  // grow locally in trans(u)*w = e. The vectors are rescaled against overflow.

  // Solve trans(u)*w = e.
  double ek = 1.0;
  for (int j = 1; j <= n; ++j) Z[j - 1] = 0.0;
  for (int k = 1; k <= n; ++k) {
    if (Z[k - 1] != 0.0) ek = FSign(ek, -Z[k - 1]);
    if (!(Blas1::D_Abs(ek - Z[k - 1]) <= Blas1::D_Abs(A(k, k)))) {
      const double s = Blas1::D_Abs(A(k, k)) / Blas1::D_Abs(ek - Z[k - 1]);
      Blas1::DScal(n, s, z, 1);
      ek = s * ek;
    }
    double wk = ek - Z[k - 1];
    double wkm = -ek - Z[k - 1];
    double s = Blas1::D_Abs(wk);
    double sm = Blas1::D_Abs(wkm);
    if (A(k, k) != 0.0) {
      wk = wk / A(k, k);
      wkm = wkm / A(k, k);
    } else {
      wk = 1.0;
      wkm = 1.0;
    }
    const int kp1 = k + 1;
    if (kp1 <= n) {
      for (int j = kp1; j <= n; ++j) {
        sm = sm + Blas1::D_Abs(Z[j - 1] + wkm * A(k, j));
        Z[j - 1] = Z[j - 1] + wk * A(k, j);
        s = s + Blas1::D_Abs(Z[j - 1]);
      }
      if (!(s >= sm)) {
        const double t = wkm - wk;
        wk = wkm;
        for (int j = kp1; j <= n; ++j) Z[j - 1] = Z[j - 1] + t * A(k, j);
      }
    }
    Z[k - 1] = wk;
  }
  double s = 1.0 / Blas1::DASum(n, z, 1);
  Blas1::DScal(n, s, z, 1);

  // Solve trans(l)*y = w.
  for (int kb = 1; kb <= n; ++kb) {
    const int k = n + 1 - kb;
    if (k < n) Z[k - 1] = Z[k - 1] + Blas1::DDot(n - k, &A(k + 1, k), 1, &Z[k], 1);
    if (!(Blas1::D_Abs(Z[k - 1]) <= 1.0)) {
      s = 1.0 / Blas1::D_Abs(Z[k - 1]);
      Blas1::DScal(n, s, z, 1);
    }
    const int l = ipvt[k - 1];
    const double t = Z[l - 1];
    Z[l - 1] = Z[k - 1];
    Z[k - 1] = t;
  }
  s = 1.0 / Blas1::DASum(n, z, 1);
  Blas1::DScal(n, s, z, 1);

  double ynorm = 1.0;

  // Solve l*v = y.
  for (int k = 1; k <= n; ++k) {
    const int l = ipvt[k - 1];
    const double t = Z[l - 1];
    Z[l - 1] = Z[k - 1];
    Z[k - 1] = t;
    if (k < n) Blas1::Daxpy(n - k, t, &A(k + 1, k), 1, &Z[k], 1);
    if (!(Blas1::D_Abs(Z[k - 1]) <= 1.0)) {
      s = 1.0 / Blas1::D_Abs(Z[k - 1]);
      Blas1::DScal(n, s, z, 1);
      ynorm = s * ynorm;
    }
  }
  s = 1.0 / Blas1::DASum(n, z, 1);
  Blas1::DScal(n, s, z, 1);
  ynorm = s * ynorm;

  // Solve u*z = v.
  for (int kb = 1; kb <= n; ++kb) {
    const int k = n + 1 - kb;
    if (!(Blas1::D_Abs(Z[k - 1]) <= Blas1::D_Abs(A(k, k)))) {
      s = Blas1::D_Abs(A(k, k)) / Blas1::D_Abs(Z[k - 1]);
      Blas1::DScal(n, s, z, 1);
      ynorm = s * ynorm;
    }
    if (A(k, k) != 0.0) Z[k - 1] = Z[k - 1] / A(k, k);
    if (A(k, k) == 0.0) Z[k - 1] = 1.0;
    const double t = -Z[k - 1];
    Blas1::Daxpy(k - 1, t, Col(a, lda, k), 1, z, 1);
  }
  // Make znorm = 1.
  s = 1.0 / Blas1::DASum(n, z, 1);
  Blas1::DScal(n, s, z, 1);
  ynorm = s * ynorm;

  return anorm != 0.0 ? ynorm / anorm : 0.0;
}

void Linpack::Dgesl(double* const a, int lda, int n, int* const ipvt, double* const b, int job) {
  if (n <= 0) return;
  const int nm1 = n - 1;
  if (job == 0) {
    // Solve a*x = b: first l*y = b ...
    for (int k = 1; k <= nm1; ++k) {
      const int l = ipvt[k - 1];
      const double t = b[l - 1];
      if (l != k) {
        b[l - 1] = b[k - 1];
        b[k - 1] = t;
      }
      Blas1::Daxpy(n - k, t, Col(a, lda, k) + k, 1, b + k, 1);
    }
    // ... then u*x = y.
    for (int kb = 1; kb <= n; ++kb) {
      const int k = n + 1 - kb;
      double* const colK = Col(a, lda, k);
      b[k - 1] = b[k - 1] / colK[k - 1];
      const double t = -b[k - 1];
      Blas1::Daxpy(k - 1, t, colK, 1, b, 1);
    }
    return;
  }
  // Solve trans(a)*x = b: first trans(u)*y = b ...
  for (int k = 1; k <= n; ++k) {
    double* const colK = Col(a, lda, k);
    const double t = Blas1::DDot(k - 1, colK, 1, b, 1);
    b[k - 1] = (b[k - 1] - t) / colK[k - 1];
  }
  // ... then trans(l)*x = y.
  for (int kb = 1; kb <= nm1; ++kb) {
    const int k = n - kb;
    b[k - 1] = b[k - 1] + Blas1::DDot(n - k, Col(a, lda, k) + k, 1, b + k, 1);
    const int l = ipvt[k - 1];
    if (l != k) {
      const double t = b[l - 1];
      b[l - 1] = b[k - 1];
      b[k - 1] = t;
    }
  }
}

}  // namespace KzMath_1_2
