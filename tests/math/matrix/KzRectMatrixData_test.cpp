#include "kzcommon12r/math/matrix/KzRectMatrixData.h"

#include <gtest/gtest.h>

#include <climits>
#include <stdexcept>
#include <utility>
#include <vector>

#include "kzcommon12r/common/KzMV.h"
#include "support/KzDisplayCapture.h"
#include "support/KzMatrixBuilders.h"
#include "support/KzRefusal.h"

using KzCommon_1_2::KzMV;
using KzMath_1_2::IKzRectMatrix;
using KzMath_1_2::KzRectMatrixData;

namespace {

constexpr double kMiss = KzMV::gMissingValue;

// Element (r, c) = 10 r + c, so every value names its place.
KzRectMatrixData Numbered(int rows, int cols) {
  KzRectMatrixData m(rows, cols);
  for (int r = 0; r < rows; ++r)
    for (int c = 0; c < cols; ++c) m.At(r, c) = 10.0 * r + c;
  return m;
}

// Exposes the protected size arithmetic.
struct RectProbe : KzRectMatrixData {
  using KzRectMatrixData::ElementCount;
};

TEST(KzRectMatrixData, ConstructionAndCounts) {
  const KzRectMatrixData empty;
  EXPECT_EQ(empty.GetNRows(), 0);
  EXPECT_EQ(empty.GetNCols(), 0);
  EXPECT_TRUE(empty.IsValidMatrix());
  EXPECT_EQ(empty.GetMatrixType(), IKzRectMatrix::kRectMatrixData);
  EXPECT_EQ(static_cast<int>(empty.GetMatrixType()), 0);

  const KzRectMatrixData m(-2, 3);  // negative sizes are taken as 0
  EXPECT_EQ(m.GetNRows(), 0);
  EXPECT_EQ(m.GetNCols(), 3);
  EXPECT_TRUE(m.IsValidMatrix());
  EXPECT_EQ(m.GetElem(0, 0), kMiss);
  EXPECT_TRUE(m.AsVectorConst().empty());

  const KzRectMatrixData z(2, 3);
  EXPECT_EQ(z.AsVectorConst(), std::vector<double>(6, 0.0));
  EXPECT_EQ(KzRectMatrixData(3, -1).GetNCols(), 0);
}

TEST(KzRectMatrixData, RowMajorLayout) {
  const KzRectMatrixData m = Numbered(3, 4);
  EXPECT_EQ(m.AsVectorConst(), (std::vector<double>{0, 1, 2, 3, 10, 11, 12, 13, 20, 21, 22, 23}));
  EXPECT_EQ(m.Pos(2, 1), 9u);
  EXPECT_EQ(m.GetElem(1, 2), 12);
  EXPECT_EQ(m.At(2, 3), 23);
  // Rows are contiguous; a column steps nCols.
  EXPECT_EQ(m.GetRowPtr(1), m.Data() + 4);
  EXPECT_EQ(m.RowData(2), m.Data() + 8);
  const double* col = m.GetColPtr(2);
  ASSERT_NE(col, nullptr);
  EXPECT_EQ(col, m.Data() + 2);
  EXPECT_EQ(col[0], 2);
  EXPECT_EQ(col[4], 12);  // element (1, 2) lies 4 positions further
  EXPECT_EQ(col[8], 22);
}

TEST(KzRectMatrixData, CheckedAccessRefusesOutside) {
  const KzRectMatrixData m = Numbered(3, 4);
  const std::vector<std::pair<int, int>> outside = {{-1, 0}, {3, 0},       {0, -1},
                                                    {0, 4},  {INT_MAX, 0}, {0, INT_MIN}};
  for (const auto& rc : outside)
    EXPECT_EQ(m.GetElem(rc.first, rc.second), kMiss) << rc.first << "," << rc.second;
  EXPECT_EQ(m.GetRowPtr(-1), nullptr);
  EXPECT_EQ(m.GetRowPtr(3), nullptr);
  EXPECT_EQ(m.GetColPtr(-1), nullptr);
  EXPECT_EQ(m.GetColPtr(4), nullptr);
  // No elements: no pointer, even for an index inside the other count.
  const KzRectMatrixData noRows(0, 3);
  EXPECT_EQ(noRows.GetColPtr(1), nullptr);
  const KzRectMatrixData noCols(3, 0);
  EXPECT_EQ(noCols.GetRowPtr(1), nullptr);
  EXPECT_EQ(KzRectMatrixData().GetRowPtr(0), nullptr);
  EXPECT_EQ(KzRectMatrixData().GetColPtr(0), nullptr);
}

TEST(KzRectMatrixData, RowsAndColumns) {
  const KzRectMatrixData m = Numbered(3, 4);
  std::vector<double> out;
  ASSERT_TRUE(m.GetRow(1, out));
  EXPECT_EQ(out, (std::vector<double>{10, 11, 12, 13}));
  ASSERT_TRUE(m.GetCol(3, out));
  EXPECT_EQ(out, (std::vector<double>{3, 13, 23}));
  // An output of the right length is reused, not reallocated.
  const double* storage = out.data();
  ASSERT_TRUE(m.GetCol(0, out));
  EXPECT_EQ(out.data(), storage);
  EXPECT_EQ(out, (std::vector<double>{0, 10, 20}));

  out = {7, 8};
  KZ_EXPECT_REFUSED(false, m.GetRow(-1, out), out, m);
  KZ_EXPECT_REFUSED(false, m.GetRow(3, out), out, m);
  KZ_EXPECT_REFUSED(false, m.GetCol(-1, out), out, m);
  KZ_EXPECT_REFUSED(false, m.GetCol(4, out), out, m);

  // Rows of a matrix without columns are empty; columns of one without rows too.
  const KzRectMatrixData noCols(2, 0);
  ASSERT_TRUE(noCols.GetRow(1, out));
  EXPECT_TRUE(out.empty());
  const KzRectMatrixData noRows(0, 2);
  out = {1};
  ASSERT_TRUE(noRows.GetCol(1, out));
  EXPECT_TRUE(out.empty());
}

TEST(KzRectMatrixData, CopyMoveAndAssignment) {
  const KzRectMatrixData m = Numbered(2, 3);
  KzRectMatrixData copy(m);
  EXPECT_EQ(kztest::StateOf(copy), kztest::StateOf(m));
  copy.At(0, 0) = 99;  // deep copy
  EXPECT_EQ(m.At(0, 0), 0);

  KzRectMatrixData assigned(5, 5);
  assigned = m;
  EXPECT_EQ(kztest::StateOf(assigned), kztest::StateOf(m));
  KzRectMatrixData& self = assigned;
  assigned = self;
  EXPECT_EQ(kztest::StateOf(assigned), kztest::StateOf(m));

  KzRectMatrixData moved(std::move(assigned));
  EXPECT_EQ(kztest::StateOf(moved), kztest::StateOf(m));
  EXPECT_EQ(assigned.GetNRows(), 0);  // NOLINT: the documented moved-from state
  EXPECT_EQ(assigned.GetNCols(), 0);
  EXPECT_TRUE(assigned.AsVectorConst().empty());
  KzRectMatrixData target(1, 1);
  target = std::move(moved);
  EXPECT_EQ(kztest::StateOf(target), kztest::StateOf(m));
  EXPECT_EQ(moved.GetNRows(), 0);  // NOLINT: the documented moved-from state
}

TEST(KzRectMatrixData, SizesAreComputedInSizeT) {
  // 50000 x 50000 = 2.5e9 elements: past INT_MAX.
  EXPECT_EQ(RectProbe::ElementCount(50000, 50000), 2500000000u);
  EXPECT_EQ(RectProbe::ElementCount(INT_MAX, 2), 4294967294u);
  EXPECT_EQ(RectProbe::ElementCount(-1, 5), 0u);
  // Rectangular storage lets a failed sizing propagate; a size past
  // the vector's max_size() is refused before any allocation.
  EXPECT_THROW(KzRectMatrixData(INT_MAX, INT_MAX), std::length_error);
}

TEST(KzRectMatrixData, InterfaceDefaultsStayInPlace) {
  // KzRectMatrixData implements the core only: the rest refuses through the
  // interface.
  KzRectMatrixData m = Numbered(2, 2);
  IKzRectMatrix& im = m;
  KZ_EXPECT_REFUSED(false, im.SetElem(0, 0, 5.0), m);
  KZ_EXPECT_REFUSED(-1, im.AddRow(), m);
  KZ_EXPECT_REFUSED(false, im.Resize(3, 3), m);
  KZ_EXPECT_UNCHANGED(im.Clear(), m);
  KZ_EXPECT_UNCHANGED(im.Transpose(), m);
}

using RectDisplayTest = kztest::DisplayCaptureTest;

TEST_F(RectDisplayTest, Display) {
  KzRectMatrixData m = Numbered(2, 3);
  m.At(1, 2) = kMiss;
  m.Display();
  EXPECT_EQ(capture.Take(),
            "\nKzRectMatrixData display start"
            "\nNumber of rows = 2"
            "\nNumber of columns = 3"
            "\nrow  0: \n  0 1 2"
            "\nrow  1: \n  10 11 miss"
            "\nKzRectMatrixData display end");
  KzRectMatrixData(2, 0).Display();  // no rows shown without columns
  EXPECT_EQ(capture.Take(),
            "\nKzRectMatrixData display start"
            "\nNumber of rows = 2"
            "\nNumber of columns = 0"
            "\nKzRectMatrixData display end");
  // DisplayF is the interface default: nothing.
  m.DisplayF();
  EXPECT_EQ(capture.Take(), "");
}

}  // namespace
