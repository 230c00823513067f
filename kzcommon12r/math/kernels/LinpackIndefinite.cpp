// LINPACK DSPFA, DSPCO and DSPSL (J. Bunch and C. Moler, 1978; LINPACK
// Users' Guide, SIAM 1979, chapter 5): the symmetric indefinite factorisation
// a = U*D*trans(U) of a packed matrix by diagonal pivoting (Bunch and Kaufman,
// Math. Comp. 31, 1977), with 1-by-1 and 2-by-2 pivot blocks chosen with
// alpha = (1 + sqrt(17))/8, which bounds element growth by 2.57^(n-1); the
// condition estimate of Cline, Moler, Stewart and Wilkinson; and the solve.
//
// The packed upper triangle by columns holds the published (i, j), i <= j, at
// position j(j-1)/2 + i, counted from 1; AP(p) below is array element p-1.
// Positions are 64-bit: n(n+1)/2 overflows int from n = 46341. Each routine
// follows the published one statement for statement, including the order of
// the two Daxpy calls of a 2-by-2 block; "if (x .lt. y) go to" tests keep
// their Fortran meaning for NaN through !(x < y) forms.

#include <cmath>
#include <cstddef>

#include "kzcommon12r/math/kernels/Blas1.h"
#include "kzcommon12r/math/kernels/Linpack.h"

