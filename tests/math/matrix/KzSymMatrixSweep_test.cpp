// The sweep operator: exact small cases, refusals, forward-reverse round trips,
// and the regression identities against reference LAPACK (DGELS, DPPTRI).

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "FactorOracle.h"
#include "FactorTestUtil.h"
#include "kzcommon12r/common/KzMV.h"
#include "kzcommon12r/math/matrix/KzBitSet.h"
#include "kzcommon12r/math/matrix/KzSymMatrix.h"
#include "support/KzMatrixBuilders.h"
#include "support/KzRefusal.h"
#include "support/KzTestCompare.h"

namespace {

using KzMath_1_2::KzBitSet;
using KzMath_1_2::KzSymMatrix;
using kztest::SymOf;

TEST(KzSymMatrixSweep, SmallMatrixForwardThenReverse) {
  KzSymMatrix m = SymOf({4, 2, 3}, 2);
  KzBitSet swept(2);
  const std::vector<double> d = {4, 3};
  ASSERT_TRUE(m.Sweep(0, 1e-8, d, swept, true));
  EXPECT_EQ(-0.25, m.GetElem(0, 0));
  EXPECT_EQ(0.5, m.GetElem(1, 0));
  EXPECT_EQ(2.0, m.GetElem(1, 1));
  EXPECT_TRUE(swept.IsIn(0));
  ASSERT_TRUE(m.Sweep(0, 1e-8, d, swept, true));
  EXPECT_EQ((std::vector<double>{4, 2, 3}), m.AsVectorConst());
  EXPECT_FALSE(swept.IsIn(0));
}

TEST(KzSymMatrixSweep, RefusalsLeaveMatrixAndFlagsUnchanged) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  KzSymMatrix m = SymOf({0, 1, 2}, 2);  // pivot 0 is 0
  KzBitSet swept(2), shortSet(1);
  const std::vector<double> d = {1, 2}, shortD = {1};
  KZ_EXPECT_REFUSED(false, m.Sweep(0, 1e-8, d, swept, true), m, swept);   // zero pivot
  KZ_EXPECT_REFUSED(false, m.Sweep(0, 1e-8, d, swept, false), m, swept);
  // Index and length tests hold with check off too.
  KZ_EXPECT_REFUSED(false, m.Sweep(2, 1e-8, d, swept, false), m, swept);
  KZ_EXPECT_REFUSED(false, m.Sweep(-1, 1e-8, d, swept, false), m, swept);
  KZ_EXPECT_REFUSED(false, m.Sweep(1, 1e-8, shortD, swept, false), m, swept);
  KZ_EXPECT_REFUSED(false, m.Sweep(1, 1e-8, d, shortSet, false), m, shortSet);
  // With check: eps and the reference values.
  KZ_EXPECT_REFUSED(false, m.Sweep(1, 0.0, d, swept, true), m, swept);
  KZ_EXPECT_REFUSED(false, m.Sweep(1, 1e-8, std::vector<double>{1, -2}, swept, true), m, swept);
  KZ_EXPECT_REFUSED(false, m.Sweep(1, 1e-8, std::vector<double>{nan, 2}, swept, true), m, swept);
  // A NaN pivot is refused, not swept into a matrix of NaN.
  KzSymMatrix bad = SymOf({nan, 1, 2}, 2);
  KZ_EXPECT_REFUSED(false, bad.Sweep(0, 1e-8, d, swept, false), bad, swept);
  // A reverse sweep needs a swept (negative) pivot.
  KzSymMatrix pos = SymOf({4, 2, 3}, 2);
  KzBitSet claimed(2);
  claimed.Set(0, true);
  KZ_EXPECT_REFUSED(false, pos.Sweep(0, 1e-8, d, claimed, false), pos, claimed);
}

TEST(KzSymMatrixSweep, AliasedPivotRefused) {
  // x2 = x0 + x1 (cross-products of three columns): the third pivot is aliased.
  const std::vector<double> x = {1, 2, 3, 0, 1, 1, 2, -1, 1, 4, 0, 4, -3, 5, 2};
  KzMath_1_2::KzRectMatrix r = kztest::RectOf(x, 5, 3);
  KzSymMatrix m;
  ASSERT_TRUE(m.ComputeRTransByR(r));
  std::vector<double> d;
  m.GetDiagonal(d);
  KzBitSet swept(3);
  ASSERT_TRUE(m.Sweep(0, 1e-10, d, swept, true));
  ASSERT_TRUE(m.Sweep(1, 1e-10, d, swept, true));
  KZ_EXPECT_REFUSED(false, m.Sweep(2, 1e-10, d, swept, true), m, swept);
}

