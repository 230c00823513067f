#include <gtest/gtest.h>

#include <vector>

#include "kzcommon12r/common/KzMV.h"
#include "kzcommon12r/math/stats/KzDistFun.h"

using KzCommon_1_2::KzMV;
using KzMath_1_2::KzDistFun;

namespace {

constexpr double kMissing = KzMV::gMissingValue;

struct Tile {
  double result;
  long status;
};

Tile Tiles(const std::vector<double>& v, const std::vector<double>& f, const std::vector<double>& b,
           double percent, long nBounds = -1) {
  Tile t{123.0, 99};
  KzDistFun::GPTile(static_cast<long>(v.size()), percent, v, f, b,
                    nBounds < 0 ? static_cast<long>(b.size()) : nBounds, t.result, t.status);
  return t;
}

TEST(KzDistFunGrouped, PercentileRefusals) {
  Tile t = Tiles({1.0}, {3.0}, {}, 50);
  EXPECT_EQ(t.status, -1);
  EXPECT_EQ(t.result, kMissing);
  double r = 5.0;
  long status = 5;
  KzDistFun::GPTile(3, 50, {1.0, 2.0}, {1.0, 1.0}, {}, 0, r, status);  // vectors too short
  EXPECT_EQ(status, -1);
  EXPECT_EQ(r, kMissing);
  KzDistFun::GPTile(2, 50, {1.0, 2.0}, {1.0, 1.0}, {1.0}, 3, r, status);  // bounds too short
  EXPECT_EQ(status, -1);
}

// Cumulative counts at the group middles: 1, 3, 5 for three groups of 2.
TEST(KzDistFunGrouped, MidpointMethod) {
  const std::vector<double> v = {1.0, 2.0, 3.0}, f = {2.0, 2.0, 2.0};
  EXPECT_EQ(Tiles(v, f, {}, 50).result, 2.0);                 // fraction 0: the lower point
  EXPECT_EQ(Tiles(v, f, {}, 25).result, 1.25);                // target 1.5 between 1 and 3
  EXPECT_EQ(Tiles(v, f, {}, 100.0 * 5.0 / 6.0).result, 3.0);  // the last middle
  Tile low = Tiles(v, f, {}, 10);
  EXPECT_EQ(low.status, 1);
  EXPECT_EQ(low.result, kMissing);
  Tile high = Tiles(v, f, {}, 90);
  EXPECT_EQ(high.status, 2);
  EXPECT_EQ(high.result, kMissing);
  EXPECT_EQ(Tiles(v, f, {}, 50).status, 0);
}

TEST(KzDistFunGrouped, CommonWidth) {
  const std::vector<double> v = {1.0, 2.0, 3.0}, f = {2.0, 2.0, 2.0};
  EXPECT_EQ(Tiles(v, f, {1.0}, 50).result, 2.0);   // 3 in [2, 4): the middle of group 2
  EXPECT_EQ(Tiles(v, f, {1.0}, 75).result, 2.75);  // 4.5 in [4, 6)
  EXPECT_EQ(Tiles(v, f, {1.0}, 100).result, 3.5);  // the upper edge of the last group
  EXPECT_EQ(Tiles(v, f, {1.0}, 0).result, 0.5);
  EXPECT_EQ(Tiles(v, f, {1.0}, -10).status, 1);
  EXPECT_EQ(Tiles(v, f, {1.0}, 120).status, 2);
}

TEST(KzDistFunGrouped, ExplicitBoundaries) {
  // Classes [0, 10), [10, 20), [20, 30): 30 = 2 * 25 - 20.
  const std::vector<double> v = {5.0, 15.0, 25.0}, f = {1.0, 2.0, 1.0}, b = {0.0, 10.0, 20.0};
  EXPECT_EQ(Tiles(v, f, b, 50).result, 15.0);
  EXPECT_EQ(Tiles(v, f, b, 0).result, 0.0);
  EXPECT_EQ(Tiles(v, f, b, 100).result, 30.0);
  EXPECT_EQ(Tiles(v, f, b, 12.5).result, 5.0);
  Tile over = Tiles(v, f, b, 150);
  EXPECT_EQ(over.status, 2);
  EXPECT_EQ(over.result, kMissing);
  Tile under = Tiles(v, f, b, -5);
  EXPECT_EQ(under.status, 1);
  // No group value above the last lower boundary: that class is empty and is
  // never read beyond the vectors.
  const std::vector<double> b2 = {0.0, 10.0, 30.0};
  EXPECT_EQ(Tiles(v, f, b2, 100).result, 30.0);
  EXPECT_EQ(Tiles(v, f, b2, 100).status, 0);
  // Groups below the first boundary: a target below their count is out of range.
  const std::vector<double> b3 = {10.0, 20.0};
  EXPECT_EQ(Tiles(v, f, b3, 10).status, 1);
  EXPECT_EQ(Tiles(v, f, b3, 50).result, 15.0);
}

TEST(KzDistFunGrouped, MedianConfidenceInterval) {
  std::vector<double> v, f;
  for (int i = 1; i <= 20; ++i) {
    v.push_back(i);
    f.push_back(1.0);
  }
  double lo = 0, hi = 0, actual = 0;
  KzDistFun::Mednci(20, v, f, 20, 95, true, lo, hi, actual);
  // k = 5 (F(5) = 21700/2^20 <= 0.025 < F(6)): the 6th smallest and 6th largest.
  EXPECT_EQ(lo, 6.0);
  EXPECT_EQ(hi, 15.0);
  EXPECT_NEAR(actual, (1.0 - 2.0 * 21700.0 / 1048576.0) * 100.0, 1e-11);
  KzDistFun::Mednci(20, v, f, 20, 95, false, lo, hi, actual);
  EXPECT_EQ(actual, kMissing);
  // Grouped: the same 20 cases in 4 groups of 5.
  KzDistFun::Mednci(4, {1, 2, 3, 4}, {5, 5, 5, 5}, 20, 95, true, lo, hi, actual);
  EXPECT_EQ(lo, 2.0);
  EXPECT_EQ(hi, 3.0);
  // n = 3: P(X = 0) = 1/8 > 0.025, k = -1: the whole range.
  KzDistFun::Mednci(3, {1, 2, 3}, {1, 1, 1}, 3, 95, true, lo, hi, actual);
  EXPECT_EQ(lo, 1.0);
  EXPECT_EQ(hi, 3.0);
  EXPECT_EQ(actual, 100.0);
  KzDistFun::Mednci(2, {4, 9}, {1, 1}, 2, 95, true, lo, hi, actual);
  EXPECT_EQ(lo, 4.0);
  EXPECT_EQ(hi, 9.0);
  EXPECT_EQ(actual, 100.0);
  // n = 1, a non-integer n (IdfBin error) and short vectors leave all missing.
  for (double n : {1.0, 20.5}) {
    KzDistFun::Mednci(20, v, f, n, 95, true, lo, hi, actual);
    EXPECT_EQ(lo, kMissing);
    EXPECT_EQ(hi, kMissing);
    EXPECT_EQ(actual, kMissing);
  }
  KzDistFun::Mednci(30, v, f, 20, 95, true, lo, hi, actual);
  EXPECT_EQ(lo, kMissing);
}

}  // namespace
