#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "KzDistFunAccess.h"
#include "kzcommon12r/common/KzMV.h"
#include "kzcommon12r/math/stats/KzDistFun.h"
#include "support/KzTestCompare.h"

using KzCommon_1_2::KzMV;
using KzMath_1_2::KzDistFun;
using KzMath_1_2::KzDistFunAccess;

namespace {

constexpr double kMissing = KzMV::gMissingValue;
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kEps = std::numeric_limits<double>::epsilon();

TEST(KzDistFunGamma, LnGammaSpecialValuesAndRefusals) {
  for (double x : {0.0, -1.0, -0.5, kNaN, kInf, -kInf}) {
    EXPECT_EQ(KzDistFunAccess::LnGamma(x), kMissing) << x;
  }
  EXPECT_EQ(KzDistFunAccess::LnGamma(1.0), 0.0);
  EXPECT_EQ(KzDistFunAccess::LnGamma(2.0), 0.0);
  EXPECT_EQ(KzDistFunAccess::LnGamma(0.5), 0.5 * std::log(M_PI));
  EXPECT_EQ(KzDistFunAccess::OrvaLnGamma(3.7), KzDistFunAccess::LnGamma(3.7));
  // ln((n - 1)!) from the exact factorial.
  double factorial = 1.0;
  for (int n = 2; n <= 25; ++n) {
    KZ_EXPECT_REL(std::log(factorial), KzDistFunAccess::LnGamma(n), n < 4 ? 1e-15 : 4 * kEps);
    factorial *= n;
  }
  KZ_EXPECT_REL(690.77552789821368, KzDistFunAccess::LnGamma(1e-300), 2 * kEps);  // -ln(1e-300)
}

// lnGamma(x + 1) = lnGamma(x) + ln x across every piece (tables, map, Stirling).
TEST(KzDistFunGamma, LnGammaRecurrence) {
  for (double x = 0.01; x < 30.0; x += 0.0137) {
    const double lhs = KzDistFunAccess::LnGamma(x + 1.0);
    const double rhs = KzDistFunAccess::LnGamma(x) + std::log(x);
    EXPECT_NEAR(lhs, rhs, 3e-15 * std::fmax(1.0, std::fabs(lhs))) << x;
  }
}

TEST(KzDistFunGamma, LnBinomial) {
  long err = -1;
  for (auto nk : {std::pair<double, double>{3, 4}, {-1, 0}, {5, -1}, {kNaN, 1}, {kInf, 1}}) {
    EXPECT_EQ(KzDistFunAccess::LnBinomial(nk.first, nk.second, err), kMissing);
    EXPECT_EQ(err, 1);
  }
  EXPECT_EQ(KzDistFunAccess::LnBinomial(7, 0, err), 0.0);
  EXPECT_EQ(err, 0);
  EXPECT_EQ(KzDistFunAccess::LnBinomial(7, 7, err), 0.0);
  // Exact below 34: the log of the exact integer.
  EXPECT_EQ(KzDistFunAccess::LnBinomial(33, 16, err), std::log(1166803110.0));
  EXPECT_EQ(KzDistFunAccess::LnBinomial(33, 17, err), std::log(1166803110.0));
  EXPECT_EQ(KzDistFunAccess::LnBinomial(10, 3, err), std::log(120.0));
  // Beyond: log-gammas (oracle: the C library's lgamma).
  KZ_EXPECT_REL(std::lgamma(101.0) - 2 * std::lgamma(51.0),
                KzDistFunAccess::LnBinomial(100, 50, err), 1e-14);
  KZ_EXPECT_REL(std::lgamma(8.5) - std::lgamma(3.25) - std::lgamma(6.25),
                KzDistFunAccess::LnBinomial(7.5, 2.25, err), 1e-14);
  // Non-integer arguments: the log-gamma formula, never below 0 (C(n, k) >= 1
  // by the log-convexity of Gamma; the clamp absorbs rounding).
  for (double n = 0.05; n < 60.0; n *= 1.7) {
    for (double f : {0.01, 0.3, 0.5, 0.77, 0.999}) {
      const double k = n * f;
      const double r = KzDistFunAccess::LnBinomial(n, k, err);
      EXPECT_EQ(err, 0);
      EXPECT_GE(r, 0.0);
      const double lg = std::lgamma(n + 1) - std::lgamma(k + 1) - std::lgamma(n - k + 1);
      EXPECT_NEAR(r, std::fmax(lg, 0.0), 1e-13 * std::fmax(1.0, lg)) << n << " " << k;
    }
  }
}

TEST(KzDistFunGamma, IncompleteGammaRatio) {
  long err = -1;
  EXPECT_EQ(KzDistFunAccess::Gamma(1.0, 0.0, true, err), kMissing);
  EXPECT_EQ(err, 1);
  EXPECT_EQ(KzDistFunAccess::Gamma(1.0, -2.0, false, err), kMissing);
  EXPECT_EQ(err, 1);
  EXPECT_EQ(KzDistFunAccess::Gamma(kNaN, 2.0, false, err), kMissing);
  EXPECT_EQ(err, 1);
  EXPECT_EQ(KzDistFunAccess::Gamma(0.0, 2.0, true, err), 0.0);
  EXPECT_EQ(err, 0);
  EXPECT_EQ(KzDistFunAccess::Gamma(-1.0, 2.0, false, err), 1.0);
  EXPECT_EQ(KzDistFunAccess::Gamma(2.0, 1.0, false, err), std::exp(-2.0));
  EXPECT_EQ(KzDistFunAccess::Gamma(1e-20, 1.0, true, err), 1e-20);  // -expm1 keeps it
  EXPECT_EQ(KzDistFunAccess::Gamma(800.0, 1.0, false, err), 0.0);
  // Both tails add to one on both sides of x = p (series and continued fraction).
  for (double p : {0.05, 0.5, 1.7, 4.0, 25.0, 300.0}) {
    for (double x : {0.01, 0.3, 0.9, 1.5, 3.0, 10.0, 40.0, 250.0, 400.0}) {
      const double lo = KzDistFunAccess::Gamma(x, p, true, err);
      const double up = KzDistFunAccess::Gamma(x, p, false, err);
      EXPECT_NEAR(lo + up, 1.0, 4 * kEps) << x << " " << p;
    }
  }
  // Normal approximations: a series of more than 2^31 terms (x/(p+1) rounds
  // to 1) and a continued fraction with 4 ln x >= 709.
  EXPECT_NEAR(KzDistFunAccess::Gamma(1e20, 1e20, true, err), 0.5, 1e-9);
  EXPECT_EQ(KzDistFunAccess::Gamma(1e80, 2.0, false, err), 0.0);
  EXPECT_EQ(KzDistFunAccess::Gamma(1e80, 2.0, true, err), 1.0);
}

TEST(KzDistFunGamma, ChiSquareEdgeCases) {
  EXPECT_NEAR(KzDistFun::CdfChi(3.841458820694124, 1.0), 0.95, 1e-15);
  KZ_EXPECT_REL(3.841458820694124, KzDistFun::IdfChi(0.95, 1.0), 1e-6);
  EXPECT_EQ(KzDistFun::SigChi(0.0, 5.0), 1.0);
  EXPECT_EQ(KzDistFun::SigChi(-3.0, 5.0), 1.0);
  EXPECT_EQ(KzDistFun::CdfChi(0.0, 5.0), 0.0);
  EXPECT_EQ(KzDistFun::IdfChi(0.0, 5.0), 0.0);
  for (double df : {0.0, -1.0, kNaN}) {
    EXPECT_EQ(KzDistFun::CdfChi(1.0, df), kMissing);
    EXPECT_EQ(KzDistFun::SigChi(1.0, df), kMissing);
    EXPECT_EQ(KzDistFun::IdfChi(0.5, df), kMissing);
  }
  for (double p : {1.0, -0.1, 1.1, kNaN}) EXPECT_EQ(KzDistFun::IdfChi(p, 3.0), kMissing) << p;
  long err = -1;
  EXPECT_EQ(KzDistFunAccess::IdfChi(1.0, 3.0, err), kMissing);
  EXPECT_EQ(err, 1);
  EXPECT_EQ(KzDistFun::CdfChi(kNaN, 3.0), kMissing);
  EXPECT_EQ(KzDistFun::CdfChi(kInf, 3.0), 1.0);
  EXPECT_EQ(KzDistFun::SigChi(kInf, 3.0), 0.0);
  EXPECT_EQ(KzDistFun::SigChi(1e300, 3.0), 0.0);
}

// Cdf + Sig = 1 and IdfChi(CdfChi(x)) = x to the 5e-7 of AS 91, over
// degrees of freedom that take each start of AS 91 (small chi-square, small df,
// Wilson-Hilferty and its upper-tail replacement).
TEST(KzDistFunGamma, ChiSquareIdentitiesOverGrid) {
  for (double df : {0.05, 0.2, 0.32, 0.5, 1.0, 2.0, 3.5, 10.0, 57.0, 300.0, 5000.0}) {
    for (double p : {1e-12, 1e-6, 0.001, 0.02, 0.2, 0.5, 0.8, 0.97, 0.999, 1 - 1e-9}) {
      const double x = KzDistFun::IdfChi(p, df);
      ASSERT_NE(x, kMissing) << p << " " << df;
      if (x < 1e-300) continue;  // the quantile underflows (df = 0.05, p = 1e-12)
      const double c = KzDistFun::CdfChi(x, df);
      const double s = KzDistFun::SigChi(x, df);
      EXPECT_NEAR(c + s, 1.0, 4 * kEps) << x << " " << df;
      // The inverse holds to 5e-7 relative in x; the probability follows
      // through the density (relative error in p about x f(x)/F(x) 5e-7).
      const double back = KzDistFun::IdfChi(c, df);
      KZ_EXPECT_REL(x, back, 2e-6);
      if (p <= 0.5) {
        KZ_EXPECT_REL(p, c, 1e-4);
      } else {
        KZ_EXPECT_REL(1 - p, s, 1e-4);
      }
    }
  }
}

TEST(KzDistFunGamma, ChiSquareBisection) {
  long err = -1;
  // From a start at the root the bracket [start/4, start] (doubled once) holds it.
  const double root = 3.841458820694124;
  const double x = KzDistFunAccess::IdfChiBisect(0.95, 1.0, root * 1.5, err);
  EXPECT_EQ(err, 0);
  KZ_EXPECT_REL(root, x, 2e-8);
  const double y = KzDistFunAccess::IdfChiBisect(0.95, 1.0, root / 1.5, err);
  EXPECT_EQ(err, 0);
  KZ_EXPECT_REL(root, y, 2e-8);
  // A start far below the root cannot bracket it: err 2.
  EXPECT_EQ(KzDistFunAccess::IdfChiBisect(0.95, 1.0, root / 10.0, err), kMissing);
  EXPECT_EQ(err, 2);
  // ... nor one far above it.
  EXPECT_EQ(KzDistFunAccess::IdfChiBisect(0.95, 1.0, root * 10.0, err), kMissing);
  EXPECT_EQ(err, 2);
}

}  // namespace
