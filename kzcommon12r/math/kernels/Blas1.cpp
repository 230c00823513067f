// BLAS level-1, double precision: Lawson, Hanson, Kincaid and Krogh, "Basic
// Linear Algebra Subprograms for Fortran Usage", ACM TOMS 5 (1979), in the
// loop structure of the reference implementation (J. Dongarra, LINPACK 1978).
//
// The unit-stride loops keep the reference unrolling. For the element-wise
// routines that only serves speed, but DDot and DASum add in the unrolled order
// (a leading remainder one by one, then fixed groups left to right), and the
// LINPACK condition estimators depend on those sums: keeping the order makes
// every result identical to the reference library's. DNrm2 and DRotG are the
// classic algorithms (Hammarling's scaled sum of squares; the 1979 DROTG), not
// the 2021 rewrites of the reference library, whose rounding differs.

#include "kzcommon12r/math/kernels/Blas1.h"

#include <cmath>
#include <cstddef>
#include <cstdlib>
#include <functional>
#include <iostream>

namespace KzMath_1_2 {

namespace {

using Index = std::ptrdiff_t;

// First array element of an n-element walk with stride inc: a negative stride
// starts at the far end, (n-1)*|inc|, and walks down to element 0.
inline Index WalkStart(int n, int inc) {
  return inc < 0 ? static_cast<Index>(n - 1) * static_cast<Index>(-static_cast<Index>(inc)) : 0;
}

// The unit-stride axpy on arrays that do not overlap: every element is an
// independent y_i + a*x_i, so the compiler may use vector registers without
// changing a single result.
#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__)
// Wider vector registers where the processor has them (selected once at load
// time); every element is still one multiplication and one addition, rounded
// the same way, and no fused multiply-add is ever formed (-ffp-contract=off and
// no "fma" target), so all clones give identical results.
#define KZ_VECTOR_CLONES __attribute__((target_clones("avx2", "default")))
#else
#define KZ_VECTOR_CLONES
#endif

KZ_VECTOR_CLONES
void AxpyUnitDisjoint(int n, double a, const double* __restrict x, double* __restrict y) {
  const int m = n % 4;
  for (int i = 0; i < m; ++i) y[i] = y[i] + a * x[i];
  for (int i = m; i < n; i += 4) {
    y[i] = y[i] + a * x[i];
    y[i + 1] = y[i + 1] + a * x[i + 1];
    y[i + 2] = y[i + 2] + a * x[i + 2];
    y[i + 3] = y[i + 3] + a * x[i + 3];
  }
}

// True when the n-element unit-stride arrays x and y share no element.
inline bool Disjoint(const double* x, const double* y, int n) {
  const std::less<const double*> before;
  return !before(x, y + n) || !before(y, x + n);
}

}  // namespace

double Blas1::DASum(int n, double* const x, int incx) {
  double dtemp = 0.0;
  if (n <= 0 || incx <= 0) return 0.0;
  if (incx == 1) {
    const int m = n % 6;
    for (int i = 0; i < m; ++i) dtemp = dtemp + D_Abs(x[i]);
    for (int i = m; i < n; i += 6) {
      dtemp = dtemp + D_Abs(x[i]) + D_Abs(x[i + 1]) + D_Abs(x[i + 2]) + D_Abs(x[i + 3]) +
              D_Abs(x[i + 4]) + D_Abs(x[i + 5]);
    }
    return dtemp;
  }
  Index ix = 0;
  for (int i = 0; i < n; ++i, ix += incx) dtemp = dtemp + D_Abs(x[ix]);
  return dtemp;
}

void Blas1::Daxpy(int n, double a, double* const x, int incx, double* const y, int incy) {
  if (n <= 0 || a == 0.0) return;
  if (incx == 1 && incy == 1) {
    if (x != y && Disjoint(x, y, n)) {
      AxpyUnitDisjoint(n, a, x, y);
      return;
    }
    // Shared elements: one at a time in increasing order, which is the order
    // in which the reference unrolled loop touches them.
    for (int i = 0; i < n; ++i) y[i] = y[i] + a * x[i];
    return;
  }
  Index ix = WalkStart(n, incx);
  Index iy = WalkStart(n, incy);
  for (int i = 0; i < n; ++i, ix += incx, iy += incy) y[iy] = y[iy] + a * x[ix];
}

void Blas1::DCopy(int n, double* const x, int incx, double* const y, int incy) {
  if (n <= 0) return;
  if (incx == 1 && incy == 1) {
    const int m = n % 7;
    for (int i = 0; i < m; ++i) y[i] = x[i];
    for (int i = m; i < n; i += 7) {
      y[i] = x[i];
      y[i + 1] = x[i + 1];
      y[i + 2] = x[i + 2];
      y[i + 3] = x[i + 3];
      y[i + 4] = x[i + 4];
      y[i + 5] = x[i + 5];
      y[i + 6] = x[i + 6];
    }
    return;
  }
  Index ix = WalkStart(n, incx);
  Index iy = WalkStart(n, incy);
  for (int i = 0; i < n; ++i, ix += incx, iy += incy) y[iy] = x[ix];
}

double Blas1::DDot(int n, double* const x, int incx, double* const y, int incy) {
  double dtemp = 0.0;
  if (n <= 0) return 0.0;
  if (incx == 1 && incy == 1) {
    const int m = n % 5;
    for (int i = 0; i < m; ++i) dtemp = dtemp + x[i] * y[i];
    // One chain of additions, left to right: ((((t + p0) + p1) + p2) + p3) + p4.
    for (int i = m; i < n; i += 5) {
      dtemp = dtemp + x[i] * y[i] + x[i + 1] * y[i + 1] + x[i + 2] * y[i + 2] +
              x[i + 3] * y[i + 3] + x[i + 4] * y[i + 4];
    }
    return dtemp;
  }
  Index ix = WalkStart(n, incx);
  Index iy = WalkStart(n, incy);
  for (int i = 0; i < n; ++i, ix += incx, iy += incy) dtemp = dtemp + x[ix] * y[iy];
  return dtemp;
}

double Blas1::DNrm2(int n, double* const x, int incx) {
  if (n <= 0 || incx < 1) return 0.0;
  if (n == 1) return D_Abs(x[0]);
  // Hammarling's update: scale holds the largest |x_i| so far and ssq the sum
  // of squares relative to it, so no square can overflow or underflow.
  double scale = 0.0;
  double ssq = 1.0;
  const Index last = static_cast<Index>(n - 1) * incx;
  for (Index ix = 0; ix <= last; ix += incx) {
    if (x[ix] != 0.0) {
      const double t = D_Abs(x[ix]);
      if (scale < t) {
        const double r = scale / t;
        ssq = 1.0 + ssq * r * r;
        scale = t;
      } else {
        const double r = t / scale;
        ssq = ssq + r * r;
      }
    }
  }
  return scale * std::sqrt(ssq);
}

void Blas1::DRot(int n, double* const x, int incx, double* const y, int incy, double c, double s) {
  if (n <= 0) return;
  if (incx == 1 && incy == 1) {
    for (int i = 0; i < n; ++i) {
      const double dtemp = c * x[i] + s * y[i];
      y[i] = c * y[i] - s * x[i];
      x[i] = dtemp;
    }
    return;
  }
  Index ix = WalkStart(n, incx);
  Index iy = WalkStart(n, incy);
  for (int i = 0; i < n; ++i, ix += incx, iy += incy) {
    const double dtemp = c * x[ix] + s * y[iy];
    y[iy] = c * y[iy] - s * x[ix];
    x[ix] = dtemp;
  }
}

void Blas1::DRotG(double* const a, double* const b, double* const c, double* const s) {
  const double da = *a;
  const double db = *b;
  const double roe = D_Abs(da) > D_Abs(db) ? da : db;
  const double scale = D_Abs(da) + D_Abs(db);
  double r = 0.0;
  double z = 0.0;
  if (scale == 0.0) {
    *c = 1.0;
    *s = 0.0;
  } else {
    const double ra = da / scale;
    const double rb = db / scale;
    r = scale * std::sqrt(ra * ra + rb * rb);
    r = D_Sign(roe) * r;
    *c = da / r;
    *s = db / r;
    // z lets the caller rebuild (c, s) from one number: s when |a| > |b|,
    // 1/c otherwise (c != 0); with c == 0 this s is 1, the reference value.
    z = *s;
    if (D_Abs(*c) > 0.0 && *s >= D_Abs(*c)) z = 1.0 / *c;
  }
  *a = r;
  *b = z;
}

void Blas1::DScal(int n, double a, double* const x, int incx) {
  if (n <= 0) return;
  if (incx == 1) {
    const int m = n % 5;
    for (int i = 0; i < m; ++i) x[i] = a * x[i];
    for (int i = m; i < n; i += 5) {
      x[i] = a * x[i];
      x[i + 1] = a * x[i + 1];
      x[i + 2] = a * x[i + 2];
      x[i + 3] = a * x[i + 3];
      x[i + 4] = a * x[i + 4];
    }
    return;
  }
  Index ix = WalkStart(n, incx);
  for (int i = 0; i < n; ++i, ix += incx) x[ix] = a * x[ix];
}

void Blas1::DSwap(int n, double* const x, int incx, double* const y, int incy) {
  if (n <= 0) return;
  if (incx == 1 && incy == 1) {
    const int m = n % 3;
    for (int i = 0; i < m; ++i) {
      const double t = x[i];
      x[i] = y[i];
      y[i] = t;
    }
    for (int i = m; i < n; i += 3) {
      double t = x[i];
      x[i] = y[i];
      y[i] = t;
      t = x[i + 1];
      x[i + 1] = y[i + 1];
      y[i + 1] = t;
      t = x[i + 2];
      x[i + 2] = y[i + 2];
      y[i + 2] = t;
    }
    return;
  }
  Index ix = WalkStart(n, incx);
  Index iy = WalkStart(n, incy);
  for (int i = 0; i < n; ++i, ix += incx, iy += incy) {
    const double t = x[ix];
    x[ix] = y[iy];
    y[iy] = t;
  }
}

int Blas1::IDAMax(int n, double* const x, int incx) {
  if (n < 1 || incx <= 0) return 0;
  if (n == 1) return 1;
  int best = 1;
  double dmax = D_Abs(x[0]);
  Index ix = incx;
  for (int i = 1; i < n; ++i, ix += incx) {
    // Strict comparison: ties keep the earlier element.
    if (D_Abs(x[ix]) > dmax) {
      best = i + 1;
      dmax = D_Abs(x[ix]);
    }
  }
  return best;
}

bool Blas1::LSame(char a, char b) {
  if (a == b) return true;
  const auto lower = [](char ch) -> int {
    return (ch >= 'A' && ch <= 'Z') ? ch - 'A' + 'a' : static_cast<unsigned char>(ch);
  };
  const bool aLetter = (a >= 'A' && a <= 'Z') || (a >= 'a' && a <= 'z');
  return aLetter && lower(a) == lower(b);
}

void Blas1::XErBla(char* routineName, int info) {
  std::cout << "\n"
            << "XERBLA - Fatal error!\n"
            << "  On entry to routine " << (routineName != nullptr ? routineName : "") << "\n"
            << "  input parameter number " << info << " had an illegal value.\n";
  std::cout.flush();
  std::exit(1);
}

double Blas1::DMach(int job) {
  // Computed rather than taken from <limits>, as the LINPACK DMACH does; with
  // IEEE double arithmetic (no extended registers) the loops end exactly at
  // eps = 2^-52 and, with gradual underflow, at t = 2^-1072.
  volatile double eps = 1.0;
  for (;;) {
    eps = eps / 2.0;
    const volatile double s = 1.0 + eps / 2.0;
    if (!(s > 1.0)) break;
  }
  volatile double t = 1.0;
  for (;;) {
    const volatile double q = t * 0.0625;
    if (q == 0.0) break;
    t = q;
  }
  const double tiny = (t / eps) * 100.0;
  const double huge = 1.0 / tiny;
  switch (job) {
    case 1:
      return eps;
    case 2:
      return tiny;
    case 3:
      return huge;
    default: {
      char name[] = "DMACH";
      XErBla(name, 1);
    }
  }
}

}  // namespace KzMath_1_2
