// DSPFA/DSPCO/DSPSL against LAPACK dsptrf/dsptrs on the same packed memory: the
// lower triangle by rows (this library's symmetric storage) read by both as the
// upper triangle by columns. LAPACK's Bunch-Kaufman tests come in another order,
// so pivots may differ; solutions and det(A) = det(D) must agree.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "kzcommon12r/math/kernels/Linpack.h"
#include "math/kernels/KernelsOracle.h"
#include "support/KzTestCompare.h"

using KzMath_1_2::Linpack;
using kztest::Pk;
using Vec = std::vector<double>;

namespace {

Vec RandomPacked(int n, std::uint32_t seed) {
  return kztest::RandomVector(static_cast<std::size_t>(n) * (n + 1) / 2, seed);
}

// Random symmetric with a zero diagonal: every step needs a 2-by-2 block or an
// interchange.
Vec ZeroDiagonal(int n, std::uint32_t seed) {
  Vec ap = RandomPacked(n, seed);
  for (int i = 0; i < n; ++i) ap[Pk(i, i)] = 0.0;
  return ap;
}

Vec Multiply(const Vec& ap, int n, const Vec& x) {
  Vec b(static_cast<std::size_t>(n), 0.0);
  for (int i = 0; i < n; ++i)
    for (int j = 0; j < n; ++j)
      b[static_cast<std::size_t>(i)] += ap[Pk(i, j)] * x[static_cast<std::size_t>(j)];
  return b;
}

double MaxAbs(const Vec& v) {
  double m = 0.0;
  for (double x : v) m = std::max(m, std::fabs(x));
  return m;
}

// log10 |det(D)| and its sign from the block diagonal of a factored packed
// matrix; ipiv < 0 marks a 2-by-2 block (same encoding in LINPACK and LAPACK).
struct LogDet {
  double log10Abs = 0.0;
  int sign = 1;
};

LogDet DetOfD(const Vec& ap, const std::vector<int>& piv, int n) {
  LogDet d;
  auto take = [&d](double v) {
    if (v < 0) d.sign = -d.sign;
    d.log10Abs += std::log10(std::fabs(v));
  };
  for (int k = 0; k < n;) {
    if (piv[static_cast<std::size_t>(k)] < 0) {
      const double a = ap[Pk(k, k)], b = ap[Pk(k, k + 1)], c = ap[Pk(k + 1, k + 1)];
      take(a * c - b * b);
      k += 2;
    } else {
      take(ap[Pk(k, k)]);
      k += 1;
    }
  }
  return d;
}

struct Outcome {
  int blocks2 = 0;
  int swaps = 0;
};

Outcome CheckAgainstLapack(const Vec& ap0, int n, double tol, const char* what) {
  SCOPED_TRACE(::testing::Message() << what << " n=" << n);
  Outcome out;
  Vec ap = ap0;
  std::vector<int> kpvt(static_cast<std::size_t>(n), 0);
  EXPECT_EQ(Linpack::Dspfa(ap.data(), n, kpvt.data()), 0);
  for (int k = 1; k <= n; ++k) {
    const int p = kpvt[static_cast<std::size_t>(k - 1)];
    if (p < 0) {
      // A 2-by-2 block: both entries equal, the block's first row 1-based.
      EXPECT_EQ(kpvt[static_cast<std::size_t>(k)], p);
      EXPECT_TRUE(-p <= k) << "kpvt " << p << " at " << k;
      if (-p != k) ++out.swaps;
      ++out.blocks2;
      ++k;
    } else {
      EXPECT_TRUE(p >= 1 && p <= k) << "kpvt " << p << " at " << k;
      if (p != k) ++out.swaps;
    }
  }
  Vec lp = ap0;
  std::vector<int> ipiv(static_cast<std::size_t>(n), 0);
  int info = 0;
  dsptrf_("U", &n, lp.data(), ipiv.data(), &info, 1);
  EXPECT_EQ(info, 0);

  const LogDet ours = DetOfD(ap, kpvt, n);
  const LogDet theirs = DetOfD(lp, ipiv, n);
  EXPECT_EQ(ours.sign, theirs.sign);  // same inertia parity
  EXPECT_NEAR(ours.log10Abs, theirs.log10Abs, 1e-10 * (1.0 + std::fabs(theirs.log10Abs)));

  const Vec xTrue = kztest::RandomVector(static_cast<std::size_t>(n), 77u + n);
  const Vec b = Multiply(ap0, n, xTrue);
  Vec x = b;
  Linpack::Dspsl(ap.data(), n, kpvt.data(), x.data());
  Vec xl = b;
  const int one = 1;
  dsptrs_("U", &n, &one, lp.data(), ipiv.data(), xl.data(), &n, &info, 1);
  double diff = 0.0, err = 0.0;
  for (int i = 0; i < n; ++i) {
    diff =
        std::max(diff, std::fabs(x[static_cast<std::size_t>(i)] - xl[static_cast<std::size_t>(i)]));
    err = std::max(err,
                   std::fabs(x[static_cast<std::size_t>(i)] - xTrue[static_cast<std::size_t>(i)]));
  }
  EXPECT_LE(diff, tol * MaxAbs(xl));
  EXPECT_LE(err, 10 * tol * MaxAbs(xTrue));
  return out;
}

TEST(LinpackIndefinite, DspfaDspslMatchLapackOnRandomMatrices) {
  int blocks2 = 0, swaps = 0;
  for (int n : {1, 2, 3, 4, 5, 8, 20, 60, 150}) {
    const Outcome o = CheckAgainstLapack(RandomPacked(n, 900u + n), n, 1e-10, "random");
    blocks2 += o.blocks2;
    swaps += o.swaps;
  }
  // The random set exercises both block sizes and interchanges.
  EXPECT_GT(blocks2, 0);
  EXPECT_GT(swaps, 0);
}

TEST(LinpackIndefinite, TwoByTwoPivotsAndInterchanges) {
  // [[0, 1], [1, 0]]: one 2-by-2 block, no interchange (kpvt = 1 - k = -1).
  Vec ap = {0.0, 1.0, 0.0};
  std::vector<int> kpvt(2, 0);
  EXPECT_EQ(Linpack::Dspfa(ap.data(), 2, kpvt.data()), 0);
  EXPECT_EQ(kpvt, (std::vector<int>{-1, -1}));
  Vec b = {3.0, 5.0};
  Linpack::Dspsl(ap.data(), 2, kpvt.data(), b.data());
  EXPECT_EQ(b, (Vec{5.0, 3.0}));
  for (int n : {3, 4, 7, 12, 41}) {
    const Outcome o = CheckAgainstLapack(ZeroDiagonal(n, 500u + n), n, 1e-9, "zero diagonal");
    EXPECT_GT(o.blocks2, 0);
  }
}

TEST(LinpackIndefinite, IllConditioned) {
  // Hilbert matrix of order 8 (kappa_1 about 3.4e10) shifted to be indefinite.
  const int n = 8;
  Vec ap(static_cast<std::size_t>(n * (n + 1) / 2));
  for (int i = 0; i < n; ++i)
    for (int j = 0; j <= i; ++j) ap[Pk(i, j)] = 1.0 / (i + j + 1) - (i == j && i % 2 ? 1.0 : 0.0);
  CheckAgainstLapack(ap, n, 1e-8, "shifted Hilbert");
}

void CheckRcond(const Vec& ap0, int n, const char* what) {
  SCOPED_TRACE(::testing::Message() << what << " n=" << n);
  const double kappa = kztest::Kappa1(kztest::Unpack(ap0, n), n);
  ASSERT_GT(kappa, 0.0);
  Vec ap = ap0, z(static_cast<std::size_t>(n));
  std::vector<int> kpvt(static_cast<std::size_t>(n));
  const double rcond = Linpack::Dspco(ap.data(), n, kpvt.data(), z.data());
  EXPECT_GE(rcond, (1.0 - 1e-6) / kappa);
  EXPECT_LE(rcond, 10.0 * n / kappa);
  Vec f = ap0;
  std::vector<int> fp(static_cast<std::size_t>(n));
  Linpack::Dspfa(f.data(), n, fp.data());
  EXPECT_EQ(ap, f);  // Dspco leaves exactly the factors of Dspfa
  EXPECT_EQ(kpvt, fp);
}

TEST(LinpackIndefinite, DspcoBracketsTheConditionNumber) {
  for (int n : {1, 2, 3, 6, 15, 40, 90}) CheckRcond(RandomPacked(n, 60u + n), n, "random");
  for (int n : {4, 9, 16}) CheckRcond(ZeroDiagonal(n, 70u + n), n, "zero diagonal");
  for (int n : {4, 7, 9}) {
    Vec h(static_cast<std::size_t>(n * (n + 1) / 2));
    for (int i = 0; i < n; ++i)
      for (int j = 0; j <= i; ++j) h[Pk(i, j)] = 1.0 / (i + j + 1);
    CheckRcond(h, n, "Hilbert");
  }
  // diag(2, -1e-7, 4): norm 4, y = |inverse(a)|*e = (1/2, 1e7, 1/4) and
  // z = |inverse(a)|*y = (1/4, 1e14, 1/16), so rcond = (norm(y)/norm(z))/4.
  Vec d = {2.0, 0.0, -1e-7, 0.0, 0.0, 4.0};
  Vec z(3);
  std::vector<int> kpvt(3);
  KZ_EXPECT_REL((1e7 + 0.75) / (1e14 + 0.3125) / 4.0,
                Linpack::Dspco(d.data(), 3, kpvt.data(), z.data()),
                kztest::ToDouble(kztest::Tol::k16Eps));
}

TEST(LinpackIndefinite, SingularMatrices) {
  Vec ones = {1.0, 1.0, 1.0};  // [[1, 1], [1, 1]]
  std::vector<int> kpvt(2, 0);
  EXPECT_EQ(Linpack::Dspfa(ones.data(), 2, kpvt.data()), 1);
  EXPECT_EQ(kpvt, (std::vector<int>{1, 2}));
  Vec zeros(6, 0.0), z(3);
  std::vector<int> k3(3, 0);
  EXPECT_NE(Linpack::Dspfa(zeros.data(), 3, k3.data()), 0);
  EXPECT_EQ(k3, (std::vector<int>{1, 2, 3}));
  Vec zeros2(6, 0.0);
  EXPECT_EQ(Linpack::Dspco(zeros2.data(), 3, k3.data(), z.data()), 0.0);
  Vec ones2 = {1.0, 1.0, 1.0}, z2(2);
  EXPECT_EQ(Linpack::Dspco(ones2.data(), 2, kpvt.data(), z2.data()), 0.0);
  // Nothing to factor: nothing written.
  int untouched = -5;
  EXPECT_EQ(Linpack::Dspfa(nullptr, 0, &untouched), 0);
  EXPECT_EQ(untouched, -5);
  EXPECT_EQ(Linpack::Dspco(nullptr, 0, &untouched, nullptr), 0.0);
}

}  // namespace
