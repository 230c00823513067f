#include "kzcommon12r/math/matrix/KzSymMatrixData.h"

#include <gtest/gtest.h>

#include <climits>
#include <utility>
#include <vector>

#include "kzcommon12r/common/KzMV.h"
#include "support/KzDisplayCapture.h"
#include "support/KzMatrixBuilders.h"
#include "support/KzRefusal.h"

using KzCommon_1_2::KzMV;
using KzMath_1_2::IKzSymMatrix;
using KzMath_1_2::KzSymMatrixData;

namespace {

constexpr double kMiss = KzMV::gMissingValue;

// Exposes the protected sizing helpers, as the derived matrix classes use them.
struct SymProbe : KzSymMatrixData {
  using KzSymMatrixData::KzSymMatrixData;
  using KzSymMatrixData::ResizeNRows;
  using KzSymMatrixData::ResizeOrder;
  using KzSymMatrixData::SetInvalid;
};

// Packed storage holding its own positions: position k holds k.
SymProbe Positions(int n) {
  SymProbe m(n);
  for (std::size_t k = 0; k < m.AsVectorConst().size(); ++k) m.Data()[k] = static_cast<double>(k);
  return m;
}

void ExpectCounts(const KzSymMatrixData& m, int n, int nBlocks, int blockSize) {
  EXPECT_EQ(m.GetNRows(), n);
  EXPECT_EQ(m.GetNBlocks(), nBlocks);
  EXPECT_EQ(m.GetBlockSize(), blockSize);
  EXPECT_EQ(m.IsValidMatrix(), n >= 0);
  EXPECT_EQ(m.AsVectorConst().size(), KzSymMatrixData::PackedSize(n));
}

TEST(KzSymMatrixData, Construction) {
  ExpectCounts(KzSymMatrixData(), 0, 0, 0);
  ExpectCounts(KzSymMatrixData(4), 4, 1, 4);
  ExpectCounts(KzSymMatrixData(0), 0, 1, 0);
  // A negative order: order 0 and block size 0, so nRows = nBlocks * blockSize.
  ExpectCounts(KzSymMatrixData(-3), 0, 0, 0);
  ExpectCounts(KzSymMatrixData(3, 2), 6, 3, 2);
  ExpectCounts(KzSymMatrixData(2, 0), 0, 0, 0);
  ExpectCounts(KzSymMatrixData(0, 5), 0, 0, 0);
  ExpectCounts(KzSymMatrixData(-1, 3), 0, 0, 0);
  const KzSymMatrixData m(3);
  EXPECT_EQ(m.AsVectorConst(), std::vector<double>(6, 0.0));
  EXPECT_EQ(m.GetType(), IKzSymMatrix::kSymMatrixData);
  EXPECT_EQ(static_cast<int>(m.GetType()), 1);
}

TEST(KzSymMatrixData, PackedLayoutOfOrderThree) {
  const SymProbe m = Positions(3);
  // Storage order: (0,0) (1,0) (1,1) (2,0) (2,1) (2,2).
  const int expected[3][3] = {{0, 1, 3}, {1, 2, 4}, {3, 4, 5}};
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j) EXPECT_EQ(m.GetElem(i, j), expected[i][j]) << i << "," << j;
  EXPECT_EQ(m.GetElem(0, 2), 3);  // read at (2, 0), position 3
  EXPECT_EQ(KzSymMatrixData::PackedPos(2, 1), 4u);
  EXPECT_EQ(KzSymMatrixData::RowStart(2), 3u);
  EXPECT_EQ(m.RowData(2), m.Data() + 3);
  EXPECT_EQ(m.GetPackedRowPtr(1), m.Data() + 1);
  EXPECT_EQ(m.GetPackedRowPtr(3), nullptr);
  EXPECT_EQ(m.GetPackedRowPtr(-1), nullptr);
  EXPECT_EQ(m.LowerAt(2, 0), 3);
  EXPECT_EQ(m.At(1, 2), 4);
}

TEST(KzSymMatrixData, UncheckedWritesAreSymmetric) {
  KzSymMatrixData m(4);
  m.At(0, 3) = 7;  // stored at (3, 0)
  m.LowerAt(2, 1) = 5;
  EXPECT_EQ(m.GetElem(3, 0), 7);
  EXPECT_EQ(m.GetElem(0, 3), 7);
  EXPECT_EQ(m.GetElem(1, 2), 5);
  EXPECT_EQ(m.AsVectorConst()[KzSymMatrixData::PackedPos(3, 0)], 7);
}

