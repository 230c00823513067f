// The shared test helpers of tests/support that the matrix tests stand on:
// the matrix builders and the "unchanged on refusal" check.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "kzcommon12r/math/matrix/KzBitSet.h"
#include "kzcommon12r/math/matrix/KzSymMatrixData.h"
#include "support/KzMatrixBuilders.h"
#include "support/KzRefusal.h"

namespace {

TEST(TestSupport, RandomVectorIsPinned) {
  // mt19937 is fixed by the standard and the 53-bit construction is ours (the
  // same as numpy's RandomState(1).random_sample(), mapped to [-1, 1)).
  const std::vector<double> v = kztest::RandomVector(2, 1u);
  EXPECT_EQ(v, (std::vector<double>{-0.165955990594852, 0.4406489868843162}));
  for (double x : kztest::RandomVector(1000, 7u)) {
    EXPECT_GE(x, -1.0);
    EXPECT_LT(x, 1.0);
  }
}

TEST(TestSupport, Hilbert) {
  const std::vector<double> h = kztest::HilbertRowMajor(3, 4);
  EXPECT_EQ(h[1 * 4 + 2], 1.0 / 4);
  EXPECT_EQ(h[2 * 4 + 3], 1.0 / 6);
  const std::vector<double> p = kztest::HilbertPacked(4);
  EXPECT_EQ(p, kztest::PackLower(kztest::HilbertRowMajor(4, 4), 4));
  EXPECT_EQ(kztest::UnpackSym(p, 4), kztest::HilbertRowMajor(4, 4));
  EXPECT_EQ(kztest::NumericalRank(kztest::HilbertRowMajor(6, 6), 6, 6, 1e-12), 6);
}

TEST(TestSupport, KnownRank) {
  for (int rank = 0; rank <= 5; ++rank) {
    const std::vector<double> a = kztest::KnownRankRowMajor(8, 5, rank, 100u + rank);
    EXPECT_EQ(kztest::NumericalRank(a, 8, 5, 1e-10), rank) << rank;
    const std::vector<double> s = kztest::KnownRankSymPacked(6, rank, 200u + rank);
    EXPECT_EQ(kztest::NumericalRank(kztest::UnpackSym(s, 6), 6, 6, 1e-10), rank) << rank;
  }
  // Positive semidefinite: a non-negative diagonal.
  const std::vector<double> s = kztest::KnownRankSymPacked(5, 2, 9u);
  for (int i = 0; i < 5; ++i) EXPECT_GE(s[KzMath_1_2::KzSymMatrixData::PackedPos(i, i)], 0.0);
}

TEST(TestSupport, FillChecksTheSize) {
  KzMath_1_2::KzSymMatrixData m(3);
  EXPECT_FALSE(kztest::Fill(m, {1, 2, 3}));
  EXPECT_EQ(m.AsVectorConst(), std::vector<double>(6, 0.0));
  EXPECT_TRUE(kztest::Fill(m, kztest::HilbertPacked(3)));
  EXPECT_EQ(m.GetElem(0, 2), 1.0 / 3);
}

TEST(TestSupport, RefusalCheckSeesChangesAndWrongResults) {
  std::vector<double> v = {1, 2};
  KzMath_1_2::KzBitSet bits(3);
  // Passes: the failure value and nothing changed.
  EXPECT_TRUE(kztest::RefusedUnchanged(
      "", "", false, [] { return false; }, v, bits));
  // A changed target is reported, with its place.
  const auto changed = kztest::RefusedUnchanged(
      "", "v", false,
      [&] {
        v[1] = 3;
        return false;
      },
      v);
  EXPECT_FALSE(changed);
  EXPECT_NE(std::string(changed.message()).find("value 1 was 2, now 3"), std::string::npos)
      << changed.message();
  EXPECT_FALSE(kztest::RefusedUnchanged(
      "", "", false,
      [&] {
        bits.Set(0, true);
        return false;
      },
      bits));
  // A result other than the failure value is reported.
  EXPECT_FALSE(kztest::RefusedUnchanged(
      "", "", -1, [] { return 0; }, v));
  // Doubles compare bit for bit: NaN matches NaN, -0 is not +0.
  const double nan = std::numeric_limits<double>::quiet_NaN();
  EXPECT_TRUE(kztest::RefusedUnchanged(
      "", "", nan, [&] { return nan; }, v));
  EXPECT_FALSE(kztest::RefusedUnchanged(
      "", "", 0.0, [] { return -0.0; }, v));
  double x = 0.0;
  EXPECT_FALSE(kztest::LeftUnchanged(
      "", "", [&] { x = -0.0; }, x));
  // Types without a StateOf are copied and compared with ==.
  std::string text = "abc";
  EXPECT_TRUE(kztest::LeftUnchanged(
      "", "", [] {}, text));
  EXPECT_FALSE(kztest::LeftUnchanged(
      "", "", [&] { text += "d"; }, text));
}

}  // namespace
