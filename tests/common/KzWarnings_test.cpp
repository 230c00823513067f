#include "kzcommon12r/common/KzWarnings.h"

#include <gtest/gtest.h>

#include <limits>

using KzCommon_1_2::KzStatus;
using KzCommon_1_2::KzWarnings;

namespace {

TEST(KzWarnings, KeepsFirstOccurrenceInInsertionOrder) {
  KzWarnings w;
  w.AddWarning(KzStatus(2, true));
  w.AddWarning(KzStatus(1, true));
  w.AddWarning(KzStatus(2, true));
  ASSERT_EQ(w.GetWarnings().size(), 2u);
  EXPECT_EQ(w.GetWarnings()[0].GetErrorCode(), 2);
  EXPECT_EQ(w.GetWarnings()[1].GetErrorCode(), 1);
}

TEST(KzWarnings, AddWarningsCollapsesDuplicatesInsideTheBatch) {
  KzWarnings w;
  w.AddWarning(KzStatus(9, true));
  w.AddWarnings({KzStatus(7, true), KzStatus(7, true), KzStatus(8, false), KzStatus(9, true)});
  ASSERT_EQ(w.GetWarnings().size(), 3u);
  EXPECT_EQ(w.GetWarnings()[1].GetErrorCode(), 7);
  EXPECT_TRUE(w.GetWarnings()[2].IsError());
}

TEST(KzWarnings, AddingItsOwnSequenceChangesNothing) {
  KzWarnings w;
  w.AddWarnings({KzStatus(1, true), KzStatus(2, true), KzStatus(3, true)});
  w.AddWarnings(w.GetWarnings());
  EXPECT_EQ(w.GetWarnings().size(), 3u);
}

TEST(KzWarnings, NaNStatusesAreNeverDuplicates) {
  // Equality treats a NaN slot as unequal, so each such status is kept.
  KzStatus s(1, true);
  s.SetScaleDatum(0, std::numeric_limits<double>::quiet_NaN());
  KzWarnings w;
  w.AddWarning(s);
  w.AddWarning(s);
  EXPECT_EQ(w.GetWarnings().size(), 2u);
}

TEST(KzWarnings, ClearAndCopy) {
  KzWarnings w;
  w.ClearWarnings();
  EXPECT_TRUE(w.GetWarnings().empty());
  w.AddWarning(KzStatus(1, true));
  KzWarnings copy(w);
  w.ClearWarnings();
  EXPECT_TRUE(w.GetWarnings().empty());
  ASSERT_EQ(copy.GetWarnings().size(), 1u);
  w = copy;
  EXPECT_EQ(w.GetWarnings().size(), 1u);
}

}  // namespace
