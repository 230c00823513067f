#include "kzcommon12r/math/stats/KzPackedInt.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <set>
#include <vector>

#include "KzHashKeyTestSupport.h"
#include "kzcommon12r/math/stats/KzHashKey.h"
#include "support/KzDisplayCapture.h"
#include "support/KzRefusal.h"

using KzMath_1_2::KzHashKey;
using KzMath_1_2::KzPackedInt;
using kztest::ElementOffsetScope;

namespace {

constexpr int kDefaultBound = 9377657;
// The element offset that brings the packing bound down to 30.
constexpr int kOffsetForBound30 = kDefaultBound - 30;

TEST(KzPackedInt, PacksEveryCombinationToADistinctKeyAndBack) {
  const struct {
    int offset;  // sets the bound
    int lower;
    std::vector<int> nDiff;
    std::size_t units;
    bool aboveBound;  // a position alone exceeds the bound
  } cases[] = {
      {0, 1, {4, 5, 6}, 1, false},
      // Bound 30: 4*5 = 20 joins, 20*6 > 30 starts unit 1, 6*3 = 18 joins,
      // 18*2 > 30 starts unit 2.
      {kOffsetForBound30, -1, {4, 5, 6, 3, 2}, 3, false},
      // A product equal to the bound still joins.
      {kOffsetForBound30, 5, {1, 1, 30, 1}, 1, false},
      // 40 > 30 alone: unit 0 stays empty.
      {kOffsetForBound30, 0, {40, 2}, 3, true},
      {kOffsetForBound30, INT_MAX - 4, {2, 5, 1}, 1, false},
  };
  for (const auto& c : cases) {
    ElementOffsetScope scope(c.offset);
    const int n = static_cast<int>(c.nDiff.size());
    KzPackedInt p;
    ASSERT_TRUE(p.SetForSequence(n, c.lower, c.nDiff));
    const std::int64_t bound = KzHashKey::GetElementUpperBound();
    std::set<KzHashKey> keys;
    std::vector<int> values(c.nDiff.size(), c.lower), packed, back;
    std::size_t combinations = 0;
    for (bool more = true; more; ++combinations) {
      ASSERT_TRUE(p.Pack(values, packed, true));
      ASSERT_EQ(packed.size(), c.units);
      for (int u : packed) ASSERT_TRUE(u >= 0 && (u < bound || c.aboveBound)) << u;
      ASSERT_TRUE(p.Unpack(back, packed));
      ASSERT_EQ(back, values);
      keys.insert(kztest::MakeKey(std::vector<std::int32_t>(packed.begin(), packed.end())));
      // Next combination, first position fastest.
      more = false;
      for (int i = 0; i < n && !more; ++i) {
        if (values[i] - c.lower + 1 < c.nDiff[i]) {
          ++values[i];
          more = true;
        } else {
          values[i] = c.lower;
        }
      }
    }
    EXPECT_EQ(keys.size(), combinations) << "lower " << c.lower;
  }
}

TEST(KzPackedInt, UnitValuesAreMixedRadixLeastSignificantFirst) {
  std::vector<int> packed, back;
  // 1 + 2*4 + 0*20.
  ASSERT_TRUE(KzPackedInt(3, 1, {4, 5, 6}).Pack({2, 3, 1}, packed, true));
  EXPECT_EQ(packed, std::vector<int>{9});
  ASSERT_TRUE(KzPackedInt(3, 1, {4, 5, 6}).Unpack(back, packed));
  EXPECT_EQ(back, (std::vector<int>{2, 3, 1}));

  // 9e6 <= 9377657 < 2.7e10: two units under the default bound.
  const KzPackedInt wide(3, 0, {3000, 3000, 3000});
  ASSERT_TRUE(wide.Pack({2999, 2999, 2999}, packed, true));
  EXPECT_EQ(packed, (std::vector<int>{8999999, 2999}));

  ElementOffsetScope scope(kOffsetForBound30);
  const KzPackedInt split(5, -1, {4, 5, 6, 3, 2});
  // Units: 3 + 4*4, 5 + 2*6, 1.
  ASSERT_TRUE(split.Pack({2, 3, 4, 1, 0}, packed, true));
  EXPECT_EQ(packed, (std::vector<int>{19, 17, 1}));
}

TEST(KzPackedInt, RefusedLayoutsLeaveAnEmptyPacking) {
  const struct {
    int n, lower;
    std::vector<int> nDiff;
  } cases[] = {
      {0, 0, {2}}, {-1, 0, {2}}, {3, 0, {2, 2}}, {2, 0, {2, 0}}, {1, INT_MAX, {2}},
  };
  for (const auto& c : cases) {
    KzPackedInt p(2, 0, {3, 3});
    EXPECT_FALSE(p.SetForSequence(c.n, c.lower, c.nDiff)) << c.n;
    EXPECT_EQ(p.GetNDiffVal(0), -1);
    std::vector<int> packed{4, 4}, values{5};
    EXPECT_TRUE(p.Pack({}, packed, true));
    EXPECT_TRUE(packed.empty());
    EXPECT_TRUE(p.Unpack(values, packed));
    EXPECT_EQ(values, std::vector<int>{5});
  }
  const KzPackedInt kept(4, 7, {2, 3, 4, 5, 6});  // entries beyond n are ignored
  EXPECT_EQ(kept.GetLowerBound(), 7);
  EXPECT_EQ(kept.GetNDiffVal(3), 5);
  EXPECT_EQ(kept.GetNDiffVal(4), -1);
}

TEST(KzPackedInt, RefusedPackAndUnpackWriteNothing) {
  ElementOffsetScope scope(kOffsetForBound30);
  const KzPackedInt p(3, 2, {4, 5, 6});  // units {0, 0, 1}, products {4, 20, 6}
  std::vector<int> packed{-9};
  // The size is checked with or without the range check.
  KZ_EXPECT_REFUSED(false, p.Pack({2, 2}, packed, false), packed);
  KZ_EXPECT_REFUSED(false, p.Pack({2, 2}, packed, true), packed);
  KZ_EXPECT_REFUSED(false, p.Pack({1, 2, 2}, packed, true), packed);  // below lower
  KZ_EXPECT_REFUSED(false, p.Pack({2, 7, 2}, packed, true), packed);  // lower + nDiff
  KZ_EXPECT_REFUSED(false, p.Pack({2, 2, INT_MIN}, packed, true), packed);
  // Unchecked out-of-range values give meaningless but defined units.
  EXPECT_TRUE(p.Pack({INT_MIN, INT_MAX, INT_MIN}, packed, false));

  std::vector<int> values{1, 1, 1, 1};
  KZ_EXPECT_REFUSED(false, p.Unpack(values, {3}), values);
  KZ_EXPECT_REFUSED(false, p.Unpack(values, {20, 0}), values);  // unit 0 holds 0..19
  KZ_EXPECT_REFUSED(false, p.Unpack(values, {0, 6}), values);
  KZ_EXPECT_REFUSED(false, p.Unpack(values, {-1, 0}), values);
  EXPECT_TRUE(p.Unpack(values, {19, 5, 77}));  // extra units and values are kept
  EXPECT_EQ(values, (std::vector<int>{5, 6, 7, 1}));
}

TEST(KzPackedInt, DisplayLayout) {
  ElementOffsetScope scope(kOffsetForBound30);
  kztest::DisplayCapture capture;
  KzPackedInt(5, -1, {4, 5, 6, 3, 2}).Display();
  EXPECT_EQ(capture.Text(),
            "\nKzPackedInt display start"
            "\nThe sequence size = 5"
            "\nThe lower bound = -1"
            "\nThe vector of numbers of different values (size = 5)"
            "\n  4 5 6 3 2"
            "\nThe number of packed storage units = 3"
            "\nThe vector of packed storage unit indices (size = 5)"
            "\n  0 0 1 1 2"
            "\nThe vector of products (size = 5)"
            "\n  4 20 6 18 2"
            "\nKzPackedInt display end");
}

}  // namespace
