#include "kzcommon12r/math/stats/KzPower.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "kzcommon12r/common/KzMV.h"

using KzCommon_1_2::KzMV;
using KzMath_1_2::KzPower;

namespace {

constexpr double kMissing = KzMV::gMissingValue;
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

TEST(KzPower, Constants) {
  EXPECT_EQ(KzPower::gMachineEpsilon, std::ldexp(1.0, -52));
  EXPECT_EQ(KzPower::MEpsilon(), KzPower::gMachineEpsilon);
  EXPECT_EQ(KzPower::MaxInt(), 2147483647.0);
  EXPECT_EQ(KzPower::MaxExp(), 709.0);
  EXPECT_EQ(KzPower::MinExp(), -708.39);
  EXPECT_TRUE(KzPower::ExpOverflow(709.0001));
  EXPECT_FALSE(KzPower::ExpOverflow(709.0));
  EXPECT_TRUE(KzPower::ExpUnderflow(-708.4));
  EXPECT_FALSE(KzPower::ExpUnderflow(-708.39));
}

TEST(KzPower, ExponentRangeAndStatus) {
  double r = 42.0;
  EXPECT_EQ(KzPower::Exponent(-708.4, r), KzPower::kPowerUnderflow);
  EXPECT_EQ(r, 0.0);
  EXPECT_EQ(KzPower::Exponent(709.5, r), KzPower::kPowerOverflow);
  EXPECT_EQ(r, kMissing);
  EXPECT_EQ(KzPower::Exponent(kNaN, r), KzPower::kPowerOverflow);
  EXPECT_EQ(r, kMissing);
  EXPECT_EQ(KzPower::Exponent(709.0, r), KzPower::kPowerOk);
  EXPECT_EQ(r, std::exp(709.0));
  EXPECT_EQ(KzPower::Exponent(-708.39, r), KzPower::kPowerOk);
  EXPECT_GT(r, 0.0);
  EXPECT_EQ(KzPower::Exponent(1.0, r), KzPower::kPowerOk);
  EXPECT_EQ(r, std::exp(1.0));
}

// Products and powers of small integers come out exact: the logarithms only
// test the range (exp(ln a + ln b) was inexact for most such products).
TEST(KzPower, ExactInRangeResults) {
  for (int a = -30; a <= 30; ++a) {
    for (int b = -30; b <= 30; ++b) {
      EXPECT_EQ(KzPower::Multiply(a, b), static_cast<double>(a * b)) << a << " * " << b;
    }
  }
  for (int base = 1; base <= 12; ++base) {
    double exact = 1.0;
    for (int e = 0; e <= 14; ++e) {
      double r;
      ASSERT_EQ(KzPower::Power(base, e, r), KzPower::kPowerOk);
      EXPECT_EQ(r, exact) << base << "^" << e;
      double rn;
      ASSERT_EQ(KzPower::Power(-base, e, rn),
                e == 0 ? KzPower::kPowerNegativeBaseZeroExponent : KzPower::kPowerOk);
      EXPECT_EQ(rn, (e % 2 == 0) ? exact : -exact) << -base << "^" << e;
      exact *= base;
    }
  }
  double r;
  EXPECT_EQ(KzPower::Power(10.0, 2.0, r), KzPower::kPowerOk);
  EXPECT_EQ(r, 100.0);
  EXPECT_EQ(KzPower::Power(2.0, 0.5, r), KzPower::kPowerOk);
  EXPECT_EQ(r, std::sqrt(2.0));
  EXPECT_EQ(KzPower::Power(2.0, -3.0, r), KzPower::kPowerOk);
  EXPECT_EQ(r, 0.125);
}

TEST(KzPower, MultiplyRange) {
  EXPECT_EQ(KzPower::Multiply(0.0, kInf), 0.0);
  EXPECT_EQ(KzPower::Multiply(1e200, 1e200), kMissing);
  EXPECT_EQ(KzPower::Multiply(-1e200, 1e200), kMissing);  // unsigned missing
  EXPECT_EQ(KzPower::Multiply(1e-200, -1e-200), 0.0);
  EXPECT_EQ(KzPower::Multiply(-3.5, 2.0), -7.0);
  EXPECT_EQ(KzPower::Multiply(1e154, 1e153), 1e154 * 1e153);
  EXPECT_EQ(KzPower::Multiply(1e154, 1e154), kMissing);  // ln > 709 though 1e308 < DBL_MAX
}

struct PowerCase {
  double base, exponent;
  KzPower::PowerStatus status;
  double result;  // NaN: only the status is checked here
};

TEST(KzPower, PowerStatusTable) {
  const PowerCase cases[] = {
      {-8.0, 0.5, KzPower::kPowerNegativeBaseBadExponent, kMissing},
      {-8.0, 0.25, KzPower::kPowerNegativeBaseBadExponent, kMissing},
      {-2.0, 0.0, KzPower::kPowerNegativeBaseZeroExponent, 1.0},
      {0.0, 0.0, KzPower::kPowerZeroBaseZeroExponent, 1.0},
      {0.0, -1.0, KzPower::kPowerZeroBaseNegativeExponent, kMissing},
      {0.0, kNaN, KzPower::kPowerZeroBaseNegativeExponent, kMissing},
      {0.0, 3.0, KzPower::kPowerOk, 0.0},
      {5.0, 0.0, KzPower::kPowerOk, 1.0},
      {10.0, 400.0, KzPower::kPowerOverflow, kMissing},
      {10.0, -400.0, KzPower::kPowerUnderflow, 0.0},
      {-10.0, 309.0, KzPower::kPowerNegativeOverflow, kMissing},
      {-10.0, 310.0, KzPower::kPowerOverflow, kMissing},  // even: overflow of |base|
      {-0.1, -309.0, KzPower::kPowerOverflow, kMissing},  // odd, negative exponent
      {-10.0, -309.0, KzPower::kPowerUnderflow, -0.0},
      {kNaN, 2.0, KzPower::kPowerOverflow, kMissing},
  };
  for (const PowerCase& c : cases) {
    double r = 99.0;
    EXPECT_EQ(KzPower::Power(c.base, c.exponent, r), c.status) << c.base << "^" << c.exponent;
    EXPECT_EQ(r, c.result) << c.base << "^" << c.exponent;
  }
  double r;
  KzPower::Power(-10.0, -309.0, r);
  EXPECT_TRUE(std::signbit(r));  // negative zero for a negative base, odd power
  KzPower::Power(-10.0, -310.0, r);
  EXPECT_FALSE(std::signbit(r));
}

TEST(KzPower, OddRootsOfNegativeBases) {
  double r;
  EXPECT_EQ(KzPower::Power(-8.0, 1.0 / 3.0, r), KzPower::kPowerOk);
  EXPECT_NEAR(r, -2.0, 1e-15);
  EXPECT_EQ(KzPower::Power(-32.0, 0.2, r), KzPower::kPowerOk);
  EXPECT_NEAR(r, -2.0, 1e-15);
  EXPECT_EQ(KzPower::Power(-27.0, -1.0 / 3.0, r), KzPower::kPowerOk);
  EXPECT_NEAR(r, -1.0 / 3.0, 1e-15);
}

TEST(KzPower, AlmostEqual) {
  const double eps = KzPower::gMachineEpsilon;
  EXPECT_TRUE(KzPower::AlmostEqual(0.0, 0.0, 1.0));
  EXPECT_FALSE(KzPower::AlmostEqual(0.0, 1e-300, 1e10));
  EXPECT_FALSE(KzPower::AlmostEqual(1e-300, 0.0, 1e10));
  EXPECT_FALSE(KzPower::AlmostEqual(1.0, -1.0, 1e20));
  EXPECT_TRUE(KzPower::AlmostEqual(1.0, 1.0 + eps, 1.0));
  EXPECT_FALSE(KzPower::AlmostEqual(1.0, 1.0 + 4 * eps, 2.0));
  EXPECT_TRUE(KzPower::AlmostEqual(-1.0, -1.0 - 4 * eps, 4.0));
  EXPECT_TRUE(KzPower::AlmostEqual(1e300, 1e300 * (1 + 8 * eps), 16.0));
}

TEST(KzPower, IntegerTests) {
  EXPECT_TRUE(KzPower::IsInteger(2147483647.0));
  EXPECT_FALSE(KzPower::IsInteger(2147483648.0));
  EXPECT_TRUE(KzPower::IsInteger(-3.0));
  EXPECT_FALSE(KzPower::IsInteger(2.5));
  EXPECT_FALSE(KzPower::IsInteger(kNaN));
  EXPECT_FALSE(KzPower::IsInteger(-kInf));
  EXPECT_TRUE(KzPower::IsEvenInteger(-4.0));
  EXPECT_TRUE(KzPower::IsEvenInteger(0.0));
  EXPECT_FALSE(KzPower::IsEvenInteger(3.0));
  EXPECT_TRUE(KzPower::IsOddInteger(3.0));
  EXPECT_TRUE(KzPower::IsOddInteger(-1.0));
  EXPECT_FALSE(KzPower::IsOddInteger(4.0));
  EXPECT_FALSE(KzPower::IsOddInteger(3.5));
}

TEST(KzPower, ReciprocalIntegerTests) {
  EXPECT_TRUE(KzPower::IsOneOverOddInteger(1.0 / 3.0, 32.0));
  EXPECT_TRUE(KzPower::IsOneOverOddInteger(-1.0 / 3.0, 32.0));
  EXPECT_TRUE(KzPower::IsOneOverOddInteger(1.0, 32.0));
  EXPECT_TRUE(KzPower::IsOneOverOddInteger(0.2, 32.0));
  EXPECT_FALSE(KzPower::IsOneOverOddInteger(0.25, 32.0));
  EXPECT_FALSE(KzPower::IsOneOverOddInteger(0.0, 32.0));
  EXPECT_FALSE(KzPower::IsOneOverOddInteger(1e-10, 32.0));  // 1/a beyond 2^31 - 1
  EXPECT_TRUE(KzPower::IsOneOverEvenInteger(0.25, 32.0));
  EXPECT_TRUE(KzPower::IsOneOverEvenInteger(0.5, 32.0));
  EXPECT_FALSE(KzPower::IsOneOverEvenInteger(1.0 / 3.0, 32.0));
  EXPECT_FALSE(KzPower::IsOneOverEvenInteger(0.0, 32.0));
}

}  // namespace