TEST(KzSymMatrixSweep, EarlierPivotResidualGuard) {
  // Corr 0.9999: each residual given the other is 2e-4. Pivot 1 passes its
  // own test against d[1] = 1, but it would leave pivot 0 with a residual
  // below eps * d[0] = 0.01.
  KzSymMatrix m = SymOf({1, 0.9999, 1}, 2);
  const std::vector<double> d = {1e4, 1};
  KzBitSet swept(2);
  ASSERT_TRUE(m.Sweep(0, 1e-6, d, swept, true));
  KZ_EXPECT_REFUSED(false, m.Sweep(1, 1e-6, d, swept, true), m, swept);
  // With equal references it passes.
  ASSERT_TRUE(m.Sweep(1, 1e-6, std::vector<double>{1, 1}, swept, true));
}

TEST(KzSymMatrixSweep, ForwardThenReverseRestores) {
  for (int n : {1, 2, 5, 12, 40}) {
    SCOPED_TRACE(n);
    const std::vector<double> p = kztest::RandomSpdPacked(n, 100 + n);
    KzSymMatrix m = SymOf(p, n);
    std::vector<double> d;
    m.GetDiagonal(d);
    KzBitSet swept(n);
    for (int k = 0; k < n; ++k) ASSERT_TRUE(m.Sweep(k, 1e-12, d, swept, true));
    for (int k = n - 1; k >= 0; k -= 2) ASSERT_TRUE(m.Sweep(k, 1e-12, d, swept, true));
    for (int k = n - 2; k >= 0; k -= 2) ASSERT_TRUE(m.Sweep(k, 1e-12, d, swept, true));
    EXPECT_EQ(0, swept.InSet());
    EXPECT_LT(kztest::RelDist(m.AsVectorConst(), p), 1e-12);
  }
}

TEST(KzSymMatrixSweep, SweptBlockIsMinusInverseAndCoefficientsMatchDgels) {
  constexpr int kRows = 30, kQ = 6, kP = 3;
  const std::vector<double> x = kztest::RandomVector(kRows * kQ, 7);
  const std::vector<double> y = kztest::RandomVector(kRows * kP, 8);
  KzSymMatrix m;
  ASSERT_TRUE(m.SetNRows(kQ + kP));
  ASSERT_TRUE(m.UpdateXXMat2(kztest::RectOf(x, kRows, kQ), kztest::RectOf(y, kRows, kP), 1.0));
  std::vector<double> d;
  m.GetDiagonal(d);
  // Reference values before the sweep.
  std::vector<double> xtx(kztest::Packed(kQ));
  for (int i = 0; i < kQ; ++i)
    for (int j = 0; j <= i; ++j) xtx[kztest::Packed(i) + j] = m.GetElem(i, j);
  const std::vector<double> inv = kztest::RefPackedInverse(xtx, kQ);
  std::vector<double> rss;
  const std::vector<double> coef = kztest::RefLeastSquares(x, kRows, kQ, y, kP, &rss);

  KzBitSet swept(kQ + kP);
  for (int k = 0; k < kQ; ++k) ASSERT_TRUE(m.Sweep(k, 1e-10, d, swept, true));
  for (int i = 0; i < kQ; ++i)
    for (int j = 0; j <= i; ++j)
      KZ_EXPECT_REL(-inv[kztest::Packed(i) + j], m.GetElem(i, j), 1e-12);
  for (int c = 0; c < kQ; ++c)
    for (int t = 0; t < kP; ++t) KZ_EXPECT_REL(coef[c * kP + t], m.GetElem(kQ + t, c), 1e-12);
  for (int t = 0; t < kP; ++t) KZ_EXPECT_REL(rss[t], m.GetElem(kQ + t, kQ + t), 1e-12);
}

