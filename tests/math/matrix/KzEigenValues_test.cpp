// Eigenvalues and eigenvectors of symmetric and generalised symmetric
// problems, against reference LAPACK DSYEV and DSYGV (itype 1), with residual,
// orthonormality and trace identities, on structured spectra.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <limits>
#include <string>
#include <vector>

#include "FactorTestUtil.h"
#include "kzcommon12r/math/matrix/KzEigenValues.h"
#include "kzcommon12r/math/matrix/KzRectMatrix.h"
#include "kzcommon12r/math/matrix/KzSymMatrix.h"
#include "support/KzDisplayCapture.h"
#include "support/KzMatrixBuilders.h"
#include "support/KzTestCompare.h"

extern "C" {
void dsyev_(const char* jobz, const char* uplo, const int* n, double* a, const int* lda, double* w,
            double* work, const int* lwork, int* info, std::size_t, std::size_t);
void dsygv_(const int* itype, const char* jobz, const char* uplo, const int* n, double* a,
            const int* lda, double* b, const int* ldb, double* w, double* work, const int* lwork,
            int* info, std::size_t, std::size_t);
void dpptrf_(const char* uplo, const int* n, double* ap, int* info, std::size_t);
}

namespace {

using KzMath_1_2::KzEigenValues;
using KzMath_1_2::KzRectMatrix;
using KzMath_1_2::KzSymMatrix;
using kztest::kEps;
using Full = std::vector<double>;  // row-major n x n, symmetric

std::size_t Ix(int i, int j, int n) { return static_cast<std::size_t>(i) * n + j; }

KzSymMatrix Sym(const Full& a, int n) { return kztest::SymOf(kztest::PackLower(a, n), n); }

// Ascending eigenvalues by DSYEV, or by DSYGV (itype 1) when e is given; with
// `vectors`, DSYEV's eigenvectors, one a row.
std::vector<double> RefEigen(Full a, int n, Full e = {}, Full* vectors = nullptr) {
  std::vector<double> w(static_cast<std::size_t>(n));
  int info = 0, lwork = 64 * n + 64, one = 1;
  std::vector<double> work(static_cast<std::size_t>(lwork));
  const char* jobz = vectors != nullptr ? "V" : "N";
  if (e.empty())
    dsyev_(jobz, "L", &n, a.data(), &n, w.data(), work.data(), &lwork, &info, 1, 1);
  else
    dsygv_(&one, "N", "L", &n, a.data(), &n, e.data(), &n, w.data(), work.data(), &lwork, &info,
           1, 1);
  EXPECT_EQ(0, info);
  if (vectors != nullptr) *vectors = a;  // column-major columns are row-major rows
  return w;
}

double Norm1(const Full& a, int n) {
  double m = 0.0;
  for (int i = 0; i < n; ++i) {
    double s = 0.0;
    for (int j = 0; j < n; ++j) s += std::fabs(a[Ix(i, j, n)]);
    m = std::max(m, s);
  }
  return m;
}

Full RandomSym(int n, unsigned seed) {
  const std::vector<double> v = kztest::RandomVector(n * n, seed);
  Full a(v.size());
  for (int i = 0; i < n; ++i)
    for (int j = 0; j < n; ++j) a[Ix(i, j, n)] = v[Ix(std::max(i, j), std::min(i, j), n)];
  return a;
}

// Q D Qᵀ with the spectrum d(0..n-1), Q orthogonal (the eigenvectors of a
// random symmetric matrix).
Full WithSpectrum(int n, double (*d)(int), unsigned seed) {
  Full q;
  RefEigen(RandomSym(n, seed), n, {}, &q);
  Full a(static_cast<std::size_t>(n) * n, 0.0);
  for (int k = 0; k < n; ++k)
    for (int i = 0; i < n; ++i)
      for (int j = 0; j < n; ++j) a[Ix(i, j, n)] += d(k) * q[Ix(k, i, n)] * q[Ix(k, j, n)];
  return a;
}

Full FromPacked(const std::vector<double>& p, int n) { return kztest::UnpackSym(p, n); }

// The graded matrix D A D, D = diag(10^-6 .. 10^6): eigenvalues over 1e-12..1e12.
Full GradedMatrix(int n, unsigned seed) {
  Full a = FromPacked(kztest::RandomSpdPacked(n, seed), n);
  for (int i = 0; i < n; ++i)
    for (int j = 0; j < n; ++j)
      a[Ix(i, j, n)] *= std::pow(10.0, -6.0 + 12.0 * (i + j) / (2.0 * (n - 1)));
  return a;
}

// Wilkinson's W(n)+: diagonal |(n-1)/2 - i|, off-diagonal 1; pairs of
// eigenvalues agreeing to many digits.
Full Wilkinson(int n) {
  Full a(static_cast<std::size_t>(n) * n, 0.0);
  for (int i = 0; i < n; ++i) {
    a[Ix(i, i, n)] = std::fabs((n - 1) / 2.0 - i);
    if (i > 0) a[Ix(i, i - 1, n)] = a[Ix(i - 1, i, n)] = 1.0;
  }
  return a;
}

struct OracleCase {
  std::string name;
  int n;
  Full h;
  Full e;     // empty: the ordinary problem
  int rankE;  // rows 0..rankE-1 of E are its non-redundant ones
  double tol = kEps;
};

std::vector<OracleCase> OracleCases() {
  std::vector<OracleCase> c;
  c.push_back({"random8", 8, RandomSym(8, 1), {}, 8});
  c.push_back({"random100", 100, RandomSym(100, 2), {}, 100});
  c.push_back({"repeated", 12, WithSpectrum(12, [](int i) { return 1.0 + i / 4; }, 3), {}, 12});
  c.push_back({"clustered", 12, WithSpectrum(12, [](int i) { return 1.0 + 1e-10 * i; }, 4), {}, 12});
  c.push_back({"zeros", 12, WithSpectrum(12, [](int i) { return i < 5 ? 0.0 : i - 7.0; }, 5), {}, 12});
  c.push_back({"zero matrix", 5, Full(25, 0.0), {}, 5});
  c.push_back({"graded spectrum", 25, WithSpectrum(25, [](int i) { return std::pow(10.0, i - 12.0); }, 6), {}, 25});
  c.push_back({"graded matrix", 25, GradedMatrix(25, 7), {}, 25});
  c.push_back({"wilkinson21", 21, Wilkinson(21), {}, 21});
  c.push_back({"hilbert12", 12, kztest::HilbertRowMajor(12, 12), {}, 12});
  c.push_back({"one", 1, Full{-2.5}, {}, 1});
  c.push_back({"spd E", 50, RandomSym(50, 8), FromPacked(kztest::RandomSpdPacked(50, 9), 50), 50});
  c.push_back({"hilbert with E", 10, kztest::HilbertRowMajor(10, 10),
               WithSpectrum(10, [](int i) { return 1.0 + i; }, 10), 10});
  c.push_back({"singular E", 12, RandomSym(12, 11), FromPacked(kztest::KnownRankSymPacked(12, 8, 12), 12), 8, 1e-12});
  c.push_back({"random100 default tolerance", 100, RandomSym(100, 2), {}, 100, 1e-12});
  return c;
}

// The leading k x k block (the identity of order k for an empty a).
Full Leading(const Full& a, int n, int k) {
  Full b(static_cast<std::size_t>(k) * k, 0.0);
  for (int i = 0; i < k; ++i)
    for (int j = 0; j < k; ++j) b[Ix(i, j, k)] = a.empty() ? (i == j) : a[Ix(i, j, n)];
  return b;
}

// One sweep over structured spectra, each case at tolerance t, with
// slack = n·eps + 2t (the iteration neglects off-diagonal elements up to
// t·||H||). Eigenvalues agree with LAPACK to slack·||H|| / λmin(E); the vector
// x = L⁻ᵀ y (x = y for the ordinary problem, E = I) of each eigenvalue
// satisfies ||H x - λ E x|| <= slack·(||H|| + |λ| ||E||)·||x||, and the x are
// orthonormal in the E inner product; for the ordinary problem the
// eigenvalues sum to the trace. With a singular E the reference is DSYGV on
// its non-redundant rows, plus a zero eigenvalue per redundant row, whose
// vector y lies outside those rows.
TEST(KzEigenValues, OracleSweep) {
  for (const OracleCase& c : OracleCases()) {
    SCOPED_TRACE(c.name);
    const int n = c.n, k = c.rankE;
    const bool general = !c.e.empty();
    KzEigenValues ev(Sym(c.h, n), c.tol, 30);
    if (general) {
      ASSERT_TRUE(ev.SetEMatrix(Sym(c.e, n)));
    }
    std::vector<double> values;
    KzRectMatrix y;
    ASSERT_EQ(n, ev.GetSorted(values, y, false));
    const double slack = n * kEps + 2.0 * c.tol;

    const Full hk = Leading(c.h, n, k), ek = Leading(c.e, n, k);
    std::vector<double> ref = RefEigen(hk, k, general ? ek : Full{});
    ref.insert(ref.end(), static_cast<std::size_t>(n - k), 0.0);
    std::sort(ref.begin(), ref.end());
    const double normH = Norm1(c.h, n), normE = Norm1(ek, k), lminE = RefEigen(ek, k).front();
    double trace = 0.0, sum = 0.0;
    for (int i = 0; i < n; ++i) {
      EXPECT_NEAR(ref[static_cast<std::size_t>(i)], values[static_cast<std::size_t>(i)],
                  slack * normH / std::min(lminE, 1.0)) << i;
      trace += c.h[Ix(i, i, n)];
      sum += values[static_cast<std::size_t>(i)];
    }
    if (!general) {
      EXPECT_NEAR(trace, sum, slack * normH);
    }

    // L of E's non-redundant block by DPPTRF ("U" on the packed lower triangle
    // by rows); x = L⁻ᵀ y by back substitution.
    std::vector<double> lk = kztest::PackLower(ek, k);
    int info = 0;
    dpptrf_("U", &k, lk.data(), &info, 1);
    ASSERT_EQ(0, info);
    std::vector<double> xs;  // the x of the kept pairs, row by row
    for (int i = 0; i < n; ++i) {
      std::vector<double> x(static_cast<std::size_t>(k));
      double yk = 0.0;
      for (int j = 0; j < k; ++j) x[static_cast<std::size_t>(j)] = y.GetElem(i, j), yk += y.GetElem(i, j) * y.GetElem(i, j);
      if (yk < 0.5) {  // a redundant direction of E
        EXPECT_EQ(0.0, values[static_cast<std::size_t>(i)]);
        continue;
      }
      for (int j = k - 1; j >= 0; --j) {
        double s = x[static_cast<std::size_t>(j)];
        for (int t = j + 1; t < k; ++t) s -= lk[kztest::Packed(t) + j] * x[static_cast<std::size_t>(t)];
        x[static_cast<std::size_t>(j)] = s / lk[kztest::Packed(j) + j];
      }
      const double lambda = values[static_cast<std::size_t>(i)];
      double res = 0.0, xn = 0.0;
      for (int r = 0; r < k; ++r) {
        double s = 0.0;
        for (int t = 0; t < k; ++t) s += (hk[Ix(r, t, k)] - lambda * ek[Ix(r, t, k)]) * x[static_cast<std::size_t>(t)];
        res += s * s;
        xn += x[static_cast<std::size_t>(r)] * x[static_cast<std::size_t>(r)];
      }
      EXPECT_LE(std::sqrt(res), slack * (normH + std::fabs(lambda) * normE) * std::sqrt(xn)) << i;
      xs.insert(xs.end(), x.begin(), x.end());
    }
    const int kept = static_cast<int>(xs.size()) / std::max(k, 1);
    EXPECT_EQ(k, kept);
    for (int a = 0; a < kept; ++a)
      for (int b = 0; b <= a; ++b) {
        double s = 0.0;
        for (int r = 0; r < k; ++r)
          for (int t = 0; t < k; ++t) s += xs[Ix(a, r, k)] * ek[Ix(r, t, k)] * xs[Ix(b, t, k)];
        EXPECT_NEAR(a == b ? 1.0 : 0.0, s, 2 * n * kEps * normE / lminE) << a << "," << b;
      }
  }
}

// Largest ||H x - λ x|| / ||H|| over the rows of x (unit eigenvectors of H)
// and the values.
double WorstResidual(const Full& h, int n, const std::vector<double>& values,
                     const KzRectMatrix& x, int rows) {
  double worst = 0.0;
  for (int i = 0; i < rows; ++i) {
    double res = 0.0;
    for (int r = 0; r < n; ++r) {
      double s = -values[static_cast<std::size_t>(i)] * x.GetElem(i, r);
      for (int t = 0; t < n; ++t) s += h[Ix(r, t, n)] * x.GetElem(i, t);
      res += s * s;
    }
    worst = std::max(worst, std::sqrt(res) / Norm1(h, n));
  }
  return worst;
}

// A negative definite matrix of which two sweeps per eigenvalue find only
// some eigenvalues.
Full NegativeDefinite(int n) {
  Full h = RandomSym(n, 51);
  for (int i = 0; i < n; ++i) h[Ix(i, i, n)] -= 2.0 * n;
  return h;
}

// A matrix whose order is -1 (a failed sizing).
struct InvalidSym : KzSymMatrix {
  InvalidSym() { SetInvalid(); }
};

TEST(KzEigenValues, SmallCases) {
  std::vector<double> v;
  // diag(3, 1): already diagonal, delivered as (3, 1); sorted both ways.
  KzEigenValues diag(kztest::SymOf({3, 0, 1}, 2), 1e-12, 30);
  EXPECT_EQ(2, diag.Compute(v));
  EXPECT_EQ((std::vector<double>{3, 1}), v);
  EXPECT_EQ(2, diag.GetSorted(v, true));
  EXPECT_EQ((std::vector<double>{3, 1}), v);
  EXPECT_EQ(2, diag.GetSorted(v, false));
  EXPECT_EQ((std::vector<double>{1, 3}), v);

  // ((2, 1), (1, 2)): 3 and 1, vectors ±(1, 1)/√2 and ±(1, -1)/√2.
  KzEigenValues two(kztest::SymOf({2, 1, 2}, 2), 1e-12, 30);
  KzRectMatrix x;
  ASSERT_EQ(2, two.GetSorted(v, x, true));
  EXPECT_NEAR(3.0, v[0], 4 * kEps);
  EXPECT_NEAR(1.0, v[1], 4 * kEps);
  for (int i = 0; i < 2; ++i)
    for (int j = 0; j < 2; ++j) EXPECT_NEAR(std::sqrt(0.5), std::fabs(x.GetElem(i, j)), 4 * kEps);
  EXPECT_GT(x.GetElem(0, 0) * x.GetElem(0, 1), 0.0);
  EXPECT_LT(x.GetElem(1, 0) * x.GetElem(1, 1), 0.0);

  // E = 2I halves them; an E of order 3 is refused and E becomes the identity.
  ASSERT_TRUE(two.SetEMatrix(kztest::SymOf({2, 0, 2}, 2)));
  ASSERT_EQ(2, two.GetSorted(v, true));
  EXPECT_NEAR(1.5, v[0], 4 * kEps);
  EXPECT_NEAR(0.5, v[1], 4 * kEps);
  EXPECT_FALSE(two.SetEMatrix(KzSymMatrix(3)));
  EXPECT_FALSE(two.IsValidEMatrix());
  ASSERT_EQ(2, two.GetSorted(v, true));
  EXPECT_NEAR(3.0, v[0], 4 * kEps);

  // E = diag(1, 0): rank 1, M = diag(H(0, 0), 0) for H = ((2, 1), (1, 3)).
  KzEigenValues semi(kztest::SymOf({2, 1, 3}, 2), kztest::SymOf({1, 0, 0}, 2), 1e-12, 30);
  EXPECT_TRUE(semi.IsValidEMatrix());
  ASSERT_EQ(2, semi.GetSorted(v, true));
  EXPECT_EQ((std::vector<double>{2, 0}), v);
  // An E of rank 0 is refused.
  EXPECT_FALSE(semi.SetEMatrix(KzSymMatrix(2)));

  // No matrix, or an invalid one: -2, values untouched.
  v = {7.0};
  for (KzEigenValues none : {KzEigenValues(), KzEigenValues(InvalidSym(), 1e-12, 30)}) {
    KzRectMatrix unused;
    EXPECT_EQ(-2, none.Compute(v));
    EXPECT_EQ(-2, none.Compute(v, unused));
    EXPECT_EQ(-2, none.GetSorted(v, false));
    EXPECT_EQ(-2, none.GetSorted(v, unused, true));
    EXPECT_EQ(std::vector<double>{7.0}, v);
    EXPECT_EQ(0, unused.GetNRows());
  }
}

TEST(KzEigenValues, SettersRefuseBadValuesAndForgetResults) {
  // Tolerances must lie strictly between 0 and 1; iteration limits above 0.
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  KzEigenValues ev(1.5, -2);
  EXPECT_EQ(1e-12, ev.GetTolerance());
  EXPECT_EQ(30, ev.GetMaxIter());
  for (double t : {0.0, -1e-3, 1.0, 2.0, nan, inf}) EXPECT_FALSE(ev.SetTolerance(t)) << t;
  EXPECT_EQ(1e-12, ev.GetTolerance());
  EXPECT_TRUE(ev.SetTolerance(0.5));
  EXPECT_EQ(0.5, ev.GetTolerance());
  for (int m : {0, -1}) EXPECT_FALSE(ev.SetMaxIter(m)) << m;
  EXPECT_EQ(30, ev.GetMaxIter());

  // Results of the last computation are dropped by every setter: GetSorted
  // then computes afresh.
  const int n = 12;
  const Full h1 = NegativeDefinite(n), h2 = RandomSym(n, 22);
  std::vector<double> v;
  KzEigenValues lim(Sym(h1, n), 1e-12, 2);
  const int partial = lim.Compute(v);
  EXPECT_GT(partial, 0);
  EXPECT_LT(partial, n);
  ASSERT_TRUE(lim.SetMaxIter(30));
  EXPECT_EQ(n, lim.GetSorted(v, false));
  lim.SetHMatrix(Sym(h2, n));
  ASSERT_EQ(n, lim.GetSorted(v, false));
  const std::vector<double> ref = RefEigen(h2, n);
  for (int i = 0; i < n; ++i) EXPECT_NEAR(ref[static_cast<std::size_t>(i)], v[static_cast<std::size_t>(i)], 1e-11);
}

TEST(KzEigenValues, NewHKeepsTheReductionByECurrent) {
  const int n = 6;
  const KzSymMatrix e = kztest::SymOf(kztest::RandomSpdPacked(n, 31), n);
  const KzSymMatrix h2 = Sym(RandomSym(n, 33), n);
  std::vector<double> v, fresh;
  KzEigenValues ev(Sym(RandomSym(n, 32), n), e, 1e-12, 30);
  ASSERT_EQ(n, ev.GetSorted(v, false));
  // Same order: M is formed again from the new H.
  ev.SetHMatrix(h2);
  EXPECT_TRUE(ev.IsValidEMatrix());
  ASSERT_EQ(n, ev.GetSorted(v, false));
  KzEigenValues(h2, e, 1e-12, 30).GetSorted(fresh, false);
  EXPECT_EQ(fresh, v);
  // Another order: E no longer fits and is dropped.
  const Full h3 = RandomSym(n + 1, 34);
  ev.SetHMatrix(Sym(h3, n + 1));
  EXPECT_FALSE(ev.IsValidEMatrix());
  ASSERT_EQ(n + 1, ev.GetSorted(v, false));
  KzEigenValues(Sym(h3, n + 1), 1e-12, 30).GetSorted(fresh, false);
  EXPECT_EQ(fresh, v);
}

// Once vectors were asked for, a values-only computation still transforms
// them back, so that GetSorted returns eigenvectors of H.
TEST(KzEigenValues, VectorsAreTransformedBackAfterEveryComputation) {
  const int n = 8;
  const Full h = RandomSym(n, 41);
  KzEigenValues ev(Sym(h, n), kEps, 30);
  std::vector<double> v;
  KzRectMatrix x;
  ASSERT_EQ(n, ev.Compute(v, x));
  EXPECT_LT(WorstResidual(h, n, v, x, n), n * kEps);
  ASSERT_EQ(n, ev.Compute(v));
  ASSERT_EQ(n, ev.GetSorted(v, x, false));
  EXPECT_LT(WorstResidual(h, n, v, x, n), n * kEps);
}

TEST(KzEigenValues, IterationLimit) {
  std::vector<double> v;
  KzRectMatrix x;
  // A 2 x 2 matrix converges in one sweep (its shift is exact), which is
  // within a limit of 1.
  KzEigenValues two(kztest::SymOf({2, 1, 2}, 2), 1e-12, 1);
  EXPECT_EQ(2, two.Compute(v));

  // Negative eigenvalues with a limit that stops the iteration part way: the
  // computed values are sorted, the zeros of the others stay behind them, and
  // the vectors follow their values.
  const int n = 12;
  const Full h = NegativeDefinite(n);
  KzEigenValues ev(Sym(h, n), 1e-12, 2);
  const int r = ev.Compute(v, x);
  ASSERT_GT(r, 0);
  ASSERT_LT(r, n);
  const std::vector<double> delivered(v.begin(), v.begin() + r);
  for (int i = r; i < n; ++i) {
    EXPECT_EQ(0.0, v[static_cast<std::size_t>(i)]);
    for (int j = 0; j < n; ++j) EXPECT_EQ(0.0, x.GetElem(i, j));
  }
  EXPECT_LT(WorstResidual(h, n, v, x, r), 1e-10);
  for (bool descending : {false, true}) {
    ASSERT_EQ(r, ev.GetSorted(v, descending));
    std::vector<double> expect = delivered;
    std::sort(expect.begin(), expect.end());
    if (descending) std::reverse(expect.begin(), expect.end());
    expect.resize(static_cast<std::size_t>(n), 0.0);
    EXPECT_EQ(expect, v);
    ASSERT_EQ(r, ev.GetSorted(v, x, descending));
    EXPECT_EQ(expect, v);
    EXPECT_LT(WorstResidual(h, n, v, x, r), 1e-10);
  }
}

// A tridiagonal matrix whose entries span 2^-274..2^229 drives both
// components of the QL bulge to zero (underflow) part way through a sweep.
// Found by a search over random graded tridiagonal matrices.
TEST(KzEigenValues, VanishedBulgeSplitsTheMatrix) {
  const int n = 4;
  Full h(16, 0.0);
  h[Ix(1, 1, n)] = 0x1p-239;
  const double sub[3] = {-0x1.8p-274, 0x1p+229, -0x1.8p-143};
  for (int i = 1; i < n; ++i) h[Ix(i, i - 1, n)] = h[Ix(i - 1, i, n)] = sub[i - 1];
  KzEigenValues ev(Sym(h, n), 1e-12, 30);
  std::vector<double> v;
  ASSERT_EQ(n, ev.GetSorted(v, false));
  const std::vector<double> ref = RefEigen(h, n);
  for (int i = 0; i < n; ++i)
    EXPECT_NEAR(ref[static_cast<std::size_t>(i)], v[static_cast<std::size_t>(i)], n * kEps * Norm1(h, n));
}

TEST(KzEigenValues, NonFiniteInputIsNotReportedAsComputed) {
  std::vector<double> v{7.0};
  KzEigenValues nanH(kztest::SymOf({1, 0, 1, std::nan(""), 0, 1}, 3), 1e-12, 30);
  EXPECT_EQ(0, nanH.Compute(v));
  EXPECT_EQ(std::vector<double>{7.0}, v);
  KzEigenValues ev(kztest::SymOf({2, 1, 2}, 2), 1e-12, 30);
  EXPECT_FALSE(ev.SetEMatrix(kztest::SymOf({1, 0, std::numeric_limits<double>::infinity()}, 2)));
  EXPECT_FALSE(ev.IsValidEMatrix());
}

// The packed display of an order-2 matrix with the given rows.
std::string Sym2Text(const std::string& row0, const std::string& row1) {
  return "\nKzSymMatrixData display start\nThe number of rows = 2\nThe number of blocks = 1"
         "\nThe block size = 2\nLower triangular (number of elements = 3, number of rows = 2)"
         "\nrow  0: \n  " + row0 + "\nrow  1: \n  " + row1 + "\nKzSymMatrixData display end";
}

// Every field in order, for H = diag(3, 1), E = diag(4, 1), after a sorted
// computation with vectors (all values exact).
TEST(KzEigenValues, Display) {
  KzEigenValues ev(kztest::SymOf({3, 0, 1}, 2), kztest::SymOf({4, 0, 1}, 2), 1e-12, 30);
  std::vector<double> v;
  KzRectMatrix x;
  ASSERT_EQ(2, ev.GetSorted(v, x, true));
  kztest::DisplayCapture capture;
  ev.Display();
  EXPECT_EQ("\nKzEigenValues display start\nNumber of rows = 2\nTolerance = 1e-12"
            "\nMaximum number of iterations = 30\nCompute eigenvectors indicator = true"
            "\nMatrix H:" + Sym2Text("3", "0 1") +
            "\nMatrix E:" + Sym2Text("4", "0 1") + "\nfvEDiag (size = 2)\n  4 1" +
            "\nChol(E):" + Sym2Text("2", "0 1") +
            "\nGen.Inverse of Chol(E):" + Sym2Text("0.5", "-0 1") +
            "\nfmVHV:" + Sym2Text("0.75", "0 1") + "\nRank of the E matrix = 2" +
            "\nfmOrthInfo:" + Sym2Text("0", "0 0") + "\n" +
            "\nfvDiag3 (size = 2)\n  0.75 1\nfvSubdiag3 (size = 2)\n  0 0"
            "\nNumber of computed eigenvalues = 2\nfvEigenVal (size = 2)\n  0.75 1"
            "\nfmEigenVectors:\nKzRectMatrixData display start\nNumber of rows = 2"
            "\nNumber of columns = 2\nrow  0: \n  1 0\nrow  1: \n  0 1"
            "\nKzRectMatrixData display end\n"
            "\nfvEigPairs (size = 2)\n  1 1\n  0.75 0\nKzEigenValues display end",
            capture.Text());
  // Without E, vectors or results: the identity line, then the count.
  capture.Take();
  KzEigenValues().Display();
  EXPECT_NE(std::string::npos, capture.Text().find("KzSymMatrixData display end\nMatrix E is identity"
                                                   "\nNumber of computed eigenvalues = 0\nKzEigenValues display end"));
}

}  // namespace