namespace KzMath_1_2 {

namespace {

using Index = std::ptrdiff_t;

// Fortran DSIGN(a, b): the magnitude of a with the sign of b.
inline double FSign(double a, double b) { return Blas1::D_Abs(a) * Blas1::D_Sign(b); }

inline void SwapValues(double& x, double& y) {
  const double t = x;
  x = y;
  y = t;
}

// ap[p-1] for the published position p.
struct Packed {
  double* ap;
  double& operator()(Index p) const { return ap[p - 1]; }
  double* At(Index p) const { return ap + (p - 1); }
};

// The 2-by-2 block solve shared by DSPCO and DSPSL: with the block
// [[ap(km1km1), ap(km1k)], [ap(km1k), ap(kk)]], replaces (zkm1, zk) by D^-1 (zkm1, zk).
inline void Solve2x2(const Packed& AP, Index kk, Index km1k, Index km1km1, double& zk,
                     double& zkm1) {
  const double ak = AP(kk) / AP(km1k);
  const double akm1 = AP(km1km1) / AP(km1k);
  const double bk = zk / AP(km1k);
  const double bkm1 = zkm1 / AP(km1k);
  const double denom = ak * akm1 - 1.0;
  zk = (akm1 * bk - bkm1) / denom;
  zkm1 = (ak * bkm1 - bk) / denom;
}

// The D-block step of DSPCO's two backward solves: a 1-by-1 pivot divides
// z(k) by ap(kk), first rescaling all of z (and `scale` with it) when z(k)
// would grow past |ap(kk)|, and taking z(k) = 1 for a zero pivot; a 2-by-2
// pivot is solved as in DSPSL.
inline void DivideByPivotBlock(const Packed& AP, int n, int k, int ks, Index kk, Index ik,
                               Index ikm1, double* z, double& scale) {
  if (ks != 2) {
    if (!(Blas1::D_Abs(z[k - 1]) <= Blas1::D_Abs(AP(kk)))) {
      const double s = Blas1::D_Abs(AP(kk)) / Blas1::D_Abs(z[k - 1]);
      Blas1::DScal(n, s, z, 1);
      scale = s * scale;
    }
    if (AP(kk) != 0.0) z[k - 1] = z[k - 1] / AP(kk);
    if (AP(kk) == 0.0) z[k - 1] = 1.0;
  } else {
    Solve2x2(AP, kk, ik + k - 1, ikm1 + k - 1, z[k - 1], z[k - 2]);
  }
}

// The forward sweep trans(U)*y = w shared by DSPCO (twice) and DSPSL.
void ForwardTransU(const Packed& AP, int n, const int* kpvt, double* z) {
  int k = 1;
  Index ik = 0;
  while (k <= n) {
    const int ks = kpvt[k - 1] < 0 ? 2 : 1;
    if (k != 1) {
      z[k - 1] = z[k - 1] + Blas1::DDot(k - 1, AP.At(ik + 1), 1, z, 1);
      const Index ikp1 = ik + k;
      if (ks == 2) z[k] = z[k] + Blas1::DDot(k - 1, AP.At(ikp1 + 1), 1, z, 1);
      const int kp = kpvt[k - 1] < 0 ? -kpvt[k - 1] : kpvt[k - 1];
      if (kp != k) SwapValues(z[k - 1], z[kp - 1]);
    }
    ik = ik + k;
    if (ks == 2) ik = ik + (k + 1);
    k = k + ks;
  }
}

// Scales z to unit 1-norm and returns the factor used.
inline double Normalise(int n, double* z) {
  const double s = 1.0 / Blas1::DASum(n, z, 1);
  Blas1::DScal(n, s, z, 1);
  return s;
}

}  // namespace

int Linpack::Dspfa(double* const ap, int n, int* const kpvt) {
  // For n < 0 the published loop would read ap(1) and write kpvt(1).
  if (n <= 0) return 0;
  const Packed AP{ap};
  const double alpha = (1.0 + std::sqrt(17.0)) / 8.0;
  int info = 0;

  // Main loop on k, from n down to 1.
  int k = n;
  Index ik = static_cast<Index>(n) * (n - 1) / 2;
  for (;;) {
    if (k == 0) break;
    if (k == 1) {
      kpvt[0] = 1;
      if (AP(1) == 0.0) info = 1;
      break;
    }

    // Kind of elimination: kstep the size of the pivot block, swap whether an
    // interchange is needed.
    const int km1 = k - 1;
    const Index kk = ik + k;
    const double absakk = Blas1::D_Abs(AP(kk));
    // Largest off-diagonal element in column k.
    const int imax = Blas1::IDAMax(k - 1, AP.At(ik + 1), 1);
    const Index imk = ik + imax;
    const double colmax = Blas1::D_Abs(AP(imk));
    int kstep = 1;
    bool swap = false;
    Index im = 0;
    if (absakk < alpha * colmax) {
      // Largest off-diagonal element in row imax.
      double rowmax = 0.0;
      const int imaxp1 = imax + 1;
      im = static_cast<Index>(imax) * (imax - 1) / 2;
      Index imj = im + 2 * static_cast<Index>(imax);
      for (int j = imaxp1; j <= k; ++j) {
        rowmax = Blas1::D_Max(rowmax, Blas1::D_Abs(AP(imj)));
        imj = imj + j;
      }
      if (imax != 1) {
        const int jmax = Blas1::IDAMax(imax - 1, AP.At(im + 1), 1);
        const Index jmim = jmax + im;
        rowmax = Blas1::D_Max(rowmax, Blas1::D_Abs(AP(jmim)));
      }
      const Index imim = imax + im;
      if (!(Blas1::D_Abs(AP(imim)) < alpha * rowmax)) {
        kstep = 1;
        swap = true;
      } else if (!(absakk < alpha * colmax * (colmax / rowmax))) {
        kstep = 1;
        swap = false;
      } else {
        kstep = 2;
        swap = imax != km1;
      }
    }

    if (Blas1::D_Max(absakk, colmax) == 0.0) {
      // Column k is zero: record it and go on.
      kpvt[k - 1] = k;
      info = k;
    } else if (kstep == 1) {
      // 1-by-1 pivot block.
      if (swap) {
        Blas1::DSwap(imax, AP.At(im + 1), 1, AP.At(ik + 1), 1);
        Index imj = ik + imax;
        for (int jj = imax; jj <= k; ++jj) {
          const int j = k + imax - jj;
          const Index jk = ik + j;
          SwapValues(AP(jk), AP(imj));
          imj = imj - (j - 1);
        }
      }
      // Elimination.
      Index ij = ik - (k - 1);
      for (int jj = 1; jj <= km1; ++jj) {
        const int j = k - jj;
        const Index jk = ik + j;
        const double mulk = -AP(jk) / AP(kk);
        const double t = mulk;
        Blas1::Daxpy(j, t, AP.At(ik + 1), 1, AP.At(ij + 1), 1);
        AP(jk) = mulk;
        ij = ij - (j - 1);
      }
      kpvt[k - 1] = swap ? imax : k;
    } else {
      // 2-by-2 pivot block.
      const Index km1k = ik + k - 1;
      const Index ikm1 = ik - (k - 1);
      if (swap) {
        Blas1::DSwap(imax, AP.At(im + 1), 1, AP.At(ikm1 + 1), 1);
        Index imj = ikm1 + imax;
        for (int jj = imax; jj <= km1; ++jj) {
          const int j = km1 + imax - jj;
          const Index jkm1 = ikm1 + j;
          SwapValues(AP(jkm1), AP(imj));
          imj = imj - (j - 1);
        }
        SwapValues(AP(km1k), AP(imk));
      }
      // Elimination.
      const int km2 = k - 2;
      if (km2 != 0) {
        const double ak = AP(kk) / AP(km1k);
        const Index km1km1 = ikm1 + k - 1;
        const double akm1 = AP(km1km1) / AP(km1k);
        const double denom = 1.0 - ak * akm1;
        Index ij = ik - (k - 1) - (k - 2);
        for (int jj = 1; jj <= km2; ++jj) {
          const int j = km1 - jj;
          const Index jk = ik + j;
          const double bk = AP(jk) / AP(km1k);
          const Index jkm1 = ikm1 + j;
          const double bkm1 = AP(jkm1) / AP(km1k);
          const double mulk = (akm1 * bk - bkm1) / denom;
          const double mulkm1 = (ak * bkm1 - bk) / denom;
          Blas1::Daxpy(j, mulk, AP.At(ik + 1), 1, AP.At(ij + 1), 1);
          Blas1::Daxpy(j, mulkm1, AP.At(ikm1 + 1), 1, AP.At(ij + 1), 1);
          AP(jk) = mulk;
          AP(jkm1) = mulkm1;
          ij = ij - (j - 1);
        }
      }
      kpvt[k - 1] = swap ? -imax : 1 - k;
      kpvt[k - 2] = kpvt[k - 1];
    }
    ik = ik - (k - 1);
    if (kstep == 2) ik = ik - (k - 2);
    k = k - kstep;
  }
  return info;
}

double Linpack::Dspco(double* const ap, int n, int* const kpvt, double* const z) {
  // The published routine ends with rcond = 0 for n = 0 (its norm is 0).
  if (n <= 0) return 0.0;
  const Packed AP{ap};

  // 1-norm of a from the upper half: column sums, the part above the diagonal
  // counted once more for the rows.
  Index j1 = 1;
  for (int j = 1; j <= n; ++j) {
    z[j - 1] = Blas1::DASum(j, AP.At(j1), 1);
    Index ij = j1;
    j1 = j1 + j;
    for (int i = 1; i <= j - 1; ++i) {
      z[i - 1] = z[i - 1] + Blas1::D_Abs(AP(ij));
      ij = ij + 1;
    }
  }
  double anorm = 0.0;
  for (int j = 1; j <= n; ++j) anorm = Blas1::D_Max(anorm, z[j - 1]);

  Dspfa(ap, n, kpvt);

  // rcond = 1/(norm(a)*(estimate of norm(inverse(a)))), the estimate being
  // norm(z)/norm(y) where a*z = y and a*y = e; e is chosen to make w grow
  // locally in u*d*w = e. The vectors are rescaled against overflow.

  // Solve u*d*w = e.
  double ek = 1.0;
  for (int j = 1; j <= n; ++j) z[j - 1] = 0.0;
  int k = n;
  Index ik = static_cast<Index>(n) * (n - 1) / 2;
  while (k != 0) {
    const Index kk = ik + k;
    const Index ikm1 = ik - (k - 1);
    const int ks = kpvt[k - 1] < 0 ? 2 : 1;
    const int kp = kpvt[k - 1] < 0 ? -kpvt[k - 1] : kpvt[k - 1];
    const int kps = k + 1 - ks;
    if (kp != kps) SwapValues(z[kps - 1], z[kp - 1]);
    if (z[k - 1] != 0.0) ek = FSign(ek, z[k - 1]);
    z[k - 1] = z[k - 1] + ek;
    Blas1::Daxpy(k - ks, z[k - 1], AP.At(ik + 1), 1, z, 1);
    if (ks != 1) {
      if (z[k - 2] != 0.0) ek = FSign(ek, z[k - 2]);
      z[k - 2] = z[k - 2] + ek;
      Blas1::Daxpy(k - ks, z[k - 2], AP.At(ikm1 + 1), 1, z, 1);
    }
    DivideByPivotBlock(AP, n, k, ks, kk, ik, ikm1, z, ek);
    k = k - ks;
    ik = ik - k;
    if (ks == 2) ik = ik - (k + 1);
  }
  Normalise(n, z);

  // Solve trans(u)*y = w.
  ForwardTransU(AP, n, kpvt, z);
  Normalise(n, z);

  double ynorm = 1.0;

  // Solve u*d*v = y.
  k = n;
  ik = static_cast<Index>(n) * (n - 1) / 2;
  while (k != 0) {
    const Index kk = ik + k;
    const Index ikm1 = ik - (k - 1);
    const int ks = kpvt[k - 1] < 0 ? 2 : 1;
    if (k != ks) {
      const int kp = kpvt[k - 1] < 0 ? -kpvt[k - 1] : kpvt[k - 1];
      const int kps = k + 1 - ks;
      if (kp != kps) SwapValues(z[kps - 1], z[kp - 1]);
      Blas1::Daxpy(k - ks, z[k - 1], AP.At(ik + 1), 1, z, 1);
      if (ks == 2) Blas1::Daxpy(k - ks, z[k - 2], AP.At(ikm1 + 1), 1, z, 1);
    }
    DivideByPivotBlock(AP, n, k, ks, kk, ik, ikm1, z, ynorm);
    k = k - ks;
    ik = ik - k;
    if (ks == 2) ik = ik - (k + 1);
  }
  ynorm = Normalise(n, z) * ynorm;

  // Solve trans(u)*z = v, then make znorm = 1.
  ForwardTransU(AP, n, kpvt, z);
  ynorm = Normalise(n, z) * ynorm;

  return anorm != 0.0 ? ynorm / anorm : 0.0;
}

void Linpack::Dspsl(double* const ap, int n, int* const kpvt, double* const b) {
  if (n <= 0) return;
  const Packed AP{ap};

  // Backward: apply the transformations and D^-1 to b.
  int k = n;
  Index ik = static_cast<Index>(n) * (n - 1) / 2;
  while (k != 0) {
    const Index kk = ik + k;
    if (kpvt[k - 1] >= 0) {
      // 1-by-1 pivot block.
      if (k != 1) {
        const int kp = kpvt[k - 1];
        if (kp != k) SwapValues(b[k - 1], b[kp - 1]);
        Blas1::Daxpy(k - 1, b[k - 1], AP.At(ik + 1), 1, b, 1);
      }
      b[k - 1] = b[k - 1] / AP(kk);
      k = k - 1;
      ik = ik - k;
    } else {
      // 2-by-2 pivot block.
      const Index ikm1 = ik - (k - 1);
      if (k != 2) {
        const int kp = -kpvt[k - 1];
        if (kp != k - 1) SwapValues(b[k - 2], b[kp - 1]);
        Blas1::Daxpy(k - 2, b[k - 1], AP.At(ik + 1), 1, b, 1);
        Blas1::Daxpy(k - 2, b[k - 2], AP.At(ikm1 + 1), 1, b, 1);
      }
      Solve2x2(AP, kk, ik + k - 1, ikm1 + k - 1, b[k - 1], b[k - 2]);
      k = k - 2;
      ik = ik - (k + 1) - k;
    }
  }

  // Forward: apply the transformations.
  ForwardTransU(AP, n, kpvt, b);
}

}  // namespace KzMath_1_2
