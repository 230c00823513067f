#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

#include "kzcommon12r/common/KzMV.h"
#include "kzcommon12r/math/stats/KzDistFun.h"
#include "support/KzTestCompare.h"

using KzCommon_1_2::KzMV;
using KzMath_1_2::KzDistFun;

namespace {

constexpr double kMissing = KzMV::gMissingValue;
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kEps = std::numeric_limits<double>::epsilon();

TEST(KzDistFunBinomial, EdgeCasesAndRefusals) {
  long err = -1;
  EXPECT_NEAR(KzDistFun::CdfBin(2, 4, 0.5, err), 0.6875, 2 * kEps);
  EXPECT_EQ(err, 0);
  EXPECT_EQ(KzDistFun::PdfBin(2.5, 4, 0.5, err), 0.0);
  EXPECT_EQ(err, 0);
  EXPECT_EQ(KzDistFun::CdfBin(2, 4.5, 0.5, err), kMissing);
  EXPECT_EQ(err, 3);
  EXPECT_EQ(KzDistFun::CdfBin(2, 0, 0.5, err), kMissing);
  EXPECT_EQ(err, 1);
  EXPECT_EQ(KzDistFun::CdfBin(2, 4, 1.5, err), kMissing);
  EXPECT_EQ(err, 1);
  EXPECT_EQ(KzDistFun::CdfBin(kNaN, 4, 0.5, err), kMissing);
  EXPECT_EQ(err, 1);
  EXPECT_EQ(KzDistFun::PdfBin(2, 4, -0.1, err), kMissing);
  EXPECT_EQ(err, 1);
  EXPECT_EQ(KzDistFun::PdfBin(0, 0.5, 0.3, err), kMissing);
  EXPECT_EQ(err, 1);
  EXPECT_EQ(KzDistFun::IdfBin(0.5, 4.5, 0.3, err), kMissing);
  EXPECT_EQ(err, 1);
  EXPECT_EQ(KzDistFun::IdfBin(1.5, 4, 0.3, err), kMissing);
  EXPECT_EQ(err, 2);
  EXPECT_EQ(KzDistFun::IdfBin(0.5, 0, 0.3, err), kMissing);
  EXPECT_EQ(err, 2);
  EXPECT_EQ(KzDistFun::IdfBin(0.5, 4, -0.3, err), kMissing);
  EXPECT_EQ(err, 2);
  // Outside the support and the degenerate distributions.
  EXPECT_EQ(KzDistFun::PdfBin(-1, 4, 0.5, err), 0.0);
  EXPECT_EQ(KzDistFun::PdfBin(5, 4, 0.5, err), 0.0);
  EXPECT_EQ(KzDistFun::PdfBin(0, 4, 0.0, err), 1.0);
  EXPECT_EQ(KzDistFun::PdfBin(1, 4, 0.0, err), 0.0);
  EXPECT_EQ(KzDistFun::PdfBin(4, 4, 1.0, err), 1.0);
  EXPECT_EQ(KzDistFun::PdfBin(4, 4, 0.5, err), 0.0625);
  EXPECT_EQ(KzDistFun::CdfBin(-0.5, 4, 0.0, err), 0.0);
  EXPECT_EQ(KzDistFun::CdfBin(0.5, 4, 0.0, err), 1.0);
  EXPECT_EQ(KzDistFun::CdfBin(3.9, 4, 1.0, err), 0.0);
  EXPECT_EQ(KzDistFun::CdfBin(4, 4, 1.0, err), 1.0);
  EXPECT_EQ(KzDistFun::CdfBin(-1, 4, 0.3, err), 0.0);
  EXPECT_EQ(KzDistFun::CdfBin(7, 4, 0.3, err), 1.0);
  EXPECT_DOUBLE_EQ(KzDistFun::CdfBin(0.7, 4, 0.25, err), std::pow(0.75, 4));
}

// CdfBin equals the running sum of PdfBin; the x is floored.
TEST(KzDistFunBinomial, CdfIsRunningSumOfPdf) {
  const std::pair<double, double> cases[] = {{1, 0.3},    {4, 0.5},      {17, 0.05},   {60, 0.5},
                                             {200, 0.93}, {1000, 0.002}, {3000, 0.41}, {20, 1e-6}};
  for (const auto& c : cases) {
    const double n = c.first;
    const double pi = c.second;
    long err = -1;
    double sum = 0.0;
    for (double k = 0; k <= n; k += 1.0) {
      sum += KzDistFun::PdfBin(k, n, pi, err);
      ASSERT_EQ(err, 0);
      const double cdf = KzDistFun::CdfBin(k + 0.75, n, pi, err);
      ASSERT_EQ(err, 0);
      if (sum > 1e-290) {
        EXPECT_NEAR(cdf, sum, 1e-12 * sum) << k << " " << n << " " << pi;
      }
    }
    EXPECT_NEAR(sum, 1.0, 1e-12);
  }
}

TEST(KzDistFunBinomial, UnderflowingTermUsesNormalApproximation) {
  long err = -1;
  // The term at x = 100 is about e^-1600: the tail is far below any double.
  const double r = KzDistFun::CdfBin(100, 5000, 0.5, err);
  EXPECT_EQ(err, 0);
  EXPECT_GE(r, 0.0);
  EXPECT_LT(r, 1e-300);
}

TEST(KzDistFunBinomial, QuantileFollowsItsDefinition) {
  long err = -1;
  const std::pair<double, double> cases[] = {{1, 0.3}, {4, 0.5}, {25, 0.1}, {80, 0.66}, {400, 0.5}};
  for (const auto& c : cases) {
    const double n = c.first;
    const double pi = c.second;
    for (double p = 0.0005; p < 1.0; p += 0.0123) {
      const double k = KzDistFun::IdfBin(p, n, pi, err);
      ASSERT_EQ(err, 0);
      ASSERT_GE(k, -1.0);
      ASSERT_LE(k, n);
      // CdfBin(k) <= p < CdfBin(k + 1), up to the 128 eps the start may accept.
      const double lo = k < 0 ? 0.0 : KzDistFun::CdfBin(k, n, pi, err);
      const double hi = KzDistFun::CdfBin(k + 1, n, pi, err);
      EXPECT_LE(lo, p + 128 * kEps) << p << " " << n << " " << pi;
      EXPECT_LT(p, hi + 128 * kEps) << p << " " << n << " " << pi;
    }
  }
  EXPECT_EQ(KzDistFun::IdfBin(0.01, 3, 0.5, err), -1.0);  // below P(X = 0) = 1/8
  EXPECT_EQ(KzDistFun::IdfBin(0.0, 3, 0.5, err), -1.0);
  EXPECT_EQ(KzDistFun::IdfBin(0.0, 3, 1.0, err), 2.0);
  EXPECT_EQ(KzDistFun::IdfBin(1.0, 3, 0.5, err), 3.0);
  EXPECT_EQ(KzDistFun::IdfBin(1.0, 3, 0.0, err), 0.0);
  // Degenerate distributions with 0 < p < 1 (these divided by zero).
  EXPECT_EQ(KzDistFun::IdfBin(0.4, 3, 0.0, err), -1.0);
  EXPECT_EQ(err, 0);
  EXPECT_EQ(KzDistFun::IdfBin(0.4, 3, 1.0, err), 2.0);
  EXPECT_EQ(err, 0);
  // One below the usual quantile where CdfBin(k) == p: F(1) = 0.3125 for n = 4.
  EXPECT_EQ(KzDistFun::IdfBin(0.3125, 4, 0.5, err), 1.0);
}

// Hypergeometric lower tail from relative terms built by the ratio recurrence
// in long double (only ratios of terms enter, so no log-gamma rounding).
double HyperLower(int x, int N, int K, int n) {
  const int lo = std::max(0, K + n - N);
  const int hi = std::min(K, n);
  long double term = 1, total = 0, below = 0;
  for (int j = lo; j <= hi; ++j) {
    total += term;
    if (j <= x) below += term;
    term *= static_cast<long double>(K - j) * (n - j) / ((j + 1.0L) * (N - K - n + j + 1.0L));
  }
  return static_cast<double>(below / total);
}

TEST(KzDistFunHyper, RefusalsAndRange) {
  int err = -1;
  EXPECT_EQ(KzDistFun::CDFHyper(1, 20.5, 5, 5, err), kMissing);
  EXPECT_EQ(err, 1);
  EXPECT_EQ(KzDistFun::CDFHyper(1, 3e9, 5, 5, err), kMissing);
  EXPECT_EQ(err, 1);
  EXPECT_EQ(KzDistFun::CDFHyper(1, 20, 0, 5, err), kMissing);
  EXPECT_EQ(KzDistFun::CDFHyper(1, 20, 5, 21, err), kMissing);
  EXPECT_EQ(KzDistFun::CDFHyper(1, 20, 5.5, 5, err), kMissing);
  EXPECT_EQ(KzDistFun::CDFHyper(kNaN, 20, 5, 5, err), kMissing);
  EXPECT_EQ(err, 1);
  EXPECT_EQ(KzDistFun::CDFHyper(2, 20, 15, 10, err), 0.0);  // below K + n - N = 5
  EXPECT_EQ(err, 0);
  EXPECT_EQ(KzDistFun::CDFHyper(10, 20, 15, 10, err), 1.0);
}

// Both tails of AS 152, with the point probability from ratios (N <= 1000)
// and from log binomial coefficients (N > 1000).
TEST(KzDistFunHyper, MatchesExactSums) {
  const std::array<int, 3> cases[] = {{20, 7, 5},     {50, 20, 25},     {500, 100, 60},
                                      {1000, 999, 3}, {2000, 300, 400}, {9000, 40, 4000}};
  for (const auto& c : cases) {
    const int N = c[0], K = c[1], n = c[2];
    const int lo = std::max(0, K + n - N);
    const int hi = std::min(K, n);
    for (int x = lo; x < hi; x += std::max(1, (hi - lo) / 17)) {
      int err = -1;
      const double r = KzDistFun::CDFHyper(x + 0.5, N, K, n, err);
      ASSERT_EQ(err, 0);
      const double exact = HyperLower(x, N, K, n);
      if (exact > 1e-280) {
        EXPECT_NEAR(r, exact, 1e-11 * exact) << x << " " << N << " " << K;
      }
    }
  }
}

TEST(KzDistFunHyper, NormalApproximationForLargePopulations) {
  int err = -1;
  for (int x = 50; x <= 100; x += 10) {
    const double r = KzDistFun::CDFHyper(x, 20000, 3000, 500, err);
    EXPECT_NEAR(r, HyperLower(x, 20000, 3000, 500), 5e-3) << x;
  }
}

}  // namespace
