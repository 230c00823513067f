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
constexpr double kEps = std::numeric_limits<double>::epsilon();

TEST(KzDistFunNormal, EdgeCases) {
  EXPECT_EQ(KzDistFun::CdfStdNorm(0.0), 0.5);
  EXPECT_EQ(KzDistFun::IdfStdNorm(0.5), 0.0);
  // 1.959963984540054 to 15 digits (Wichura's table; mpmath agrees).
  EXPECT_NEAR(KzDistFun::IdfStdNorm(0.975), 1.959963984540054, 2e-15);
  EXPECT_EQ(KzDistFun::IdfNorm(0.5, 3.0, 2.0), 3.0);
  EXPECT_NEAR(KzDistFun::IdfNorm(0.975, 3.0, 2.0), 3.0 + 2.0 * 1.959963984540054, 1e-14);
  KZ_EXPECT_REL(0.9750021048517795, KzDistFun::CdfNorm(4.92, 1.0, 2.0), 4 * kEps);  // mpmath
  EXPECT_EQ(KzDistFun::CdfStdNorm(-40.0), 0.0);  // below e^-708: flushed
  EXPECT_EQ(KzDistFun::CdfStdNorm(40.0), 1.0);
}

TEST(KzDistFunNormal, RefusalsGiveMissing) {
  EXPECT_EQ(KzDistFun::CdfNorm(1.0, 0.0, 0.0), kMissing);
  EXPECT_EQ(KzDistFun::CdfNorm(1.0, 0.0, -1.0), kMissing);
  EXPECT_EQ(KzDistFun::CdfNorm(1.0, 0.0, kNaN), kMissing);
  EXPECT_EQ(KzDistFun::CdfStdNorm(kNaN), kMissing);
  for (double p : {0.0, 1.0, -0.1, 1.5, kNaN}) {
    EXPECT_EQ(KzDistFun::IdfStdNorm(p), kMissing) << p;
    EXPECT_EQ(KzDistFun::IdfNorm(p, 1.0, 2.0), kMissing) << p;
  }
  EXPECT_EQ(KzDistFun::IdfNorm(0.3, 1.0, 0.0), kMissing);
}

// Phi(x) + Phi(-x) = 1 and the inverse recovers x over the whole range.
TEST(KzDistFunNormal, IdentitiesOverGrid) {
  for (double x = -37.0; x <= 0.0; x += 0.0625) {
    const double p = KzDistFun::CdfStdNorm(x);
    const double q = KzDistFun::CdfStdNorm(-x);
    EXPECT_NEAR(p + q, 1.0, 2 * kEps) << x;
    // dx = dp / (x phi(x)/Phi(x)) ~ relative rounding of p / x^2.
    EXPECT_NEAR(KzDistFun::IdfStdNorm(p), x, 4e-15 * std::fmax(1.0, std::fabs(x))) << x;
  }
  for (double x = 0.0625; x <= 5.0; x += 0.0625) {
    const double p = KzDistFun::CdfStdNorm(x);
    const double phi = std::exp(-0.5 * x * x) / std::sqrt(2.0 * M_PI);
    EXPECT_NEAR(KzDistFun::IdfStdNorm(p), x, 2 * kEps / phi + 4e-15 * x) << x;
  }
  // Exact symmetry for probabilities whose complement is exact.
  for (int k = 1; k < 1024; ++k) {
    const double p = k / 1024.0;
    EXPECT_EQ(KzDistFun::IdfStdNorm(1.0 - p), -KzDistFun::IdfStdNorm(p)) << p;
  }
}

TEST(KzDistFunNormal, ErrorFunctions) {
  for (double x = -6.0; x <= 6.0; x += 0.03125) {
    EXPECT_EQ(KzDistFunAccess::Erf(-x), -KzDistFunAccess::Erf(x)) << x;
    EXPECT_NEAR(KzDistFunAccess::Erfc(-x), 2.0 - KzDistFunAccess::Erfc(x), 2 * kEps) << x;
    EXPECT_NEAR(KzDistFunAccess::Erf(x) + KzDistFunAccess::Erfc(x), 1.0, 4 * kEps) << x;
  }
  EXPECT_EQ(KzDistFunAccess::Erf(0.0), 0.0);
  EXPECT_EQ(KzDistFunAccess::Erf(7.0), 1.0);
  EXPECT_EQ(KzDistFunAccess::Erfc(27.0), 0.0);  // log below -708
  EXPECT_GT(KzDistFunAccess::Erfc(26.0), 0.0);
  // The interval seams of the piecewise tables (mpmath, 40 digits).
  KZ_EXPECT_REL(0.99813715370201811, KzDistFunAccess::Erf(2.2), 2 * kEps);
  KZ_EXPECT_REL(0.99813715370201811, KzDistFunAccess::Erf(std::nextafter(2.2, 0.0)), 4 * kEps);
  KZ_EXPECT_REL(0.84270079294971487, KzDistFunAccess::Erf(1.0), 2 * kEps);
  KZ_EXPECT_REL(1.5374597944280349e-12, KzDistFunAccess::Erfc(5.0), 8 * kEps);
  EXPECT_EQ(KzDistFunAccess::Prbnrm(0.0), 0.5);
  EXPECT_EQ(KzDistFunAccess::Probit(1.0), kMissing);
}

}  // namespace