TEST(KzSymMatrixData, ResizingKeepsTheLeadingBlock) {
  SymProbe m = Positions(2);  // 0, 1, 2
  ASSERT_TRUE(m.ResizeOrder(3));
  ExpectCounts(m, 3, 1, 3);
  EXPECT_EQ(m.AsVectorConst(), (std::vector<double>{0, 1, 2, 0, 0, 0}));
  m = Positions(4);
  ASSERT_TRUE(m.ResizeOrder(2));
  EXPECT_EQ(m.AsVectorConst(), (std::vector<double>{0, 1, 2}));
  ASSERT_TRUE(m.ResizeOrder(-1));
  ExpectCounts(m, 0, 0, 0);

  std::vector<double> v = {1, 2, 3};
  int n = 3;
  EXPECT_TRUE(SymProbe::ResizeNRows(v, n));
  EXPECT_EQ(n, 3);
  EXPECT_EQ(v, (std::vector<double>{1, 2, 3, 0, 0, 0}));
  n = -4;
  EXPECT_TRUE(SymProbe::ResizeNRows(v, n));
  EXPECT_EQ(n, 0);
  EXPECT_TRUE(v.empty());
}

TEST(KzSymMatrixData, PositionsAreComputedInSizeT) {
  // n(n+1) overflows an int from n = 46341, n(n+1)/2 from n = 65536.
  EXPECT_EQ(KzSymMatrixData::PackedSize(46341), 1073767311u);
  EXPECT_EQ(KzSymMatrixData::PackedSize(65536), 2147516416u);
  EXPECT_EQ(KzSymMatrixData::RowStart(INT_MAX), 2305843008139952128u);
  EXPECT_EQ(KzSymMatrixData::PackedPos(46341, 46341), 1073767311u + 46341u);
  EXPECT_EQ(KzSymMatrixData::PackedSize(0), 0u);
  EXPECT_EQ(KzSymMatrixData::PackedSize(-5), 0u);
}

void ExpectInvalid(const KzSymMatrixData& m) {
  EXPECT_FALSE(m.IsValidMatrix());
  EXPECT_EQ(m.GetNRows(), -1);
  EXPECT_EQ(m.GetNBlocks(), 0);
  EXPECT_EQ(m.GetBlockSize(), 0);
  EXPECT_TRUE(m.AsVectorConst().empty());
  EXPECT_EQ(m.GetElem(0, 0), kMiss);
  std::vector<double> out = {1, 2};
  m.GetDiagonal(out);
  EXPECT_TRUE(out.empty());  // emptied, never sized to -1
  for (int i : {0, -1}) {
    out = {1, 2};
    EXPECT_FALSE(m.GetRow(i, out));
    EXPECT_TRUE(out.empty());  // emptied like the diagonal
  }
}

TEST(KzSymMatrixData, AnOrderThatCannotBeRepresentedMakesTheMatrixInvalid) {
  ExpectInvalid(KzSymMatrixData(65536, 65536));  // order 2^32
  ExpectInvalid(KzSymMatrixData(2, 1 << 30));    // order 2^31
  ExpectInvalid(KzSymMatrixData(INT_MAX, INT_MAX));
}

TEST(KzSymMatrixData, StorageThatCannotBeSizedMakesTheMatrixInvalid) {
  // INT_MAX(INT_MAX+1)/2 doubles exceed the vector's max_size(): std::length_error,
  // raised before any allocation.
  ExpectInvalid(KzSymMatrixData(INT_MAX));
  ExpectInvalid(KzSymMatrixData(1, INT_MAX));
  SymProbe m = Positions(3);
  const std::vector<double> before = m.AsVectorConst();
  std::vector<double> v = before;
  int n = INT_MAX;
  EXPECT_FALSE(SymProbe::ResizeNRows(v, n));
  EXPECT_EQ(n, -1);
  EXPECT_EQ(v, before);  // the storage is left as it was
  EXPECT_FALSE(m.ResizeOrder(INT_MAX));
  ExpectInvalid(m);
  // A valid order again makes it usable.
  EXPECT_TRUE(m.ResizeOrder(2));
  ExpectCounts(m, 2, 1, 2);
}

TEST(KzSymMatrixData, AllocationFailureMakesTheMatrixInvalid) {
#if defined(__SANITIZE_ADDRESS__)
  GTEST_SKIP() << "AddressSanitizer reports an oversized allocation instead of throwing";
#else
  // 2e14 doubles (1.6 PB) is below max_size() but beyond any address space:
  // std::bad_alloc.
  ExpectInvalid(KzSymMatrixData(20000000));
#endif
}

