#include "kzcommon12r/math/matrix/KzBitSet.h"

#include <gtest/gtest.h>

#include <climits>

#include "support/KzDisplayCapture.h"

using KzMath_1_2::KzBitSet;

namespace {

KzBitSet Make(std::initializer_list<bool> flags) {
  KzBitSet s;
  for (bool f : flags) s.Append(f);
  return s;
}

TEST(KzBitSet, ConstructionAndResize) {
  KzBitSet neg(-3);
  EXPECT_EQ(neg.Size(), 0);
  EXPECT_FALSE(neg.Set(0, true));
  KzBitSet s(4);
  EXPECT_EQ(s.InSet(), 0);
  KzBitSet t = Make({false, true});
  t.Resize(4, true);
  EXPECT_EQ(t, Make({true, true, true, true}));
  t.Resize(-1, true);
  EXPECT_EQ(t.Size(), 0);
  EXPECT_EQ(t.Append(true), 1);
  t.Clear();
  EXPECT_EQ(t, Make({false}));
}

TEST(KzBitSet, RefusedEditsChangeNothing) {
  KzBitSet s = Make({false, true, false, true, false});
  const KzBitSet before = s;
  EXPECT_FALSE(s.Set(-1, true));
  EXPECT_FALSE(s.Set(5, true));
  EXPECT_FALSE(s.SetRange(-1, 2, true));
  EXPECT_FALSE(s.SetRange(3, 2, true));
  EXPECT_FALSE(s.SetRange(0, 5, true));
  EXPECT_FALSE(s.SetSubset({0, 7}, true));  // not even flag 0
  EXPECT_FALSE(s.SetSubset({-1}, true));
  EXPECT_EQ(s, before);
  EXPECT_TRUE(s.SetSubset({}, true));
  EXPECT_EQ(s, before);
  EXPECT_FALSE(s.IsIn(-1));
  EXPECT_FALSE(s.IsIn(5));
}

TEST(KzBitSet, EditsAndCounts) {
  KzBitSet s(6);
  EXPECT_TRUE(s.SetRange(1, 3, true));
  EXPECT_TRUE(s.SetSubset({5, 5, 0}, true));
  EXPECT_TRUE(s.Set(2, false));
  EXPECT_EQ(s, Make({true, true, false, true, false, true}));
  EXPECT_EQ(s.InSet(), 4);
  EXPECT_EQ(s.InRange(0, 5), 4);
  EXPECT_EQ(s.InRange(2, 4), 1);
  EXPECT_EQ(s.InRange(4, 3), -1);
  EXPECT_EQ(s.InRange(0, 6), -1);
  EXPECT_EQ(s.InRangeS(1, 3), 2);
  s.Negate();
  EXPECT_EQ(s, Make({false, false, true, false, true, false}));
}

TEST(KzBitSet, InRangeSBounds) {
  const KzBitSet s = Make({true, false, true});
  struct Case {
    int start, count, expected;
  } const cases[] = {
      {2, 0, 0},  {2, 2, -1}, {3, 0, 0},        {0, 3, 2},       {-1, 1, -1},
      {0, -1, -1}, {4, 0, -1}, {1, INT_MAX, -1}, {INT_MAX, 1, -1}, {INT_MAX, INT_MAX, -1},
  };
  for (const Case& c : cases)
    EXPECT_EQ(s.InRangeS(c.start, c.count), c.expected) << c.start << "," << c.count;
}

TEST(KzBitSet, AndOrTruncateToTheShorterOperand) {
  const KzBitSet a = Make({true, true, false});
  const KzBitSet b = Make({true, false, true, true, true});
  KzBitSet r;
  r.DoAND(a, b);
  EXPECT_EQ(r, Make({true, false, false}));
  r.DoOR(a, b);
  EXPECT_EQ(r, Make({true, true, true}));
}

TEST(KzBitSet, AndOrWithThisSetAsOperand) {
  KzBitSet x = Make({true, true, false, false});
  const KzBitSet y = Make({true, false, true, false, true});
  x.DoAND(x, y);
  EXPECT_EQ(x, Make({true, false, false, false}));
  KzBitSet z = Make({false, true, false});
  z.DoOR(y, z);
  EXPECT_EQ(z, Make({true, true, true}));
  KzBitSet w = Make({true, false});
  w.DoOR(w, w);
  EXPECT_EQ(w, Make({true, false}));
}

TEST(KzBitSet, SubsetClipsItsRange) {
  KzBitSet s = Make({true, false, true, true});
  EXPECT_EQ(s.GetSubset(-2, 10), s);
  EXPECT_EQ(s.GetSubset(3, 1).Size(), 0);
  EXPECT_EQ(s.GetSubset(1, 2), Make({false, true}));
  EXPECT_EQ(s.GetSubset(INT_MIN, INT_MIN).Size(), 0);
  EXPECT_EQ(s.GetSubset(INT_MAX, INT_MAX).Size(), 0);
}

TEST(KzBitSet, IsNewFalse) {
  const KzBitSet now = Make({true, true, false});
  EXPECT_FALSE(now.IsNewFalse(Make({true, true, true}), 3));
  EXPECT_TRUE(now.IsNewFalse(Make({true, false, true}), 3));
  EXPECT_FALSE(now.IsNewFalse(Make({true, false, true}), 1));  // index 1 not looked at
  EXPECT_TRUE(now.IsNewFalse(Make({true}), 3));                // past other's end is false
  EXPECT_FALSE(now.IsNewFalse(Make({}), -4));
}

TEST(KzBitSet, Ordering) {
  EXPECT_TRUE(Make({false, true}) < Make({true}));
  EXPECT_TRUE(Make({true}) < Make({true, false}));
  EXPECT_FALSE(Make({true, false}) < Make({true}));
  EXPECT_FALSE(Make({true}) < Make({true}));
  EXPECT_TRUE(Make({}) < Make({false}));
  EXPECT_FALSE(Make({true}) == Make({true, false}));
}

TEST(KzBitSet, Display) {
  kztest::DisplayCapture capture;
  Make({true, false}).Display();
  EXPECT_EQ(capture.Take(), "\nKzBitSet display start\nfbVec (size = 2)\n  t f\nKzBitSet display end");
}

TEST(KzBitSet, CountsOverWordBoundaries) {
  // Flags are packed in words: check counts that straddle them.
  KzBitSet s(200);
  for (int i = 0; i < 200; i += 3) s.Set(i, true);
  int expected = 0;
  for (int i = 30; i <= 170; ++i) expected += (i % 3 == 0);
  EXPECT_EQ(s.InRange(30, 170), expected);
  EXPECT_EQ(s.InRangeS(30, 141), expected);
  EXPECT_EQ(s.InSet(), 67);
}

}  // namespace
