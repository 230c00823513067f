// Weighted category counts.

#include "kzcommon12r/math/stats/KzCatStats.h"

#include <gtest/gtest.h>

#include <climits>
#include <limits>
#include <vector>

#include "kzcommon12r/common/KzMV.h"
#include "support/KzDisplayCapture.h"

namespace {

using KzMath_1_2::KzCatStats;

TEST(KzCatStats, CodesTruncateAndWeightsBelowOneCountOnce) {
  KzCatStats s;
  EXPECT_TRUE(s.Update(2.7, 0.0));  // code 2, weight <= 0 counts 1
  EXPECT_EQ(s.GetCatCounts(), (std::vector<double>{0, 0, 1}));
  EXPECT_TRUE(s.Update(0.0, 2.5));
  EXPECT_TRUE(s.Update(2.0, -4.0));
  EXPECT_TRUE(s.Update(5.99, 0.25));
  EXPECT_EQ(s.GetCatCounts(), (std::vector<double>{2.5, 0, 2, 0, 0, 0.25}));
  EXPECT_EQ(s.GetNCategories(true), 6u);
  EXPECT_EQ(s.GetNCategories(false), 3u);
  EXPECT_EQ(s.GetSumCounts(), 4.75);
  EXPECT_EQ(s.GetCatCount(2), 2.0);
  EXPECT_EQ(s.GetCatCount(6), 0.0);
  EXPECT_EQ(s.GetCatCount(4000000000u), 0.0);
}

TEST(KzCatStats, RefusalsLeaveTheCountsUnchanged) {
  const double miss = KzCommon_1_2::KzMV::gMissingValue;
  const double inf = std::numeric_limits<double>::infinity();
  const double nan = std::numeric_limits<double>::quiet_NaN();
  KzCatStats s;
  s.Update(1, 1);
  const std::vector<double> before = s.GetCatCounts();
  const double badCategories[] = {miss, -1.0, -1e-300, nan, inf, -inf,
                                  static_cast<double>(INT_MAX) + 1.0, 1e300};
  for (double c : badCategories) EXPECT_FALSE(s.Update(c, 1.0)) << c;
  for (double w : {miss, nan, inf}) EXPECT_FALSE(s.Update(0.0, w)) << w;
  EXPECT_EQ(s.GetCatCounts(), before);
}

TEST(KzCatStats, PoolAddsElementByElement) {
  KzCatStats a, b;
  a.Update(0, 1);
  a.Update(1, 2);
  b.Update(3, 4);
  b.Update(0, 0.5);
  KzCatStats c(a);
  c.Pool(b);
  EXPECT_EQ(c.GetCatCounts(), (std::vector<double>{1.5, 2, 0, 4}));
  b.Pool(a);  // the shorter one grows nothing
  EXPECT_EQ(b.GetCatCounts(), (std::vector<double>{1.5, 2, 0, 4}));
  c.Pool(c);
  EXPECT_EQ(c.GetCatCounts(), (std::vector<double>{3, 4, 0, 8}));
  KzCatStats empty;
  empty.Pool(KzCatStats());
  EXPECT_EQ(empty.GetNCategories(true), 0u);
  EXPECT_EQ(empty.GetSumCounts(), 0.0);
}

TEST(KzCatStats, Display) {
  kztest::DisplayCapture capture;
  KzCatStats s;
  s.Update(1, 3);
  s.Display();
  EXPECT_EQ(capture.Text(), "\nKzCatStats\nCategory counts (size = 2)\n  0 3");
}

}  // namespace
