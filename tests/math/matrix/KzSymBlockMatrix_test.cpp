// Symmetric block matrix: sizing, block references, the copy into one packed
// matrix against the element formula, refusals and display.

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "kzcommon12r/math/matrix/KzSymBlockMatrix.h"
#include "kzcommon12r/math/matrix/KzSymMatrix.h"
#include "support/KzDisplayCapture.h"
#include "support/KzMatrixBuilders.h"

namespace {

using KzMath_1_2::KzSymBlockMatrix;
using KzMath_1_2::KzSymMatrix;

struct InvalidSym : KzSymMatrix {
  InvalidSym() { SetInvalid(); }
};

// Blocks filled with distinct values: block (i, j) element (k, l), l <= k,
// holds 1000 i + 100 j + 10 k + l.
KzSymBlockMatrix Numbered(int m, int b) {
  KzSymBlockMatrix s(m, b);
  for (int i = 0; i < m; ++i)
    for (int j = 0; j <= i; ++j)
      for (int k = 0; k < b; ++k)
        for (int l = 0; l <= k; ++l) s.GetElemSSRef(i, j).SetElem(k, l, 1000 * i + 100 * j + 10 * k + l);
  return s;
}

TEST(KzSymBlockMatrix, SizingAndBlockReferences) {
  KzSymBlockMatrix s(3, 2);
  EXPECT_TRUE(s.IsValidStruct());
  ASSERT_EQ(6u, s.AsVectorSSConst().size());
  for (const KzSymMatrix& blk : s.AsVectorSSConst()) {
    EXPECT_EQ(2, blk.GetNRows());
    EXPECT_EQ((std::vector<double>{0, 0, 0}), blk.AsVectorConst());
  }
  KzSymMatrix out;
  EXPECT_EQ(6, s.CopyToSymMatrix(out));
  EXPECT_EQ(std::vector<double>(21, 0.0), out.AsVectorConst());
  // (0, 2) and (2, 0) are one block, at position 3.
  EXPECT_EQ(&s.GetElemSSRef(0, 2), &s.GetElemSSRef(2, 0));
  EXPECT_EQ(&s.AsVectorSS()[3], &s.GetElemSSRef(2, 0));
  // Negative sizes count as 0; an order beyond the int range is a failed sizing.
  EXPECT_TRUE(s.SetNRows(-1, 4));
  EXPECT_EQ(0, s.GetNBlockRows());
  EXPECT_EQ(4, s.GetBlockOrder());
  EXPECT_TRUE(s.AsVectorSSConst().empty());
  EXPECT_FALSE(s.SetNRows(100000, 100000));
  EXPECT_EQ(-1, s.GetNBlockRows());
  EXPECT_EQ(-1, s.GetBlockOrder());
  EXPECT_TRUE(s.AsVectorSSConst().empty());
}

// Every element of the copy against out(i b + k, j b + l) = block(i, j)(k, l),
// the block of an upper position being its transpose's.
TEST(KzSymBlockMatrix, CopyMatchesTheElementFormula) {
  for (int m : {1, 2, 3})
    for (int b : {1, 2, 3}) {
      SCOPED_TRACE(std::to_string(m) + "x" + std::to_string(b));
      KzSymBlockMatrix s = Numbered(m, b);
      KzSymMatrix out(7);  // another order: resized
      ASSERT_EQ(m * b, s.CopyToSymMatrix(out));
      ASSERT_EQ(m * b, out.GetNRows());
      for (int r = 0; r < m * b; ++r)
        for (int c = 0; c <= r; ++c) {
          const int i = r / b, k = r % b, j = c / b, l = c % b;
          EXPECT_EQ(s.GetElemSSRef(i, j).GetElem(k, l), out.GetElem(r, c)) << r << "," << c;
        }
      // A copy of the object copies into the same matrix.
      KzSymMatrix again;
      EXPECT_EQ(m * b, KzSymBlockMatrix(s).CopyToSymMatrix(again));
      EXPECT_EQ(out.AsVectorConst(), again.AsVectorConst());
    }
  // The worked example: block (1, 0) = ((1, 2), (2, 3)).
  KzSymBlockMatrix s(2, 2);
  s.GetElemSSRef(1, 0).SetElem(0, 0, 1);
  s.GetElemSSRef(0, 1).SetElem(1, 0, 2);
  s.GetElemSSRef(1, 0).SetElem(1, 1, 3);
  KzSymMatrix out;
  ASSERT_EQ(4, s.CopyToSymMatrix(out));
  EXPECT_EQ(1, out.GetElem(2, 0));
  EXPECT_EQ(2, out.GetElem(2, 1));
  EXPECT_EQ(2, out.GetElem(3, 0));
  EXPECT_EQ(3, out.GetElem(3, 1));
  // The output may be one of the blocks.
  KzSymBlockMatrix t = Numbered(2, 2);
  KzSymMatrix expect;
  ASSERT_EQ(4, t.CopyToSymMatrix(expect));
  ASSERT_EQ(4, t.CopyToSymMatrix(t.GetElemSSRef(1, 1)));
  EXPECT_EQ(expect.AsVectorConst(), t.GetElemSSRef(1, 1).AsVectorConst());
}

// Refusals: -1 with an empty output.
TEST(KzSymBlockMatrix, CopyRefusesInvalidStructures) {
  const auto refused = [](const KzSymBlockMatrix& s) {
    KzSymMatrix out(3);
    EXPECT_EQ(-1, s.CopyToSymMatrix(out));
    EXPECT_EQ(0, out.GetNRows());
  };
  KzSymBlockMatrix failed(2, 2);
  failed.SetNRows(100000, 100000);
  refused(failed);
  KzSymBlockMatrix wrongOrder = Numbered(2, 2);
  wrongOrder.GetElemSSRef(1, 0) = KzSymMatrix(3);
  refused(wrongOrder);
  KzSymBlockMatrix missing = Numbered(2, 2);
  missing.AsVectorSS().pop_back();
  refused(missing);
  KzSymBlockMatrix invalidBlock = Numbered(2, 2);
  invalidBlock.GetElemSSRef(0, 0) = InvalidSym();
  refused(invalidBlock);
  // A copy of an object holding an invalid block is a failed sizing.
  const KzSymBlockMatrix copy(invalidBlock);
  EXPECT_FALSE(copy.IsValidStruct());
  EXPECT_EQ(-1, copy.GetNBlockRows());
  EXPECT_TRUE(copy.AsVectorSSConst().empty());
}

// Indices outside the matrix reach a scratch block that no copy reads.
TEST(KzSymBlockMatrix, OutOfRangeReferencesAreHarmless) {
  KzSymBlockMatrix s = Numbered(2, 2);
  KzSymMatrix before;
  ASSERT_EQ(4, s.CopyToSymMatrix(before));
  for (const auto& ij : std::vector<std::pair<int, int>>{{2, 0}, {0, 2}, {-1, 0}, {1, INT_MIN}}) {
    KzSymMatrix& scratch = s.GetElemSSRef(ij.first, ij.second);
    EXPECT_EQ(0, scratch.GetNRows());
    scratch = KzSymMatrix(2);
    scratch.SetElem(0, 0, 99.0);
  }
  KzSymMatrix after;
  ASSERT_EQ(4, s.CopyToSymMatrix(after));
  EXPECT_EQ(before.AsVectorConst(), after.AsVectorConst());
  EXPECT_EQ(0, s.GetElemSSRef(5, 5).GetNRows());
  s.Clear();
  ASSERT_EQ(4, s.CopyToSymMatrix(after));
  EXPECT_EQ(std::vector<double>(10, 0.0), after.AsVectorConst());
}

// The layout, each block shown by the packed matrix's own display.
TEST(KzSymBlockMatrix, Display) {
  const auto shown = [](const auto& object) {
    kztest::DisplayCapture capture;
    object.Display();
    return capture.Text();
  };
  const auto block = [&](int i, int j, double x) {
    KzSymMatrix m(1);
    m.SetElem(0, 0, x);
    return "\n\nRow number in the KzSymBlockMatrix = " + std::to_string(i) +
           "\nColumn number in the KzSymBlockMatrix = " + std::to_string(j) +
           "\nKZMATH_NAMESPACE::KzSymMatrix matrix:" + shown(m);
  };
  EXPECT_EQ("\nKzSymBlockMatrix display start"
            "\nThe number of rows in the KzSymBlockMatrix = 2"
            "\nThe number of rows in each KZMATH_NAMESPACE::KzSymMatrix matrix = 1" +
                block(0, 0, 0) + block(1, 0, 1000) + block(1, 1, 1100) +
                "\nKzSymBlockMatrix display end",
            shown(Numbered(2, 1)));
}

}  // namespace
