// KzRectMatrix: products against the reference BLAS, shape and copy
// operations, aliasing of outputs with inputs, the dependence tests, the square
// solve against LAPACK DGESV, and every refusal leaving its targets unchanged.
#include "kzcommon12r/math/matrix/KzRectMatrix.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "BlasOracle.h"
#include "kzcommon12r/common/KzMV.h"
#include "kzcommon12r/math/matrix/KzBitSet.h"
#include "kzcommon12r/math/matrix/KzSparseVector.h"
#include "kzcommon12r/math/matrix/KzSymMatrix.h"
#include "support/KzDisplayCapture.h"
#include "support/KzMatrixBuilders.h"
#include "support/KzRefusal.h"
#include "support/KzTestCompare.h"

namespace {

using KzMath_1_2::KzBitSet;
using KzMath_1_2::KzRectMatrix;
using KzMath_1_2::KzSparseVector;
using KzMath_1_2::KzSymMatrix;
using kztest::Tol;
const double kMiss = KzCommon_1_2::KzMV::gMissingValue;

KzRectMatrix Random(int rows, int cols, unsigned seed) {
  KzRectMatrix m(rows, cols);
  kztest::Fill(m, kztest::RandomVector(rows * cols, seed));
  return m;
}

KzRectMatrix FromRows(int rows, int cols, const std::vector<double>& v) {
  KzRectMatrix m(rows, cols);
  EXPECT_TRUE(kztest::Fill(m, v));
  return m;
}

// ---------------------------------------------------------------------------
// Products: the summation order is that of the reference DGEMV and DGEMM loops,
// so the results agree with them bit for bit.

TEST(KzRectMatrixProducts, MatrixVectorEqualsReferenceDgemv) {
  for (int rows : {1, 7, 33}) {
    for (int cols : {1, 5, 40}) {
      SCOPED_TRACE("rows " + std::to_string(rows) + " cols " + std::to_string(cols));
      const KzRectMatrix a = Random(rows, cols, 11u + rows * 100u + cols);
      const std::vector<double> v = kztest::RandomVector(cols, 5);
      const std::vector<double> u = kztest::RandomVector(rows, 6);
      std::vector<double> av, ua;
      ASSERT_TRUE(a.ComputeRV(v, av));
      ASSERT_TRUE(a.ComputeVR(u, ua));
      // Row-major A is the column-major Aᵀ with leading dimension cols.
      std::vector<double> ref(rows), refT(cols);
      const double one = 1.0, zero = 0.0;
      const int inc = 1;
      dgemv_("T", &cols, &rows, &one, a.Data(), &cols, v.data(), &inc, &zero, ref.data(), &inc, 1);
      dgemv_("N", &cols, &rows, &one, a.Data(), &cols, u.data(), &inc, &zero, refT.data(), &inc, 1);
      EXPECT_EQ(ref, av);
      EXPECT_EQ(refT, ua);
    }
  }
}

TEST(KzRectMatrixProducts, MatrixProductEqualsReferenceDgemmAndMayOverwriteAnOperand) {
  const KzRectMatrix a = Random(13, 9, 1);
  const KzRectMatrix b = Random(9, 17, 2);
  std::vector<double> ref(13 * 17);
  kztest::RefGemm(a.Data(), b.Data(), ref.data(), 13, 9, 17);
  KzRectMatrix c(2, 2);
  ASSERT_TRUE(a.ComputeMatrixProduct(b, c));
  EXPECT_EQ(13, c.GetNRows());
  EXPECT_EQ(17, c.GetNCols());
  EXPECT_EQ(ref, c.AsVectorConst());
  // Into the left operand, into the right operand.
  KzRectMatrix a2 = a, b2 = b;
  ASSERT_TRUE(a2.ComputeMatrixProduct(b, a2));
  EXPECT_EQ(ref, a2.AsVectorConst());
  ASSERT_TRUE(a.ComputeMatrixProduct(b2, b2));
  EXPECT_EQ(ref, b2.AsVectorConst());
  // A B^T through the transposed copy of B.
  KzRectMatrix bt = b;
  bt.Transpose();
  KzRectMatrix abt;
  ASSERT_TRUE(a.ComputeProductMatrixTrans(bt, abt));
  EXPECT_EQ(ref, abt.AsVectorConst());
  // A square matrix times itself, into itself.
  KzRectMatrix s = Random(6, 6, 3);
  std::vector<double> ss(36);
  kztest::RefGemm(s.Data(), s.Data(), ss.data(), 6, 6, 6);
  ASSERT_TRUE(s.ComputeMatrixProduct(s, s));
  EXPECT_EQ(ss, s.AsVectorConst());
}

TEST(KzRectMatrixProducts, VectorAliasesAndShapeRefusals) {
  const KzRectMatrix a = FromRows(2, 2, {1, 2, 3, 4});
  std::vector<double> v = {1, 1, 99};  // longer than nCols: the tail is ignored
  ASSERT_TRUE(a.ComputeRV(v, v));
  EXPECT_EQ((std::vector<double>{3, 7}), v);
  std::vector<double> u = {1, 1};
  ASSERT_TRUE(a.ComputeVR(u, u));
  EXPECT_EQ((std::vector<double>{4, 6}), u);

  std::vector<double> out = {5};
  KZ_EXPECT_REFUSED(false, a.ComputeRV({1}, out), out, a);
  KZ_EXPECT_REFUSED(false, a.ComputeVR({1, 2, 3}, out), out, a);
  KzRectMatrix c = FromRows(1, 1, {8});
  KZ_EXPECT_REFUSED(false, a.ComputeMatrixProduct(Random(3, 2, 4), c), c);
  KZ_EXPECT_REFUSED(false, a.ComputeProductMatrixTrans(Random(2, 3, 4), c), c);
}

TEST(KzRectMatrixProducts, DotProductsAndScaledNorms) {
  const KzRectMatrix a = FromRows(3, 2, {1, 2, 3, 4, 5, 6});
  const KzRectMatrix b = FromRows(2, 3, {1, 0, 2, 0, 1, 3});
  EXPECT_EQ(1 * 2 + 3 * 4 + 5 * 6, a.DotProductCol(0, 1));
  EXPECT_EQ(3 * 5 + 4 * 6, a.DotProductRows(1, 2));
  EXPECT_EQ(3 * 2 + 4 * 3, a.DotProductRowCol(1, b, 2));
  EXPECT_EQ(1 * 0 + 2 * 1, a.DotProductRowRow(0, FromRows(1, 2, {0, 1}), 0));
  EXPECT_EQ(1 * 2 + 3 * 4 + 5 * 6, a.DotProductColCol(0, a, 1));
  for (double bad : {a.DotProductCol(0, 2), a.DotProductRows(-1, 0), a.DotProductRowCol(0, a, 0),
                     a.DotProductRowRow(0, b, 0), a.DotProductColCol(0, b, 0), a.ColNorm(2),
                     a.RowNorm(3)})
    EXPECT_EQ(kMiss, bad);
  // The scaled sum of squares neither overflows nor underflows.
  const KzRectMatrix big = FromRows(2, 2, {3e200, 4e-300, 4e200, 3e-300});
  KZ_EXPECT_REL(5e200, big.ColNorm(0), kztest::ToDouble(Tol::k16Eps));
  KZ_EXPECT_REL(5e-300, big.ColNorm(1), kztest::ToDouble(Tol::k16Eps));
  KZ_EXPECT_REL(std::sqrt(1.0 + 9 + 25), a.ColNorm(0), kztest::ToDouble(Tol::k16Eps));
  KZ_EXPECT_REL(std::sqrt(25.0 + 36), a.RowNorm(2), kztest::ToDouble(Tol::k16Eps));
}

// ---------------------------------------------------------------------------
// Shape and copies

TEST(KzRectMatrixShape, ResizeKeepsStorageOrderAndReshapes) {
  KzRectMatrix a = FromRows(2, 3, {1, 2, 3, 4, 5, 6});
  EXPECT_TRUE(a.Resize(3, 2));  // no re-layout: the same 6 values
  EXPECT_EQ((std::vector<double>{1, 2, 3, 4, 5, 6}), a.AsVectorConst());
  EXPECT_TRUE(a.Resize(-1, 4));
  EXPECT_EQ(0, a.GetNRows());
  EXPECT_EQ(4, a.GetNCols());

  KzRectMatrix b = FromRows(2, 2, {1, 2, 3, 4});
  EXPECT_EQ(3, b.AddColumn());
  EXPECT_EQ((std::vector<double>{1, 2, 0, 3, 4, 0}), b.AsVectorConst());
  EXPECT_TRUE(b.DeleteOneCol(1));
  EXPECT_EQ((std::vector<double>{1, 0, 3, 0}), b.AsVectorConst());
  EXPECT_TRUE(b.DeleteOneRow(0));
  EXPECT_EQ((std::vector<double>{3, 0}), b.AsVectorConst());
  KZ_EXPECT_REFUSED(false, b.DeleteOneCol(2), b);
  KZ_EXPECT_REFUSED(false, b.DeleteOneRow(1), b);

  KzRectMatrix t = FromRows(2, 3, {1, 2, 3, 4, 5, 6});
  t.Transpose();
  EXPECT_EQ(3, t.GetNRows());
  EXPECT_EQ((std::vector<double>{1, 4, 2, 5, 3, 6}), t.AsVectorConst());

  KzRectMatrix o;
  o.ComputeVecProduct({1, 2}, {3, 4, 5});
  EXPECT_EQ((std::vector<double>{3, 4, 5, 6, 8, 10}), o.AsVectorConst());
}

TEST(KzRectMatrixShape, SparseRowsMustFit) {
  std::vector<int> idx = {0, 2};
  std::vector<double> val = {7, 8};
  KzSparseVector v(idx, val);
  KzRectMatrix a(1, 3);
  EXPECT_EQ(1, a.AddRow(v));
  EXPECT_EQ((std::vector<double>{0, 0, 0, 7, 0, 8}), a.AsVectorConst());
  EXPECT_TRUE(a.SetRow(0, v));
  EXPECT_EQ(8, a.GetElem(0, 2));
  // Largest index equal to nCols: no row is added.
  std::vector<int> idx3 = {3};
  std::vector<double> val1 = {1};
  KzSparseVector tooLong(idx3, val1);
  KZ_EXPECT_REFUSED(-1, a.AddRow(tooLong), a);
  KZ_EXPECT_REFUSED(false, a.SetRow(0, tooLong), a);
  KZ_EXPECT_REFUSED(false, a.SetRow(2, v), a);
  // An invalid view (not increasing) is refused.
  std::vector<int> bad = {1, 1};
  KzSparseVector invalid(bad, val);
  KZ_EXPECT_REFUSED(-1, a.AddRow(invalid), a);
  KZ_EXPECT_REFUSED(false, a.SetRow(0, invalid), a);
}

TEST(KzRectMatrixCopies, CopiesExtractionsAndShifts) {
  const KzRectMatrix a = FromRows(3, 3, {1, 2, 3, 4, 5, 6, 7, 8, 9});
  KzRectMatrix out;
  EXPECT_EQ(2, a.ExtractColumns({2, -1, 0, 3}, out));
  EXPECT_EQ((std::vector<double>{3, 1, 6, 4, 9, 7}), out.AsVectorConst());
  EXPECT_EQ(2, a.ExtractRows({2, 5, 1}, out));
  EXPECT_EQ((std::vector<double>{7, 8, 9, 4, 5, 6}), out.AsVectorConst());
  EXPECT_TRUE(a.ShiftColumns(1, out));
  EXPECT_EQ((std::vector<double>{0, 1, 2, 3, 0, 4, 5, 6, 0, 7, 8, 9}), out.AsVectorConst());
  EXPECT_TRUE(a.ShiftRows(1, out));
  EXPECT_EQ(4, out.GetNRows());
  EXPECT_EQ(1, out.GetElem(1, 0));
  KzRectMatrix small = FromRows(1, 2, {1, 2});
  EXPECT_TRUE(small.CreateBlockDiagonal(2, out));
  EXPECT_EQ((std::vector<double>{1, 2, 0, 0, 0, 0, 1, 2}), out.AsVectorConst());
  KzRectMatrix sq = FromRows(2, 2, {1, 2, 2, 3});
  EXPECT_TRUE(sq.ExpandSquare(FromRows(1, 2, {5, 6}), out));
  EXPECT_EQ((std::vector<double>{1, 2, 5, 2, 3, 6, 5, 6, 0}), out.AsVectorConst());
  EXPECT_TRUE(out.CopyColumns(a, 1, 2));
  EXPECT_EQ((std::vector<double>{2, 3, 5, 6, 8, 9}), out.AsVectorConst());

  KzRectMatrix keep = FromRows(1, 1, {42});
  KZ_EXPECT_REFUSED(false, a.ShiftColumns(-1, keep), keep);
  KZ_EXPECT_REFUSED(false, KzRectMatrix().ShiftRows(1, keep), keep);
  KZ_EXPECT_REFUSED(false, a.CreateBlockDiagonal(0, keep), keep);
  KZ_EXPECT_REFUSED(false, a.ExpandSquare(FromRows(1, 2, {1, 2}), keep), keep);
  KZ_EXPECT_REFUSED(false, keep.CopyRows(a, 2, 2), keep);
  KZ_EXPECT_REFUSED(false, keep.CopyColumns(a, -1, 1), keep);
}

TEST(KzRectMatrixCopies, OutputsThatAreInputsWorkThroughATemporary) {
  KzRectMatrix a = FromRows(3, 2, {1, 2, 3, 4, 5, 6});
  EXPECT_TRUE(a.CopyRows(a, 1, 2));
  EXPECT_EQ((std::vector<double>{3, 4, 5, 6}), a.AsVectorConst());
  KzRectMatrix s = FromRows(2, 2, {1, 2, 3, 4});
  EXPECT_TRUE(s.CopyColToRow(s, 1, 0));  // row 0 becomes column 1 = (2, 4)
  EXPECT_EQ((std::vector<double>{2, 4, 3, 4}), s.AsVectorConst());
  KzRectMatrix e = FromRows(2, 2, {1, 2, 3, 4});
  EXPECT_EQ(2, e.ExtractRows({1, 0}, e));
  EXPECT_EQ((std::vector<double>{3, 4, 1, 2}), e.AsVectorConst());
  KzBitSet mask(4);
  mask.Set(1, true);
  mask.Set(3, true);
  e.Expand(mask, true, e);
  EXPECT_EQ((std::vector<double>{0, 0, 3, 4, 0, 0, 1, 2}), e.AsVectorConst());
  EXPECT_TRUE(e.ExpandRectangular(e));
  EXPECT_EQ(8, e.GetNRows());
  EXPECT_EQ(2, e.GetElem(7, 1));
  KzRectMatrix c = FromRows(2, 2, {1, 2, 3, 4});
  EXPECT_TRUE(c.AddToColumn(1, c, 1, 1.0));
  EXPECT_EQ((std::vector<double>{1, 4, 3, 8}), c.AsVectorConst());
}

TEST(KzRectMatrixCopies, ExpandStopsAtTheSourcesEnd) {
  const KzRectMatrix a = FromRows(2, 1, {1, 2});
  KzBitSet all(4);
  all.Resize(4, true);
  KzRectMatrix out;
  a.Expand(all, true, out);  // four flags, two source rows
  EXPECT_EQ((std::vector<double>{1, 2, 0, 0}), out.AsVectorConst());
  const KzRectMatrix b = FromRows(1, 2, {5, 6});
  KzBitSet cols(3);
  cols.Set(0, true);
  cols.Set(2, true);
  b.Expand(cols, false, out);
  EXPECT_EQ((std::vector<double>{5, 0, 6}), out.AsVectorConst());
}

TEST(KzRectMatrixEdits, ColumnAndRowEditsCheckTheirBounds) {
  KzRectMatrix a = FromRows(2, 3, {1, 2, 3, 4, 5, 6});
  std::vector<double> v(4, 0.0);
  EXPECT_TRUE(a.IncrVecByColumn(1, v, 1, 2, 2.0, true));
  EXPECT_EQ((std::vector<double>{0, 4, 10, 0}), v);
  // count beyond nRows: refused with check, clipped without.
  KZ_EXPECT_REFUSED(false, a.IncrVecByColumn(1, v, 0, 3, 1.0, true), v);
  EXPECT_TRUE(a.IncrVecByColumn(0, v, 2, 3, 1.0, false));
  EXPECT_EQ((std::vector<double>{0, 4, 11, 4}), v);
  // O(1) bounds hold even without the check.
  KZ_EXPECT_REFUSED(false, a.IncrVecByColumn(0, v, 3, 2, 1.0, false), v);
  KZ_EXPECT_REFUSED(false, a.IncrVecByColumn(3, v, 0, 1, 1.0, false), v);
  KZ_EXPECT_REFUSED(false, a.IncrVecByColumn(0, v, -1, 1, 1.0, false), v);

  EXPECT_TRUE(a.ColScale(2, -1.0));
  EXPECT_EQ(-6, a.GetElem(1, 2));
  EXPECT_TRUE(a.ZeroOutRowPart(0, 1, 2));
  EXPECT_EQ((std::vector<double>{1, 0, 0, 4, 5, -6}), a.AsVectorConst());
  KZ_EXPECT_REFUSED(false, a.ZeroOutRowPart(0, 2, 1), a);
  KZ_EXPECT_REFUSED(false, a.ZeroOutRowPart(0, 0, 3), a);
  KZ_EXPECT_REFUSED(false, a.AddToDiagonal(1.0), a);
  KZ_EXPECT_REFUSED(false, a.AddToColumn(0, FromRows(1, 1, {1}), 0, 1.0), a);
  KZ_EXPECT_REFUSED(false, a.ColScale(-1, 2.0), a);
  KZ_EXPECT_REFUSED(false, a.SetElem(2, 0, 1.0), a);
}

TEST(KzRectMatrixEdits, ColCleanZeroesRoundingLevelElements) {
  KzRectMatrix a = FromRows(3, 2, {1.0, 1e-300, 1e-13, 0.0, 1.0, 1e-290});
  EXPECT_TRUE(a.ColClean(0, 1.0));  // 1e-13 < 1e4 * 2^-52 * |col| ≈ 2.2e-12
  EXPECT_EQ((std::vector<double>{1.0, 0.0, 1.0}), (std::vector<double>{a.GetElem(0, 0), a.GetElem(1, 0), a.GetElem(2, 0)}));
  // A column whose norm is itself negligible (below 1e4 * 2^-52) is zeroed whole.
  EXPECT_TRUE(a.ColClean(1, 1.0));
  EXPECT_TRUE(a.IsColZero(1));
  KzRectMatrix b = FromRows(2, 1, {1e-300, 1e-290});
  EXPECT_TRUE(b.ColClean(0, 0.0));  // scale 0: nothing is negligible
  EXPECT_EQ(1e-300, b.GetElem(0, 0));
  KZ_EXPECT_REFUSED(false, a.ColClean(2, 1.0), a);
}

// ---------------------------------------------------------------------------
// Tests of zero rows, pivots and proportional rows

TEST(KzRectMatrixTests, ZeroTestsAndPivotSearch) {
  const KzRectMatrix a = FromRows(2, 3, {0, 0, 0, 0, 2e-9, -3});
  EXPECT_TRUE(a.IsRowZero(0));
  EXPECT_FALSE(a.IsRowZero(1));
  EXPECT_TRUE(a.IsColZero(0));
  EXPECT_FALSE(a.IsColZero(2));
  EXPECT_FALSE(a.IsColZero(3));
  EXPECT_FALSE(KzRectMatrix(0, 2).IsColZero(0));
  EXPECT_EQ(1, a.FindFirstNonZeroInRow(1, 1e-9));
  EXPECT_EQ(2, a.FindFirstNonZeroInRow(1, 1e-8));
  EXPECT_EQ(-1, a.FindFirstNonZeroInRow(1, 0.0));
  EXPECT_EQ(-1, a.FindFirstNonZeroInRow(0, 1e-8));
  KzBitSet cols(2);  // column 2 lies beyond the set: counted as flagged
  cols.Set(1, true);
  int pos = 7;
  EXPECT_FALSE(a.IsRowZeroButOne(1, cols, pos));
  EXPECT_EQ(-1, pos);
  cols.Set(1, false);
  EXPECT_TRUE(a.IsRowZeroButOne(1, cols, pos));
  EXPECT_EQ(2, pos);
}

TEST(KzRectMatrixTests, ZeroOutPivotRowEliminatesTheRowForAnyPivotValue) {
  // Pivot 2 (not -1): columns c -= (A(r,c)/2) column 0.
  KzRectMatrix a = FromRows(2, 3, {2, 4, -6, 1, 1, 1});
  int pivot = -1;
  ASSERT_TRUE(a.ZeroOutPivotRow(0, 1e-12, pivot));
  EXPECT_EQ(0, pivot);
  EXPECT_EQ((std::vector<double>{0, 0, 0, 0, -1, 4}), a.AsVectorConst());
  KzRectMatrix z = FromRows(1, 2, {0, 0});
  KZ_EXPECT_REFUSED(false, z.ZeroOutPivotRow(0, 1e-12, pivot), z, pivot);
}

TEST(KzRectMatrixTests, ProportionalRows) {
  const KzRectMatrix a = FromRows(3, 2, {1, 2, 2, 4, 0, 0});
  double ratio = 0.0;
  EXPECT_TRUE(a.IsERowMultipleOfAnother(0, 1, 3, 6, ratio));
  EXPECT_EQ(0.5, ratio);
  ratio = 9.0;
  KZ_EXPECT_REFUSED(false, a.IsERowMultipleOfAnother(0, 1, 3, 7, ratio), ratio);
  EXPECT_TRUE(a.IsERowMultipleOfAnother(2, 2, 2, 4, ratio));  // zero rows: g = ea / eb
  EXPECT_EQ(0.5, ratio);
  ratio = 9.0;
  KZ_EXPECT_REFUSED(false, a.IsERowMultipleOfAnother(2, 2, 0, 0, ratio), ratio);
  KZ_EXPECT_REFUSED(false, a.IsERowMultipleOfAnother(0, 2, 3, 6, ratio), ratio);
  KZ_EXPECT_REFUSED(false, a.IsERowMultipleOfAnother(0, 3, 3, 6, ratio), ratio);
}

// ---------------------------------------------------------------------------
// Linear dependence and solving

TEST(KzRectMatrixDependence, CheckAddColRedundancies) {
  // Row 0 constrains column 2 alone; row 1 involves columns 0 and 1.
  const KzRectMatrix a = FromRows(2, 4, {0, 0, 5, 0, 1, 1, 0, 0});
  KzBitSet all(4);
  all.Resize(4, true);
  KzBitSet result;
  EXPECT_EQ(2, a.CheckAddColRedundancies(all, result));  // column 3 is zero: not counted
  EXPECT_EQ(4, result.Size());
  EXPECT_TRUE(result.IsIn(0) && result.IsIn(1) && !result.IsIn(2) && result.IsIn(3));
  // Excluding column 1 leaves row 1 with column 0 alone.
  KzBitSet cur(2);
  cur.Set(0, true);
  EXPECT_EQ(0, a.CheckAddColRedundancies(cur, result));
  EXPECT_TRUE(!result.IsIn(0) && !result.IsIn(1) && !result.IsIn(2) && result.IsIn(3));
}

TEST(KzRectMatrixDependence, Estimability) {
  // Two parameters, the second aliased: H maps it to 0. l = (1, 0) is estimable,
  // l = (0, 1) is not.
  const KzRectMatrix h = FromRows(2, 1, {1, 0});
  KzBitSet cols(2);
  cols.Set(0, true);
  EXPECT_TRUE(FromRows(1, 2, {1, 0}).IsEstimable(h, cols, 1e-8));
  EXPECT_FALSE(FromRows(2, 2, {3, 0, 0, 1}).IsEstimable(h, cols, 1e-8));
  EXPECT_TRUE(FromRows(2, 2, {3, 0, 0, 0}).IsEstimable(h, cols, 1e-8));  // zero row skipped
  const KzRectMatrix l = FromRows(1, 2, {1, 0});
  KZ_EXPECT_REFUSED(false, l.IsEstimable(h, cols, 0.0), l, h);
  KZ_EXPECT_REFUSED(false, l.IsEstimable(FromRows(1, 1, {1}), cols, 1e-8), l);
  KZ_EXPECT_REFUSED(false, l.IsEstimable(h, KzBitSet(1), 1e-8), l);
  // Two flagged parameters but H has one column: refused, not read past its rows.
  KzBitSet both(2);
  both.Resize(2, true);
  KZ_EXPECT_REFUSED(false, l.IsEstimable(h, both, 1e-8), l);
  KZ_EXPECT_REFUSED(false, KzRectMatrix().IsEstimable(h, cols, 1e-8), h);
}

TEST(KzRectMatrixDependence, SolveLinearSquareMatchesLapackAndRefusesSingular) {
  for (int n : {1, 4, 25}) {
    const KzRectMatrix a = Random(n, n, 40u + n);
    const std::vector<double> b = kztest::RandomVector(n, 41);
    std::vector<double> x;
    ASSERT_TRUE(a.SolveLinearSquare(b, x, 1e-14));
    // LAPACK DGESV on the column-major copy (transpose of the row-major data).
    std::vector<double> col(static_cast<size_t>(n) * n);
    for (int r = 0; r < n; ++r)
      for (int c = 0; c < n; ++c) col[static_cast<size_t>(c) * n + r] = a.GetElem(r, c);
    std::vector<int> ipiv(n);
    std::vector<double> ref = b;
    int info = 0, one = 1;
    dgesv_(&n, &one, col.data(), &n, ipiv.data(), ref.data(), &n, &info);
    ASSERT_EQ(0, info);
    KZ_EXPECT_VEC_REL(ref, x, 1e-10);
  }
  const KzRectMatrix singular = FromRows(2, 2, {1, 2, 2, 4});
  std::vector<double> x = {7, 7};
  KZ_EXPECT_REFUSED(false, singular.SolveLinearSquare({1, 1}, x, 0.0), x);
  KZ_EXPECT_REFUSED(false, Random(2, 3, 1).SolveLinearSquare({1, 1}, x, 0.0), x);
  KZ_EXPECT_REFUSED(false, Random(2, 2, 1).SolveLinearSquare({1}, x, 0.0), x);
  KZ_EXPECT_REFUSED(false, Random(2, 2, 1).SolveLinearSquare({1, 1, 1}, x, 0.0), x);
  KZ_EXPECT_REFUSED(false, Random(2, 2, 1).SolveLinearSquare({1, 1}, x, -1.0), x);
}

TEST(KzRectMatrixDependence, TraceOfProductSubMatSym) {
  const KzRectMatrix a = FromRows(3, 3, {1, 2, 3, 4, 5, 6, 7, 8, 9});
  KzSymMatrix s(2);
  s.SetElem(0, 0, 1.0);
  s.SetElem(1, 0, 10.0);
  s.SetElem(1, 1, 100.0);
  double tr = 0.0;
  ASSERT_TRUE(a.TraceOfProductSubMatSym(1, s, tr));
  // Block [[5, 6], [8, 9]] times [[1, 10], [10, 100]]: trace = 5 + 60 + 80 + 900.
  EXPECT_EQ(1045.0, tr);
  tr = -1.0;
  KZ_EXPECT_REFUSED(false, a.TraceOfProductSubMatSym(2, s, tr), tr);
  KZ_EXPECT_REFUSED(false, a.TraceOfProductSubMatSym(-1, s, tr), tr);
}

TEST(KzRectMatrixDisplay, FullDisplayLayout) {
  kztest::DisplayCapture cap;
  FromRows(1, 2, {1.5, -2}).DisplayF();
  EXPECT_EQ(
      "\nKzRectMatrix full matrix display start\nNumber of rows = 1\nNumber of columns = 2"
      "\nrow 0:  (size = 2)\n  = 1.5\n  = -2\nKzRectMatrix display end",
      cap.Text());
}

}  // namespace
