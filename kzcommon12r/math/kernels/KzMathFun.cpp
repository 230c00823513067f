// Vector kernels with offset and stride, packed-triangle kernels and the
// interval search. The strided kernels share the Blas1 loops (a walk in this
// class is a Blas1 walk that starts at an offset), so both families add in the
// same order; what this class adds is the check of every walk against the
// caller's vector before anything is read or written.

#include "kzcommon12r/math/kernels/KzMathFun.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>

#include "kzcommon12r/common/KzMV.h"
#include "kzcommon12r/math/kernels/Blas1.h"

namespace KzMath_1_2 {

namespace {

using Pos = std::int64_t;
constexpr double kMissing = KzCommon_1_2::KzMV::gMissingValue;

// Positions are formed in 64 bits: off + (n-1)*|inc| overflows int for
// ordinary packed matrices.
inline bool InVector(Pos p, std::size_t size) { return p >= 0 && p < static_cast<Pos>(size); }

// True when every position of the n-element linear walk (n >= 1) lies inside.
inline bool LinearWalkInside(int n, int off, int inc, std::size_t size) {
  const Pos span = static_cast<Pos>(n - 1) * (inc < 0 ? -static_cast<Pos>(inc) : inc);
  return InVector(off, size) && InVector(off + span, size);
}

// k-th position of a growing-increment walk: off + k*inc + k(k-1)/2.
inline Pos GrowingPos(Pos k, int off, int inc) { return off + k * inc + k * (k - 1) / 2; }

// True when every position of the n-element growing-increment walk (n >= 1)
// lies inside. The steps inc + k are negative while k < -inc, so the walk falls
// to its lowest point at k = min(n-1, max(0, -inc)) and is highest at one end.
inline bool GrowingWalkInside(int n, int off, int inc, std::size_t size) {
  const Pos last = n - 1;
  Pos kLow = inc < 0 ? -static_cast<Pos>(inc) : 0;
  if (kLow > last) kLow = last;
  return InVector(GrowingPos(0, off, inc), size) && InVector(GrowingPos(kLow, off, inc), size) &&
         InVector(GrowingPos(last, off, inc), size);
}

// Packed position of (i, j), j <= i.
inline std::size_t PackedPos(std::size_t i, std::size_t j) { return i * (i + 1) / 2 + j; }

inline std::size_t PackedSize(int n) {
  return static_cast<std::size_t>(n) * (static_cast<std::size_t>(n) + 1) / 2;
}

// Blas1 takes non-const pointers for the published interface; the read-only
// routines never write through them.
inline double* At(const std::vector<double>& v, int off) {
  return const_cast<double*>(v.data()) + off;
}

// Shared bisection of both BinSearch overloads.
template <typename T>
int IntervalSearch(const std::vector<T>& v, int lo, int hi, T x, bool closedLeft) {
  if (lo < 0 || hi < lo || static_cast<std::size_t>(hi) >= v.size()) return -2;
  const auto V = [&v](int i) { return v[static_cast<std::size_t>(i)]; };
  // Ordered comparisons are all false for a NaN x: refuse it explicitly.
  if (!(x == x)) return -1;
  if (x > V(hi) || (x == V(hi) && closedLeft)) return -1;
  if (lo > 0 && (x < V(lo - 1) || (x == V(lo - 1) && !closedLeft))) return -1;
  if (lo == hi) return lo;
  int top = hi - 1;
  int mid = lo;
  while (lo <= top) {
    mid = lo + (top - lo) / 2;
    if (x == V(mid)) return closedLeft ? mid + 1 : mid;
    if (V(mid) > x) {
      top = mid - 1;
    } else {
      lo = mid + 1;
    }
  }
  return V(mid) > x ? mid : mid + 1;
}

}  // namespace

double KzMathFun::DASum(int n, const std::vector<double>& x, int inc, int off) {
  if (n <= 0 || x.empty()) return 0.0;
  const Pos step = inc;
  Pos p = off + (inc < 0 ? static_cast<Pos>(n - 1) * -step : 0);
  double sum = 0.0;
  for (int k = 0; k < n; ++k, p += step) {
    if (InVector(p, x.size())) sum = sum + Blas1::D_Abs(x[static_cast<std::size_t>(p)]);
  }
  return sum;
}

void KzMathFun::Daxpy(int n, double a, const std::vector<double>& x, int offx, int incx,
                      std::vector<double>& y, int offy, int incy) {
  if (n <= 0 || a == 0.0) return;
  if (!LinearWalkInside(n, offx, incx, x.size()) || !LinearWalkInside(n, offy, incy, y.size())) {
    return;
  }
  // a == 1 and a == -1 give the same bits as an addition or subtraction of x.
  Blas1::Daxpy(n, a, At(x, offx), incx, y.data() + offy, incy);
}

double KzMathFun::DDot(int n, const std::vector<double>& x, int offx, int incx,
                       const std::vector<double>& y, int offy, int incy) {
  if (n <= 0) return 0.0;
  if (!LinearWalkInside(n, offx, incx, x.size()) || !LinearWalkInside(n, offy, incy, y.size())) {
    return kMissing;
  }
  // Blas1's unrolled groups add left to right, which is walk order.
  return Blas1::DDot(n, At(x, offx), incx, At(y, offy), incy);
}

void KzMathFun::DLoad(int n, double value, std::vector<double>& x, int off, int inc) {
  if (n <= 0 || off < 0 || inc < 1 || !LinearWalkInside(n, off, inc, x.size())) return;
  double* p = x.data() + off;
  if (inc == 1) {
    for (int k = 0; k < n; ++k) p[k] = value;
    return;
  }
  for (Pos k = 0; k < n; ++k) p[k * inc] = value;
}

double KzMathFun::DNrm2(int n, const std::vector<double>& x, int off, int inc) {
  if (n <= 0 || (n > 1 && inc < 1)) return 0.0;
  if (!LinearWalkInside(n, off, inc, x.size())) return kMissing;
  return Blas1::DNrm2(n, At(x, off), inc < 1 ? 1 : inc);
}

void KzMathFun::DScal(int n, double a, std::vector<double>& x, int off, int inc) {
  if (n <= 0 || inc < 1 || a == 1.0 || !LinearWalkInside(n, off, inc, x.size())) return;
  if (a == 0.0) {
    // Stored, not multiplied: infinities and NaNs become 0 as well.
    DLoad(n, 0.0, x, off, inc);
    return;
  }
  Blas1::DScal(n, a, x.data() + off, inc);
}

double KzMathFun::DSum(int n, const std::vector<double>& x, int inc) {
  if (n <= 0) return 0.0;
  if (!LinearWalkInside(n, 0, inc, x.size())) return kMissing;
  if (inc == 0) return n * x[0];
  const Pos step = inc;
  Pos p = inc < 0 ? static_cast<Pos>(n - 1) * -step : 0;
  double sum = 0.0;
  for (int k = 0; k < n; ++k, p += step) sum = sum + x[static_cast<std::size_t>(p)];
  return sum;
}

void KzMathFun::IIAxpy(int n, double a, const std::vector<double>& x, int offx, int incx,
                       std::vector<double>& y, int offy, int incy) {
  if (n <= 0 || !GrowingWalkInside(n, offx, incx, x.size()) ||
      !GrowingWalkInside(n, offy, incy, y.size())) {
    return;
  }
  Pos px = offx;
  Pos py = offy;
  Pos sx = incx;
  Pos sy = incy;
  for (int k = 0; k < n; ++k, px += sx++, py += sy++) {
    y[static_cast<std::size_t>(py)] += a * x[static_cast<std::size_t>(px)];
  }
}

double KzMathFun::IIDot(int n, const std::vector<double>& x, int offx, int incx,
                        const std::vector<double>& y, int offy, int incy) {
  if (n <= 0) return 0.0;
  if (!GrowingWalkInside(n, offx, incx, x.size()) || !GrowingWalkInside(n, offy, incy, y.size())) {
    return kMissing;
  }
  Pos px = offx;
  Pos py = offy;
  Pos sx = incx;
  Pos sy = incy;
  double sum = 0.0;
  for (int k = 0; k < n; ++k, px += sx++, py += sy++) {
    sum = sum + x[static_cast<std::size_t>(px)] * y[static_cast<std::size_t>(py)];
  }
  return sum;
}

void KzMathFun::IIInit(int n, double value, std::vector<double>& x, int off, int inc) {
  if (n <= 0 || !GrowingWalkInside(n, off, inc, x.size())) return;
  Pos p = off;
  Pos s = inc;
  for (int k = 0; k < n; ++k, p += s++) x[static_cast<std::size_t>(p)] = value;
}

void KzMathFun::IIScal(int n, double a, std::vector<double>& x, int off, int inc) {
  if (n <= 0 || !GrowingWalkInside(n, off, inc, x.size())) return;
  Pos p = off;
  Pos s = inc;
  for (int k = 0; k < n; ++k, p += s++) x[static_cast<std::size_t>(p)] *= a;
}

void KzMathFun::LRZero(std::vector<double>& x, int off, int n) {
  if (n <= 0 || !LinearWalkInside(n, off, 1, x.size())) return;
  double* p = x.data() + off;
  for (int k = 0; k < n; ++k) p[k] = 0.0;
}

void KzMathFun::LTGltl(int n, std::vector<double>& L) {
  if (n <= 0 || L.size() < PackedSize(n)) return;
  const std::size_t un = static_cast<std::size_t>(n);
  double* const l = L.data();
  // (k, i) := sum_{m >= k} L(m, i) L(m, k). Column i is finished before any
  // later column is touched, and within it (k, i) is last read by its own sum
  // (rows below k read only rows below k), so the overwrite is safe in place.
  for (std::size_t i = 0; i < un; ++i) {
    for (std::size_t k = i; k < un; ++k) {
      double sum = 0.0;
      std::size_t row = PackedPos(k, 0);  // start of row m = k
      for (std::size_t m = k; m < un; ++m) {
        sum = sum + l[row + i] * l[row + k];
        row += m + 1;
      }
      l[PackedPos(k, i)] = sum;
    }
  }
}

double KzMathFun::RVD(const std::vector<double>& S, int n, int row, const std::vector<double>& v,
                      int inc) {
  if (n <= 0 || row < 0 || row >= n || inc < 0 || S.size() < PackedSize(n) ||
      !LinearWalkInside(n, 0, inc, v.size())) {
    return kMissing;
  }
  const std::size_t r = static_cast<std::size_t>(row);
  const std::size_t un = static_cast<std::size_t>(n);
  const std::size_t step = static_cast<std::size_t>(inc);
  // Left of the diagonal along the row, then down column `row`.
  const double* const rowStart = S.data() + PackedPos(r, 0);
  double sum = 0.0;
  for (std::size_t j = 0; j <= r; ++j) sum = sum + rowStart[j] * v[j * step];
  std::size_t p = PackedPos(r + 1, r);
  for (std::size_t j = r + 1; j < un; ++j) {
    sum = sum + S[p] * v[j * step];
    p += j + 1;
  }
  return sum;
}

double KzMathFun::VSV(const std::vector<double>& S, int n, const std::vector<double>& v) {
  if (n == 0) return 0.0;
  if (n < 0 || v.size() < static_cast<std::size_t>(n) || S.size() < PackedSize(n)) {
    return kMissing;
  }
  const std::size_t un = static_cast<std::size_t>(n);
  double result = 0.0;
  for (std::size_t i = 0; i < un; ++i) {
    const double* const rowStart = S.data() + PackedPos(i, 0);
    double t = 0.0;
    for (std::size_t k = 0; k <= i; ++k) t = t + rowStart[k] * v[k];
    std::size_t p = PackedPos(i + 1, i);
    for (std::size_t k = i + 1; k < un; ++k) {
      t = t + S[p] * v[k];
      p += k + 1;
    }
    result = result + t * v[i];
  }
  return result;
}

double KzMathFun::VMaxRelDiff(const std::vector<double>& a, const std::vector<double>& b,
                              double eps) {
  if (eps < 0.0) eps = -eps;
  if (eps == 0.0) eps = 1e-6;
  const std::size_t m = a.size() < b.size() ? a.size() : b.size();
  double worst = 0.0;
  for (std::size_t i = 0; i < m; ++i) {
    const double d = std::fabs(a[i] - b[i]) / (std::fabs(b[i]) + eps);
    // A NaN difference means an iterate has diverged: it must never read as
    // converged, so it counts as an infinite difference.
    if (std::isnan(d)) return std::numeric_limits<double>::infinity();
    if (d > worst) worst = d;
  }
  return worst;
}

double KzMathFun::VNrm1Diff(const std::vector<double>& a, const std::vector<double>& b) {
  const std::size_t m = a.size() < b.size() ? a.size() : b.size();
  double worst = 0.0;
  for (std::size_t i = 0; i < m; ++i) {
    const double d = std::fabs(a[i] - b[i]);
    if (d > worst) worst = d;
  }
  return worst;
}

int KzMathFun::BinSearch(const std::vector<double>& v, int lo, int hi, double x, bool closedLeft) {
  return IntervalSearch(v, lo, hi, x, closedLeft);
}

int KzMathFun::BinSearch(const std::vector<int>& v, int lo, int hi, int x, bool closedLeft) {
  return IntervalSearch(v, lo, hi, x, closedLeft);
}

double KzMathFun::Digamma(double x) {
  if (!(x > 1e-16)) return kMissing;
  // psi(x) = -gamma - 1/x + O(x) near 0.
  if (x < 1e-5) return -0.5772156649015329 - 1.0 / x;
  // Recurrence psi(x) = psi(x+10) - sum_{k=0}^{9} 1/(x+k), then the asymptotic
  // series of psi(y) in 1/y^2 (Bernoulli numbers B2..B12), whose first omitted
  // term is below 1e-15 relative for y >= 10.
  const double y = x + 10.0;
  const double b = 1.0 / (y * y);
  double result = std::log(y) - 0.5 / y +
                  b * (-0.08333333333333333 +
                       b * (0.008333333333333333 +
                            b * (-0.003968253968253968 +
                                 b * (0.004166666666666667 +
                                      b * (-0.007575757575757576 + b * 0.021092796092796094)))));
  // The shift terms 1/(y - k), k = 1..10, are formed as 1/(x + j), j = 9..0:
  // y - k would cancel the digits of x that x + 10 rounded away (a relative
  // error eps*10/x in the term 1/x, 1e-11 at x = 1e-5).
  double shift = 0.0;
  for (int j = 9; j >= 0; --j) shift = shift + 1.0 / (x + j);
  result = result - shift;
  return result;
}

double KzMathFun::Trigamma(double x) {
  if (!(x > 1e-16)) return kMissing;
  // psi'(x) = 1/x^2 + zeta(2) + O(x) near 0.
  if (x < 1e-4) return 1.0 / (x * x);
  // psi'(x) = psi'(x+10) + sum_{k=0}^{9} 1/(x+k)^2 and the asymptotic series of
  // psi'(y) = 1/y + 1/(2y^2) + sum B_2k / y^(2k+1).
  const double y = x + 10.0;
  const double a = 1.0 / (y * y);
  double shift = 0.0;  // 1/(y - k)^2 as 1/(x + j)^2, as in Digamma
  for (int j = 9; j >= 0; --j) {
    const double d = x + j;
    shift = shift + 1.0 / (d * d);
  }
  const double series =
      (1.0 + a * (1.0 / 6.0 +
                  a * (-1.0 / 30.0 +
                       a * (1.0 / 42.0 + a * (-1.0 / 30.0 + a * (0.07575757575757576 -
                                                                 a * 0.2531135531135531)))))) /
          y +
      a / 2.0;
  return shift + series;
}

bool KzMathFun::QLReps(double a, double b) {
  return b > 0.0 && std::fabs(a) < b * 2.220446049250313e-16;
}

}  // namespace KzMath_1_2
