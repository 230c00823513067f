#include "kzcommon12r/common/KzStatus.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

using KzCommon_1_2::KzStatus;

namespace {

TEST(KzStatus, SeverityFollowsTheConstructor) {
  struct Case {
    KzStatus status;
    bool ok, warning, error;
    long code;
  } const cases[] = {
      {KzStatus(), true, false, false, 0},
      {KzStatus(5, true), false, true, false, 5},
      {KzStatus(0, false), false, false, true, 0},  // an error although its code is 0
      {KzStatus(-7, false), false, false, true, -7},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.status.IsOK(), c.ok);
    EXPECT_EQ(c.status.IsWarning(), c.warning);
    EXPECT_EQ(c.status.IsError(), c.error);
    EXPECT_EQ(c.status.GetErrorCode(), c.code);
  }
}

TEST(KzStatus, CodeAndSlotsAreThirtyTwoBit) {
  // long is 64-bit here; the status keeps 32-bit values and wraps like one.
  const long big = static_cast<long>(std::numeric_limits<std::int32_t>::max()) + 1;
  KzStatus s(big, true);
  EXPECT_EQ(s.GetErrorCode(), std::numeric_limits<std::int32_t>::min());
  s.SetDiscreteDatum(1, big + 5);
  EXPECT_EQ(s.GetDiscreteDatum(1), static_cast<long>(std::numeric_limits<std::int32_t>::min()) + 5);
}

TEST(KzStatus, SlotsStartAtZeroAndHoldTheirValues) {
  KzStatus s(3, false);
  for (unsigned i = 0; i < 3; ++i) {
    EXPECT_EQ(s.GetDiscreteDatum(i), 0);
    EXPECT_EQ(s.GetScaleDatum(i), 0.0);
    s.SetDiscreteDatum(i, 10 + i);
    s.SetScaleDatum(i, 0.5 * i);
  }
  for (unsigned i = 0; i < 3; ++i) {
    EXPECT_EQ(s.GetDiscreteDatum(i), static_cast<long>(10 + i));
    EXPECT_EQ(s.GetScaleDatum(i), 0.5 * i);
  }
}

TEST(KzStatus, SlotIndexOutOfRangeIsIgnored) {
  KzStatus s(3, false);
  const KzStatus before = s;
  s.SetDiscreteDatum(3, 99);
  s.SetScaleDatum(3, 9.5);
  s.SetDiscreteDatum(~0u, 1);
  EXPECT_EQ(s.GetDiscreteDatum(3), 0);
  EXPECT_EQ(s.GetScaleDatum(1000), 0.0);
  EXPECT_TRUE(s == before);
}

TEST(KzStatus, EqualityComparesEveryField) {
  const KzStatus base(4, true);
  EXPECT_TRUE(base == KzStatus(4, true));
  EXPECT_FALSE(base == KzStatus(4, false));  // severity
  EXPECT_FALSE(base == KzStatus(5, true));   // code
  KzStatus d = base;
  d.SetDiscreteDatum(2, 1);
  EXPECT_FALSE(base == d);
  KzStatus s = base;
  s.SetScaleDatum(2, 1e-300);
  EXPECT_FALSE(base == s);
  EXPECT_TRUE(base != s);
  // -0.0 and 0.0 compare equal as doubles.
  KzStatus z = base;
  z.SetScaleDatum(0, -0.0);
  EXPECT_TRUE(base == z);
}

TEST(KzStatus, NaNSlotMakesStatusesUnequal) {
  KzStatus a(1, true);
  a.SetScaleDatum(1, std::numeric_limits<double>::quiet_NaN());
  const KzStatus b = a;
  EXPECT_FALSE(a == b);
  EXPECT_FALSE(a == a);
}

}  // namespace