TEST(KzSymMatrixSweep, SweepOnManyLogDeterminant) {
  constexpr int n = 7;
  const std::vector<double> p = kztest::RandomSpdPacked(n, 21, 2.0);
  const std::vector<double> l = kztest::RefPackedCholesky(p, n);
  ASSERT_FALSE(l.empty());
  for (int k : {1, 4, 7}) {
    SCOPED_TRACE(k);
    double logDet = 0.0;  // log det of the leading k block = 2 sum log L(i,i)
    for (int i = 0; i < k; ++i) logDet += 2.0 * std::log(l[kztest::Packed(i) + i]);
    KzSymMatrix m = SymOf(p, n);
    KzBitSet swept(n);
    double got = 0.0;
    ASSERT_TRUE(m.SweepOnMany(k, 1e-10, true, swept, got, true));
    KZ_EXPECT_REL(logDet, got, 1e-12);
    EXPECT_EQ(k, swept.InSet());
    KzSymMatrix m2 = SymOf(p, n);
    KzBitSet swept2(n);
    ASSERT_TRUE(m2.SweepOnMany(k, 1e-10, false, swept2, got, false));
    KZ_EXPECT_REL(-logDet, got, 1e-12);
  }
}

TEST(KzSymMatrixSweep, SweepOnManySkipsAliasedAndKeepsShortSetSize) {
  // Column 2 = column 0 + column 1.
  const std::vector<double> x = {1, 2, 3, 0, 1, 1, 2, -1, 1, 4, 0, 4, -3, 5, 2};
  KzSymMatrix m;
  ASSERT_TRUE(m.ComputeRTransByR(kztest::RectOf(x, 5, 3)));
  KzBitSet swept(3);
  swept.Set(2, true);  // cleared by the call
  double logDet = 1.0;
  ASSERT_TRUE(m.SweepOnMany(3, 1e-10, true, swept, logDet, true));
  EXPECT_TRUE(swept.IsIn(0));
  EXPECT_TRUE(swept.IsIn(1));
  EXPECT_FALSE(swept.IsIn(2));

  KzSymMatrix m2 = SymOf(kztest::RandomSpdPacked(4, 3), 4);
  KzBitSet shortSet(2);
  ASSERT_TRUE(m2.SweepOnMany(2, 1e-10, true, shortSet, logDet, true));
  EXPECT_EQ(2, shortSet.Size());
  EXPECT_EQ(2, shortSet.InSet());
  // A set longer than the order keeps its flags past the order.
  KzBitSet longSet(6);
  longSet.Set(5, true);
  KzSymMatrix m3 = SymOf(kztest::RandomSpdPacked(4, 3), 4);
  ASSERT_TRUE(m3.SweepOnMany(4, 1e-10, true, longSet, logDet, true));
  EXPECT_EQ(5, longSet.InSet());
  EXPECT_TRUE(longSet.IsIn(5));
}

TEST(KzSymMatrixSweep, SweepOnManyRefusals) {
  KzSymMatrix m = SymOf({4, 2, -3}, 2);
  KzBitSet swept(2), shortSet(1);
  double logDet = 5.0;
  KZ_EXPECT_REFUSED(false, m.SweepOnMany(0, 1e-8, true, swept, logDet, true), m, swept, logDet);
  KZ_EXPECT_REFUSED(false, m.SweepOnMany(3, 1e-8, true, swept, logDet, false), m, swept, logDet);
  KZ_EXPECT_REFUSED(false, m.SweepOnMany(2, 1e-8, true, shortSet, logDet, false), m, shortSet,
                    logDet);
  KZ_EXPECT_REFUSED(false, m.SweepOnMany(2, 0.0, true, swept, logDet, true), m, swept, logDet);
  // Negative diagonal with check.
  KZ_EXPECT_REFUSED(false, m.SweepOnMany(2, 1e-8, true, swept, logDet, true), m, swept, logDet);
}

TEST(KzSymMatrixSweep, GetRegCoeffs) {
  KzSymMatrix m = SymOf({1, 2, 3, 4, 5, 6}, 3);
  KzBitSet swept(3);
  swept.Set(1, true);
  std::vector<double> coef = {9};
  ASSERT_TRUE(m.GetRegCoeffs(coef, swept));
  EXPECT_EQ((std::vector<double>{0, 5}), coef);
  KzSymMatrix one = SymOf({1}, 1);
  ASSERT_TRUE(one.GetRegCoeffs(coef, KzBitSet()));
  EXPECT_TRUE(coef.empty());
  coef = {7};
  KzSymMatrix empty;
  KZ_EXPECT_REFUSED(false, empty.GetRegCoeffs(coef, swept), coef);
  KZ_EXPECT_REFUSED(false, m.GetRegCoeffs(coef, KzBitSet(1)), coef);
}

}  // namespace
