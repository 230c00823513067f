// DGEFA/DGECO/DGESL against LAPACK dgetrf/dgetrs (same partial pivoting rule,
// different operation order) and against condition numbers from an explicit
// inverse.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

#include "kzcommon12r/math/kernels/Linpack.h"
#include "math/kernels/KernelsOracle.h"
#include "support/KzTestCompare.h"

using KzMath_1_2::Linpack;
using Vec = std::vector<double>;

namespace {

double MaxAbs(const Vec& v) {
  double m = 0.0;
  for (double x : v) m = std::max(m, std::fabs(x));
  return m;
}

double MaxAbsDiff(const Vec& a, const Vec& b) {
  double m = 0.0;
  for (std::size_t i = 0; i < a.size(); ++i) m = std::max(m, std::fabs(a[i] - b[i]));
  return m;
}

// b := A*x or trans(A)*x for the column-major A (leading dimension lda).
Vec Multiply(const Vec& a, int lda, int n, const Vec& x, bool trans) {
  Vec b(static_cast<std::size_t>(n), 0.0);
  for (int j = 0; j < n; ++j)
    for (int i = 0; i < n; ++i) {
      const double aij = a[static_cast<std::size_t>(j) * lda + i];
      if (trans) {
        b[static_cast<std::size_t>(j)] += aij * x[static_cast<std::size_t>(i)];
      } else {
        b[static_cast<std::size_t>(i)] += aij * x[static_cast<std::size_t>(j)];
      }
    }
  return b;
}

struct LapackLu {
  Vec a;
  std::vector<int> ipiv;
  int info = 0;
};

LapackLu LapackFactor(Vec a, int lda, int n) {
  LapackLu lu;
  lu.ipiv.assign(static_cast<std::size_t>(n), 0);
  dgetrf_(&n, &n, a.data(), &lda, lu.ipiv.data(), &lu.info);
  lu.a = std::move(a);
  return lu;
}

Vec LapackSolve(const LapackLu& lu, int lda, int n, Vec b, bool trans) {
  const int one = 1;
  int info = 0;
  dgetrs_(trans ? "T" : "N", &n, &one, lu.a.data(), &lda, lu.ipiv.data(), b.data(), &n, &info, 1);
  return b;
}

// Factors and solves both ways, comparing pivots (exactly), the U factor and
// the solutions with LAPACK; `tol` is the relative tolerance of the solutions.
void CheckAgainstLapack(const Vec& a0, int lda, int n, double tol, const char* what) {
  SCOPED_TRACE(::testing::Message() << what << " n=" << n << " lda=" << lda);
  Vec a = a0;
  std::vector<int> ipvt(static_cast<std::size_t>(n), -1);
  EXPECT_EQ(Linpack::Dgefa(a.data(), lda, n, ipvt.data()), 0);
  const LapackLu lu = LapackFactor(a0, lda, n);
  ASSERT_EQ(lu.info, 0);
  EXPECT_EQ(ipvt, lu.ipiv);  // same rows chosen, both 1-based
  // U: LINPACK applies each interchange to the columns on its right only, but
  // the upper triangle is the same matrix.
  double uScale = 0.0, uDiff = 0.0;
  for (int j = 0; j < n; ++j)
    for (int i = 0; i <= j; ++i) {
      const std::size_t p = static_cast<std::size_t>(j) * lda + i;
      uScale = std::max(uScale, std::fabs(lu.a[p]));
      uDiff = std::max(uDiff, std::fabs(a[p] - lu.a[p]));
    }
  EXPECT_LE(uDiff, 64 * n * std::numeric_limits<double>::epsilon() * uScale);
  // Rows beyond n in each column are never touched.
  for (int j = 0; j < n; ++j)
    for (int i = n; i < lda; ++i) EXPECT_EQ(a[static_cast<std::size_t>(j) * lda + i], 777.0);

  const Vec xTrue = kztest::RandomVector(static_cast<std::size_t>(n), 1000u + n);
  for (int job : {0, 1}) {
    const bool trans = job != 0;
    const Vec b = Multiply(a0, lda, n, xTrue, trans);
    Vec x = b;
    Linpack::Dgesl(a.data(), lda, n, ipvt.data(), x.data(), job);
    const Vec xl = LapackSolve(lu, lda, n, b, trans);
    EXPECT_LE(MaxAbsDiff(x, xl), tol * MaxAbs(xl)) << "job " << job;
    EXPECT_LE(MaxAbsDiff(x, xTrue), 10 * tol * MaxAbs(xTrue)) << "job " << job;
  }
}

TEST(LinpackGeneral, DgefaDgeslMatchLapackOnRandomMatrices) {
  for (int n : {1, 2, 3, 4, 5, 7, 16, 50, 131}) {
    for (int extra : {0, 3}) {
      const int lda = n + extra;
      CheckAgainstLapack(kztest::RandomMatrix(n, lda, 17u * n + extra), lda, n, 1e-11, "random");
    }
  }
}

TEST(LinpackGeneral, DgefaDgeslMatchLapackOnIllConditionedMatrices) {
  // Hilbert matrices: kappa_1 about 2.9e7 (n = 6) and 3.4e10 (n = 8).
  CheckAgainstLapack(kztest::Hilbert(6), 6, 6, 1e-8, "Hilbert");
  CheckAgainstLapack(kztest::Hilbert(8), 8, 8, 1e-5, "Hilbert");
  // A random matrix whose last column is nearly a combination of two others.
  const int n = 20;
  Vec a = kztest::RandomMatrix(n, n, 4242u);
  for (int i = 0; i < n; ++i) {
    a[static_cast<std::size_t>(n - 1) * n + i] = 0.5 * a[static_cast<std::size_t>(i)] -
                                                 2.0 * a[static_cast<std::size_t>(n) + i] +
                                                 1e-9 * std::sin(i + 1.0);
  }
  CheckAgainstLapack(a, n, n, 1e-5, "near rank deficient");
}

TEST(LinpackGeneral, DgefaReportsZeroPivots) {
  Vec ones = {1, 1, 1, 1};
  std::vector<int> ipvt(2, 0);
  EXPECT_EQ(Linpack::Dgefa(ones.data(), 2, 2, ipvt.data()), 2);
  EXPECT_EQ(ipvt, (std::vector<int>{1, 2}));
  // A zero first column: info names the last zero pivot, k = 1 here; the
  // elimination goes on with the later columns (pivot row 3 in column 2).
  Vec a = {0, 0, 0, 1, 3, 5, 2, 4, 7};
  std::vector<int> p3(3, 0);
  EXPECT_EQ(Linpack::Dgefa(a.data(), 3, 3, p3.data()), 1);
  EXPECT_EQ(p3, (std::vector<int>{1, 3, 3}));
  EXPECT_EQ(a[4], 5.0);
  // Empty matrix: nothing to factor and nothing written.
  int untouched = -7;
  EXPECT_EQ(Linpack::Dgefa(nullptr, 1, 0, &untouched), 0);
  EXPECT_EQ(untouched, -7);
  double one = 4.0;
  int p1 = 0;
  EXPECT_EQ(Linpack::Dgefa(&one, 1, 1, &p1), 0);
  EXPECT_EQ(p1, 1);
  double zero = 0.0;
  EXPECT_EQ(Linpack::Dgefa(&zero, 1, 1, &p1), 1);
}

// rcond lies in [1/kappa_1, 10 n/kappa_1]: the estimate of norm(inverse(a)) is
// a lower bound, and in practice within a factor 10n of it.
void CheckRcond(const Vec& a0, int n, const char* what) {
  SCOPED_TRACE(::testing::Message() << what << " n=" << n);
  const double kappa = kztest::Kappa1(a0, n);
  ASSERT_GT(kappa, 0.0);
  Vec a = a0, z(static_cast<std::size_t>(n), 0.0);
  std::vector<int> ipvt(static_cast<std::size_t>(n), 0);
  const double rcond = Linpack::Dgeco(a.data(), n, n, ipvt.data(), z.data());
  EXPECT_GE(rcond, (1.0 - 1e-6) / kappa);
  EXPECT_LE(rcond, 10.0 * n / kappa);
  // Dgeco leaves exactly the factors of Dgefa.
  Vec f = a0;
  std::vector<int> fp(static_cast<std::size_t>(n), 0);
  Linpack::Dgefa(f.data(), n, n, fp.data());
  EXPECT_EQ(a, f);
  EXPECT_EQ(ipvt, fp);
}

TEST(LinpackGeneral, DgecoBracketsTheConditionNumber) {
  for (int n : {1, 2, 3, 5, 10, 30, 80})
    CheckRcond(kztest::RandomMatrix(n, n, 300u + n), n, "random");
  for (int n : {3, 5, 8, 10}) CheckRcond(kztest::Hilbert(n), n, "Hilbert");
  // diag(1, 1e-9, 0.5): kappa_1 = 1e9. With e = (1, 1, 1), y = inverse(a)*e and
  // z = inverse(a)*y, the estimate is norm(y)/norm(z) = (1e9 + 3)/(1e18 + 5).
  Vec d = {1.0, 0, 0, 0, 1e-9, 0, 0, 0, 0.5};
  CheckRcond(d, 3, "diagonal");
  Vec dd = d, z(3);
  std::vector<int> ipvt(3);
  KZ_EXPECT_REL((1e9 + 3.0) / (1e18 + 5.0), Linpack::Dgeco(dd.data(), 3, 3, ipvt.data(), z.data()),
                kztest::ToDouble(kztest::Tol::k16Eps));
}

TEST(LinpackGeneral, DgecoGivesZeroForExactSingularity) {
  Vec ones = {1, 1, 1, 1}, z(2);
  std::vector<int> ipvt(2);
  EXPECT_EQ(Linpack::Dgeco(ones.data(), 2, 2, ipvt.data(), z.data()), 0.0);
  Vec zeros(9, 0.0), z3(3);
  std::vector<int> p3(3);
  EXPECT_EQ(Linpack::Dgeco(zeros.data(), 3, 3, p3.data(), z3.data()), 0.0);
  EXPECT_EQ(Linpack::Dgeco(nullptr, 1, 0, nullptr, nullptr), 0.0);
}

}  // namespace
