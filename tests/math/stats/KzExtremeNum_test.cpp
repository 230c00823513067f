#include "kzcommon12r/math/stats/KzExtremeNum.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using KzMath_1_2::KzExtremeNum;

namespace {

TEST(KzExtremeNum, SumSqRootValues) {
  double r = 0.0;
  ASSERT_TRUE(KzExtremeNum::SumSqRoot(3, 1, 4, 1, r));
  EXPECT_EQ(r, 5.0);
  ASSERT_TRUE(KzExtremeNum::SumSqRoot(3, -1, 4, 1, r));
  EXPECT_DOUBLE_EQ(r, std::sqrt(7.0));
  ASSERT_TRUE(KzExtremeNum::SumSqRoot(2, 4, 1, 9, r));  // sqrt(16 + 9)
  EXPECT_DOUBLE_EQ(r, 5.0);
  ASSERT_TRUE(KzExtremeNum::SumSqRoot(3, 1, 3, 1, r));
  EXPECT_EQ(r, 3.0 * std::sqrt(2.0));
  ASSERT_TRUE(KzExtremeNum::SumSqRoot(3, -1, 3, 1, r));
  EXPECT_EQ(r, 0.0);
  ASSERT_TRUE(KzExtremeNum::SumSqRoot(0, 0, 0, 0, r));
  EXPECT_EQ(r, 0.0);
  ASSERT_TRUE(KzExtremeNum::SumSqRoot(0, -5, 2, 1, r));
  EXPECT_EQ(r, 2.0);
}

TEST(KzExtremeNum, SumSqRootNeverOverflowsOrUnderflows) {
  double r = 0.0;
  ASSERT_TRUE(KzExtremeNum::SumSqRoot(1e200, 1, 1e200, 1, r));
  EXPECT_DOUBLE_EQ(r, 1e200 * std::sqrt(2.0));
  ASSERT_TRUE(KzExtremeNum::SumSqRoot(3e250, 1, 4e250, 1, r));
  EXPECT_DOUBLE_EQ(r, 5e250);
  ASSERT_TRUE(KzExtremeNum::SumSqRoot(3e-250, 1, 4e-250, 1, r));
  EXPECT_DOUBLE_EQ(r, 5e-250);
  ASSERT_TRUE(KzExtremeNum::SumSqRoot(5e200, 1, 4e200, -1, r));
  EXPECT_DOUBLE_EQ(r, 3e200);
}

TEST(KzExtremeNum, SumSqRootRefusalLeavesResult) {
  double r = 17.0;
  EXPECT_FALSE(KzExtremeNum::SumSqRoot(4, -1, 3, 1, r));
  EXPECT_EQ(r, 17.0);
  EXPECT_FALSE(KzExtremeNum::SumSqRoot(1, -1, 1, -1, r));
  EXPECT_EQ(r, 17.0);
  EXPECT_FALSE(KzExtremeNum::SumSqRoot(std::numeric_limits<double>::quiet_NaN(), 1, 1, 1, r));
  EXPECT_EQ(r, 17.0);
}

}  // namespace
