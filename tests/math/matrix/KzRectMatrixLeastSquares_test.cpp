// Redundant columns, projections, least squares and Householder QR on the
// rectangular matrix, against reference LAPACK DGELS and the defining
// identities (qᵀq = I, A = q R).

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "FactorOracle.h"
#include "FactorTestUtil.h"
#include "kzcommon12r/math/matrix/KzBitSet.h"
#include "kzcommon12r/math/matrix/KzRectMatrix.h"
#include "kzcommon12r/math/matrix/KzSymMatrix.h"
#include "support/KzMatrixBuilders.h"
#include "support/KzRefusal.h"
#include "support/KzTestCompare.h"

namespace {

using KzMath_1_2::KzBitSet;
using KzMath_1_2::KzRectMatrix;
using KzMath_1_2::KzSymMatrix;
using kztest::RectOf;
using kztest::SymOf;

TEST(KzRectMatrixLeastSquares, FindRedundanciesSumColumn) {
  // Third column = first + second.
  KzRectMatrix a = RectOf({1, 2, 3, 0, 1, 1, 2, -1, 1, 4, 0, 4}, 4, 3);
  KzBitSet kept;
  EXPECT_EQ(1, a.FindRedundancies(1e-7, kept, false));
  EXPECT_TRUE(kept.IsIn(0));
  EXPECT_TRUE(kept.IsIn(1));
  EXPECT_FALSE(kept.IsIn(2));
  // By rows: four rows in a space of rank 2.
  EXPECT_EQ(2, a.FindRedundancies(1e-7, kept, true));
  std::vector<int> idx;
  EXPECT_EQ(2, a.FindNonRedunIndices(1e-7, idx, false));
  EXPECT_EQ((std::vector<int>{0, 1}), idx);
  KZ_EXPECT_REFUSED(-1, a.FindRedundancies(-1.0, kept, false), a, kept);
  KZ_EXPECT_REFUSED(-1, a.FindNonRedunIndices(-1.0, idx, false), a, idx);
  KzRectMatrix out;
  KZ_EXPECT_REFUSED(-1, a.ExtractFullRank(-1.0, out, idx, false), a, out, idx);
}

TEST(KzRectMatrixLeastSquares, ExtractFullRankOfKnownRank) {
  for (int rank : {1, 3, 5}) {
    SCOPED_TRACE(rank);
    KzRectMatrix a = RectOf(kztest::KnownRankRowMajor(12, 6, rank, 33 + rank), 12, 6);
    KzRectMatrix out;
    std::vector<int> idx;
    ASSERT_EQ(rank, a.ExtractFullRank(1e-6, out, idx, false));
    EXPECT_EQ(12, out.GetNRows());
    EXPECT_EQ(rank, out.GetNCols());
    KzBitSet kept;
    EXPECT_EQ(0, out.FindRedundancies(1e-6, kept, false));
    // Rows, into the matrix itself.
    KzRectMatrix t = a;
    t.Transpose();
    ASSERT_EQ(rank, t.ExtractFullRank(1e-6, t, idx, true));
    EXPECT_EQ(rank, t.GetNRows());
  }
}

TEST(KzRectMatrixLeastSquares, ResidualOfProjectionEqualsDgelsResidual) {
  constexpr int n = 25, q = 4, p = 3;
  const std::vector<double> x = kztest::RandomVector(n * q, 90);
  std::vector<double> y = kztest::RandomVector(n * p, 91);
  for (int r = 0; r < n; ++r) y[r * p + 2] = x[r * q + 1];  // Y column 2 = X column 1
  std::vector<double> rss;
  const std::vector<double> coef = kztest::RefLeastSquares(x, n, q, y, p, &rss);
  const std::vector<double> fit = kztest::Mul(x, coef, n, q, p);
  KzRectMatrix ym = RectOf(y, n, p);
  KzBitSet xKept, yKept;
  ASSERT_TRUE(ym.ResidOfOrthProjection(RectOf(x, n, q), 1e-9, xKept, yKept));
  EXPECT_EQ(q, xKept.InSet());
  EXPECT_TRUE(yKept.IsIn(0));
  EXPECT_TRUE(yKept.IsIn(1));
  EXPECT_FALSE(yKept.IsIn(2));
  for (int r = 0; r < n; ++r)
    for (int j = 0; j < 2; ++j) EXPECT_NEAR(y[r * p + j] - fit[r * p + j], ym.GetElem(r, j), 1e-13);
  for (int r = 0; r < n; ++r) EXPECT_NEAR(0.0, ym.GetElem(r, 2), 1e-13);
  // Refusals.
  KzRectMatrix y0 = RectOf(y, n, p);
  KZ_EXPECT_REFUSED(false, y0.ResidOfOrthProjection(RectOf(x, n, q), 0.0, xKept, yKept), y0,
                    xKept, yKept);
  KZ_EXPECT_REFUSED(false, y0.ResidOfOrthProjection(KzRectMatrix(n - 1, q), 1e-9, xKept, yKept),
                    y0, xKept, yKept);
  KZ_EXPECT_REFUSED(false, y0.ResidOfOrthProjection(KzRectMatrix(n, 0), 1e-9, xKept, yKept), y0,
                    xKept, yKept);
  // Projection on itself leaves zeros.
  KzRectMatrix self = RectOf(x, n, q);
  ASSERT_TRUE(self.ResidOfOrthProjection(self, 1e-9, xKept, yKept));
  EXPECT_EQ(0, yKept.InSet());
}

TEST(KzRectMatrixLeastSquares, EstimateLinearGI) {
  constexpr int n = 20, q = 5;
  const std::vector<double> a = kztest::RandomVector(n * q, 60);
  const std::vector<double> b = kztest::RandomVector(n, 61);
  const std::vector<double> ref = kztest::RefLeastSquares(a, n, q, b, 1);
  std::vector<double> x;
  ASSERT_EQ(0, RectOf(a, n, q).EstimateLinearGI(b, x, 1e-10));
  EXPECT_LT(kztest::RelDist(x, ref), 1e-12);
  // Square and nonsingular: the direct solve.
  const std::vector<double> sq = kztest::RandomVector(16, 62);
  const std::vector<double> sb = kztest::RandomVector(4, 63);
  ASSERT_EQ(0, RectOf(sq, 4, 4).EstimateLinearGI(sb, x, 1e-12));
  EXPECT_LT(kztest::RelDist(x, kztest::RefSolve(sq, 4, sb)), 1e-12);
  // Square and singular: the generalised inverse reports its redundant row.
  ASSERT_EQ(1, RectOf({1, 2, 2, 4}, 2, 2).EstimateLinearGI(std::vector<double>{1, 2}, x, 1e-10));
  KzRectMatrix e;
  x = {3};
  KZ_EXPECT_REFUSED(-1, e.EstimateLinearGI(b, x, 1e-10), x);
  KZ_EXPECT_REFUSED(-1, RectOf(a, n, q).EstimateLinearGI(b, x, 0.0), x);
  KZ_EXPECT_REFUSED(-1, RectOf(a, n, q).EstimateLinearGI(sb, x, 1e-10), x);
}

// q orthogonal, A = q[:, :k] R with R's diagonal >= 0.
void ExpectQR(const std::vector<double>& aRowMajor, int rows, int cols) {
  const KzRectMatrix a = RectOf(aRowMajor, rows, cols);
  KzSymMatrix r;
  KzRectMatrix q;
  ASSERT_TRUE(a.QRDecompositionH(r, q));
  const int m = std::max(rows, cols), k = std::min(rows, cols);
  std::vector<double> w = aRowMajor;  // m x k
  if (rows < cols) {
    KzRectMatrix t = a;
    t.Transpose();
    w = t.AsVectorConst();
  }
  ASSERT_EQ(m, q.GetNRows());
  ASSERT_EQ(k, r.GetNRows());
  const std::vector<double> qv = q.AsVectorConst();
  std::vector<double> qt(qv.size());
  for (int i = 0; i < m; ++i)
    for (int j = 0; j < m; ++j) qt[j * m + i] = qv[i * m + j];
  std::vector<double> id(static_cast<std::size_t>(m) * m, 0.0);
  for (int i = 0; i < m; ++i) id[i * m + i] = 1.0;
  EXPECT_LT(kztest::RelDist(kztest::Mul(qt, qv, m, m, m), id), 1e-14 * m);
  std::vector<double> rk(static_cast<std::size_t>(m) * k, 0.0);  // R padded with zero rows
  for (int i = 0; i < k; ++i) {
    EXPECT_GE(r.GetElem(i, i), 0.0);
    for (int j = i; j < k; ++j) rk[i * k + j] = r.GetElem(i, j);
  }
  EXPECT_LT(kztest::RelDist(kztest::Mul(qv, rk, m, m, k), w), 1e-14 * m);
}

TEST(KzRectMatrixLeastSquares, QRDecompositionIdentities) {
  ExpectQR(kztest::RandomVector(30 * 7, 1), 30, 7);
  ExpectQR(kztest::RandomVector(6 * 6, 2), 6, 6);
  ExpectQR(kztest::RandomVector(3 * 8, 3), 3, 8);
  ExpectQR({1, 0, 0, 1}, 2, 2);          // identity: no reflection needed
  ExpectQR({2, 1, 0, 3, 0, 0}, 3, 2);    // first column a positive multiple of e1
  ExpectQR({0, 1, 0, 2, 0, 3}, 3, 2);    // zero column
  ExpectQR({-4, 1, 0, 0}, 2, 2);         // negative multiple of e1
  ExpectQR(kztest::KnownRankRowMajor(10, 4, 2, 5), 10, 4);
  ExpectQR({5}, 1, 1);
  // x1 > 0 with a tiny tail: x1 - |x| cancels to 0, the stable form does not.
  ExpectQR({1, 2, 1e-9, 1, 0, 3}, 3, 2);
}

TEST(KzRectMatrixLeastSquares, QRDecompositionKnownValues) {
  // Published example: R(0,0) = 5, R(0,1) = 2.2, R(1,1) = 5.015974.
  KzSymMatrix r;
  KzRectMatrix q;
  ASSERT_TRUE(RectOf({3, 1, 4, 2, 0, 5}, 3, 2).QRDecompositionH(r, q));
  KZ_EXPECT_REL(5.0, r.GetElem(0, 0), 1e-15);
  KZ_EXPECT_REL(2.2, r.GetElem(0, 1), 1e-15);
  EXPECT_NEAR(5.015974, r.GetElem(1, 1), 5e-7);
  KZ_EXPECT_REL(std::sqrt(25.16), r.GetElem(1, 1), 1e-15);
  // q may be the matrix itself.
  KzRectMatrix self = RectOf({3, 1, 4, 2, 0, 5}, 3, 2);
  ASSERT_TRUE(self.QRDecompositionH(r, self));
  EXPECT_EQ(q.AsVectorConst(), self.AsVectorConst());
  KzRectMatrix empty(0, 3);
  KzSymMatrix r0 = SymOf({1}, 1);
  KZ_EXPECT_REFUSED(false, empty.QRDecompositionH(r0, q), r0, q);
}

TEST(KzRectMatrixLeastSquares, TracesProductsAndSubtraction) {
  const std::vector<double> av = kztest::RandomVector(16, 11);
  const std::vector<double> sp = kztest::RandomSpdPacked(4, 12);
  const KzSymMatrix s = SymOf(sp, 4);
  const std::vector<double> sf = kztest::UnpackSym(sp, 4);
  KzRectMatrix a = RectOf(av, 4, 4);
  const std::vector<double> as = kztest::Mul(av, sf, 4, 4, 4);
  double tr = 0.0;
  ASSERT_TRUE(a.TraceOfProductSqS(s, tr));
  KZ_EXPECT_REL(as[0] + as[5] + as[10] + as[15], tr, 1e-14);
  KZ_EXPECT_REFUSED(false, RectOf(av, 2, 8).TraceOfProductSqS(s, tr), tr);

  ASSERT_TRUE(a.SubtractSymMatrix(s, 2.0));
  for (int i = 0; i < 16; ++i) EXPECT_DOUBLE_EQ(av[i] - 2.0 * sf[i], a.AsVectorConst()[i]);
  KzRectMatrix wrong(3, 3);
  KZ_EXPECT_REFUSED(false, wrong.SubtractSymMatrix(s, 1.0), wrong);

  // R1ᵀ W R2 over the window rows/columns 1..2 of S, R1 rows 2..3, R2 rows 0..1.
  const KzRectMatrix r1 = RectOf(kztest::RandomVector(12, 13), 4, 3);
  const KzRectMatrix r2 = RectOf(kztest::RandomVector(9, 14), 3, 3);
  KzRectMatrix out(1, 1);
  ASSERT_TRUE(out.ComputeR1TransSR2(r1, 2, r2, 0, s, 1, 2));
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j) {
      double e = 0.0;
      for (int a1 = 0; a1 < 2; ++a1)
        for (int b1 = 0; b1 < 2; ++b1)
          e += r1.GetElem(2 + a1, i) * s.GetElem(1 + a1, 1 + b1) * r2.GetElem(b1, j);
      KZ_EXPECT_REL(e, out.GetElem(i, j), 1e-14);
    }
  KZ_EXPECT_REFUSED(false, out.ComputeR1TransSR2(r1, 3, r2, 0, s, 1, 2), out);   // r1 too short
  KZ_EXPECT_REFUSED(false, out.ComputeR1TransSR2(r1, 0, r2, 0, s, 3, 2), out);   // window past S
  KZ_EXPECT_REFUSED(false, out.ComputeR1TransSR2(r1, -1, r2, 0, s, 1, 2), out);
  KZ_EXPECT_REFUSED(false, out.ComputeR1TransSR2(r1, 0, RectOf({1, 2}, 2, 1), 0, s, 1, 2), out);
}

}  // namespace