TEST(KzSymMatrixData, DiagonalAndRows) {
  const std::vector<double> full = {4, 1, 2, 3,  //
                                    1, 5, 6, 7,  //
                                    2, 6, 8, 9,  //
                                    3, 7, 9, 10};
  KzSymMatrixData m(4);
  ASSERT_TRUE(kztest::Fill(m, kztest::PackLower(full, 4)));
  std::vector<double> out;
  m.GetDiagonal(out);
  EXPECT_EQ(out, (std::vector<double>{4, 5, 8, 10}));
  const double* storage = out.data();
  for (int i = 0; i < 4; ++i) {
    ASSERT_TRUE(m.GetRow(i, out));
    const auto row = full.begin() + 4L * i;
    EXPECT_EQ(out, std::vector<double>(row, row + 4)) << i;
  }
  EXPECT_EQ(out.data(), storage);  // the right length is reused
  out = {1, 2, 3};
  KZ_EXPECT_REFUSED(false, m.GetRow(4, out), out, m);
  KZ_EXPECT_REFUSED(false, m.GetRow(-1, out), out, m);
  for (int i = -1; i <= 4; ++i) {
    EXPECT_EQ(m.GetElem(i, 4), kMiss);
    EXPECT_EQ(m.GetElem(4, i), kMiss);
    EXPECT_EQ(m.GetElem(-1, i), kMiss);
  }
  KzSymMatrixData().GetDiagonal(out);
  EXPECT_TRUE(out.empty());
}

TEST(KzSymMatrixData, BlockElements) {
  SymProbe m(3, 2);  // order 6 in three blocks of two
  for (std::size_t k = 0; k < m.AsVectorConst().size(); ++k) m.Data()[k] = static_cast<double>(k);
  EXPECT_EQ(m.GetElem(1, 0, 1, 0), m.GetElem(3, 0));
  EXPECT_EQ(m.GetElem(0, 2, 1, 1), m.GetElem(1, 5));
  EXPECT_EQ(m.GetElem(3, 0, 0, 0), kMiss);
  EXPECT_EQ(m.GetElem(0, 0, 0, 6), kMiss);
  EXPECT_EQ(m.GetElem(INT_MAX, 0, 0, 0), kMiss);  // no int overflow
  EXPECT_EQ(m.GetElem(0, INT_MIN, 0, 0), kMiss);
}

TEST(KzSymMatrixData, CopyMoveAndAssignment) {
  const SymProbe m = Positions(3);
  KzSymMatrixData copy(m);
  EXPECT_EQ(kztest::StateOf(copy), kztest::StateOf(m));
  copy.LowerAt(0, 0) = 42;  // deep copy
  EXPECT_EQ(m.LowerAt(0, 0), 0);

  KzSymMatrixData assigned(3, 1);
  assigned = m;
  EXPECT_EQ(kztest::StateOf(assigned), kztest::StateOf(m));
  KzSymMatrixData& self = assigned;
  assigned = self;
  EXPECT_EQ(assigned.GetNBlocks(), 1);
  EXPECT_EQ(assigned.AsVectorConst(), m.AsVectorConst());

  KzSymMatrixData moved(std::move(assigned));
  EXPECT_EQ(moved.AsVectorConst(), m.AsVectorConst());
  ExpectCounts(assigned, 0, 0, 0);  // NOLINT: the documented moved-from state
  KzSymMatrixData target(5);
  target = std::move(moved);
  EXPECT_EQ(target.AsVectorConst(), m.AsVectorConst());
  ExpectCounts(target, 3, 1, 3);
  ExpectCounts(moved, 0, 0, 0);  // NOLINT: the documented moved-from state
}

using SymDisplayTest = kztest::DisplayCaptureTest;

TEST_F(SymDisplayTest, Display) {
  SymProbe m = Positions(3);
  m.Data()[4] = kMiss;
  m.Display();
  EXPECT_EQ(capture.Take(),
            "\nKzSymMatrixData display start"
            "\nThe number of rows = 3"
            "\nThe number of blocks = 1"
            "\nThe block size = 3"
            "\nLower triangular (number of elements = 6, number of rows = 3)"
            "\nrow  0: \n  0"
            "\nrow  1: \n  1 2"
            "\nrow  2: \n  3 miss 5"
            "\nKzSymMatrixData display end");
  KzSymMatrixData(INT_MAX).Display();
  EXPECT_EQ(capture.Take(),
            "\nKzSymMatrixData display start"
            "\nThe number of rows = -1"
            "\nThe number of blocks = 0"
            "\nThe block size = 0"
            "\nLower triangular (number of elements = 0, number of rows = -1)"
            "\nKzSymMatrixData display end");
  m.DisplayF();  // the interface default: nothing
  EXPECT_EQ(capture.Take(), "");
}

}  // namespace
