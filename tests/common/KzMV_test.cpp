#include "kzcommon12r/common/KzMV.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

using KzCommon_1_2::KzMV;

namespace {

TEST(KzMV, IsTheMostNegativeFiniteDoubleBitForBit) {
  const double mv = KzMV::Missing();
  std::uint64_t bits = 0;
  std::memcpy(&bits, &mv, sizeof bits);
  EXPECT_EQ(bits, 0xFFEFFFFFFFFFFFFFull);
  EXPECT_EQ(KzMV::gMissingValue, mv);
  EXPECT_EQ(mv, -std::numeric_limits<double>::max());
}

TEST(KzMV, OnlyTheReservedValueIsMissing) {
  const double next = std::nextafter(KzMV::gMissingValue, 0.0);
  struct Case {
    double x;
    bool missing;
  } const cases[] = {
      {-1.7976931348623157e+308, true},
      {next, false},  // -1.7976931348623155e+308
      {std::numeric_limits<double>::quiet_NaN(), false},
      {-std::numeric_limits<double>::infinity(), false},
      {std::numeric_limits<double>::max(), false},
      {0.0, false},
  };
  for (const Case& c : cases) EXPECT_EQ(KzMV::IsMissing(c.x), c.missing) << c.x;
}

}  // namespace
