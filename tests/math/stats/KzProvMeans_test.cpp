// Signed-weight updates: additions and removals against the long double
// oracle, clearing at W + w = 0, refusals.

#include "kzcommon12r/math/stats/KzProvMeans.h"

#include <gtest/gtest.h>

#include <limits>
#include <vector>

#include "math/stats/KzMeansOracle.h"

namespace {

using KzMath_1_2::KzProvMeans;
using kztest::AccState;

TEST(KzProvMeans, SignedWeightsAddAndRemove) {
  for (bool intercept : {true, false}) {
    const auto cases = kztest::RandomCases(11, 300, 7, 30.0, 0.5, 2.5);
    KzProvMeans acc(7, intercept);
    std::vector<kztest::WeightedCase> kept;
    for (std::size_t i = 0; i < cases.size(); ++i) {
      ASSERT_TRUE(acc.Update(cases[i].x, cases[i].w));
      // Every fourth update is followed by the removal of the case two back.
      if (i % 4 == 3) {
        ASSERT_TRUE(acc.Update(cases[i - 2].x, -cases[i - 2].w));
      }
    }
    for (std::size_t i = 0; i < cases.size(); ++i) {
      if (i % 4 != 1) kept.push_back(cases[i]);
    }
    EXPECT_TRUE(kztest::MomentsNear(kztest::TwoPass(kept, 7, intercept), acc, 1e-11));
  }
}

TEST(KzProvMeans, ZeroWeightChangesNothing) {
  KzProvMeans acc(2, true);
  acc.Update({1, 2}, 1.5);
  const AccState before(acc);
  EXPECT_TRUE(acc.Update({100, 200}, 0.0));
  EXPECT_TRUE(AccState(acc) == before);
}

TEST(KzProvMeans, WeightBackToZeroClears) {
  KzProvMeans acc(2, true);
  acc.Update({1, 2}, 1.5);
  acc.Update({3, 1}, 2.5);
  KzProvMeans refused(acc);
  EXPECT_FALSE(refused.Update({3, 1}, -4.5));  // w < -W
  EXPECT_TRUE(AccState(refused) == AccState(acc));
  EXPECT_TRUE(acc.Update({3, 1}, -4.0));  // w = -W
  EXPECT_TRUE(AccState(acc) == AccState(KzProvMeans(2, true)));
  // Fractional weights: W = 0.1 + 0.2 is not exactly 0.3.
  KzProvMeans frac(1, true);
  frac.Update({5}, 0.1);
  frac.Update({7}, 0.2);
  EXPECT_TRUE(frac.Update({6}, -0.3));
  EXPECT_TRUE(AccState(frac) == AccState(KzProvMeans(1, true)));
}

TEST(KzProvMeans, Refusals) {
  KzProvMeans acc(3, false);
  acc.Update({1, 2, 3}, 1);
  const AccState before(acc);
  EXPECT_FALSE(acc.Update({1, 2}, 1));
  EXPECT_FALSE(acc.Update({1, 2, 3}, std::numeric_limits<double>::quiet_NaN()));
  EXPECT_FALSE(acc.Update({1, 2, 3}, std::numeric_limits<double>::infinity()));
  EXPECT_FALSE(acc.Update({1, 2, 3}, -std::numeric_limits<double>::infinity()));
  EXPECT_TRUE(AccState(acc) == before);
}

}  // namespace
