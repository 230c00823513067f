// Cholesky factorisation with redundancy detection, generalised inverses,
// determinants and rank-one updates, against reference LAPACK DPPTRF/DPPTRI
// and matrices of known rank.

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
using kztest::Packed;
using kztest::SymOf;

constexpr double kMissing = KzCommon_1_2::KzMV::gMissingValue;

TEST(KzSymMatrixCholesky, EqualsDpptrfOnPositiveDefinite) {
  for (int n : {1, 2, 3, 9, 31, 64}) {
    SCOPED_TRACE(n);
    const std::vector<double> p = kztest::RandomSpdPacked(n, 40 + n);
    const std::vector<double> ref = kztest::RefPackedCholesky(p, n);
    ASSERT_FALSE(ref.empty());
    KzSymMatrix m = SymOf(p, n);
    std::vector<double> d;
    m.GetDiagonal(d);
    KzBitSet kept(1);
    ASSERT_EQ(0, m.LTChol(d, 1e-12, kept, true));
    EXPECT_EQ(n, kept.Size());
    EXPECT_EQ(n, kept.InSet());
    EXPECT_LT(kztest::RelDist(m.AsVectorConst(), ref), 1e-13);
    // The minPivot overload: the smallest diagonal element of the same factor.
    KzSymMatrix m2 = SymOf(p, n);
    double minPivot = 0.0;
    ASSERT_EQ(0, m2.LTChol(1e-12, minPivot, true));
    double lo = ref[0];
    for (int i = 0; i < n; ++i) lo = std::min(lo, ref[Packed(i) + i]);
    KZ_EXPECT_REL(lo, minPivot, 1e-13);
  }
}

TEST(KzSymMatrixCholesky, SingularTwoByTwo) {
  KzSymMatrix m = SymOf({1, 1, 1}, 2);
  KzBitSet kept(5);
  EXPECT_EQ(1, m.LTChol(std::vector<double>{1, 1}, 1e-10, kept, true));
  EXPECT_EQ((std::vector<double>{1, 1, 0}), m.AsVectorConst());
  EXPECT_EQ(5, kept.Size());  // a larger set keeps its size
  EXPECT_TRUE(kept.IsIn(0));
  EXPECT_FALSE(kept.IsIn(1));
}

TEST(KzSymMatrixCholesky, KnownRankRedundantCountAndRebuild) {
  constexpr int n = 9;
  for (int rank = 0; rank <= n; ++rank) {
    SCOPED_TRACE(rank);
    const std::vector<double> p = kztest::KnownRankSymPacked(n, rank, 500 + rank);
    KzSymMatrix m = SymOf(p, n);
    std::vector<double> d;
    m.GetDiagonal(d);
    KzBitSet kept;
    ASSERT_EQ(n - rank, m.LTChol(d, 1e-10, kept, true));
    EXPECT_EQ(rank, kept.InSet());
    for (int i = 0; i < n; ++i)
      if (!kept.IsIn(i)) {
        EXPECT_EQ(0.0, m.GetElem(i, i));
        for (int j = i + 1; j < n; ++j) EXPECT_EQ(0.0, m.GetElem(j, i));
      }
    KzSymMatrix l = m;
    l.LTLLTrans();
    EXPECT_LT(kztest::RelDist(l.AsVectorConst(), p), 1e-12);
    // CholIndNonRed on the original: the same rows, matrix untouched.
    KzSymMatrix orig = SymOf(p, n);
    std::vector<int> idx = {42};
    KZ_EXPECT_UNCHANGED(orig.CholIndNonRed(0, 1e-10, idx), orig);
    ASSERT_EQ(static_cast<std::size_t>(rank), idx.size());
    for (int i : idx) EXPECT_TRUE(kept.IsIn(i));
    if (rank >= 2) {
      EXPECT_EQ(2, orig.CholIndNonRed(2, 1e-10, idx));
      EXPECT_EQ(idx[1], idx.back());
    }
  }
}

TEST(KzSymMatrixCholesky, RefusalsAndNegativePivots) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  KzSymMatrix m = SymOf({4, 2, 3}, 2);
  KzBitSet kept(3);
  const std::vector<double> shortD = {1};
  KZ_EXPECT_REFUSED(-1, m.LTChol(shortD, 1e-8, false), m);  // |d| < n even unchecked
  KZ_EXPECT_REFUSED(-1, m.LTChol(shortD, 1e-8, kept, false), m, kept);
  KZ_EXPECT_REFUSED(-1, m.LTChol(std::vector<double>{4, 3}, -1.0, true), m);
  KZ_EXPECT_REFUSED(-1, m.LTChol(std::vector<double>{4, -3}, 1e-8, kept, true), m, kept);
  KZ_EXPECT_REFUSED(-1, m.LTChol(std::vector<double>{nan, 3}, 1e-8, true), m);
  double minPivot = 1.0;
  EXPECT_EQ(-1, m.LTChol(-1.0, minPivot, true));
  EXPECT_EQ(kMissing, minPivot);
  std::vector<int> idx = {3};
  KZ_EXPECT_REFUSED(0, m.CholIndNonRed(0, -1.0, idx), m, idx);

  // Indefinite: s = 1 - 4 < 0 never reaches the square root, even when a
  // negative eps (unchecked) would let it pass eps * d.
  KzSymMatrix ind = SymOf({1, 2, 1}, 2);
  EXPECT_EQ(1, ind.LTChol(std::vector<double>{1, 1}, -1e10, false));
  EXPECT_EQ(0.0, ind.GetElem(1, 1));
  for (double v : ind.AsVectorConst()) EXPECT_FALSE(std::isnan(v));
}

TEST(KzSymMatrixCholesky, CheckMDependent) {
  constexpr int k = 8;
  // Rank 3: at most three of the selected rows are independent.
  const std::vector<double> p = kztest::KnownRankSymPacked(k, 3, 77);
  KzBitSet sel(k);
  for (int i : {0, 2, 3, 5, 7}) sel.Set(i, true);
  KzSymMatrix m(2);
  EXPECT_EQ(2, m.CheckMDependent(k, p, sel, 1e-10));
  EXPECT_EQ(5, m.GetNRows());
  // Its own storage as the source.
  KzSymMatrix self = SymOf(p, k);
  EXPECT_EQ(2, self.CheckMDependent(k, self.AsVectorConst(), sel, 1e-10));
  EXPECT_LT(kztest::RelDist(self.AsVectorConst(), m.AsVectorConst()), 1e-15);

  KzSymMatrix t = SymOf({1, 0, 1}, 2);
  KZ_EXPECT_REFUSED(-1, t.CheckMDependent(-1, p, sel, 1e-10), t);
  KZ_EXPECT_REFUSED(-1, t.CheckMDependent(k + 1, p, KzBitSet(k + 1), 1e-10), t);
  KZ_EXPECT_REFUSED(-1, t.CheckMDependent(k, p, KzBitSet(k - 1), 1e-10), t);
  KZ_EXPECT_REFUSED(0, t.CheckMDependent(0, p, sel, 1e-10), t);
}

// M G M = M and G M G = G, G symmetric, for the generalised inverse G.
void ExpectGeneralisedInverse(const KzSymMatrix& m, const KzSymMatrix& g, double tol) {
  const int n = m.GetNRows();
  const std::vector<double> mf = kztest::FullOf(m), gf = kztest::FullOf(g);
  const std::vector<double> mgm = kztest::Mul(kztest::Mul(mf, gf, n, n, n), mf, n, n, n);
  const std::vector<double> gmg = kztest::Mul(kztest::Mul(gf, mf, n, n, n), gf, n, n, n);
  EXPECT_LT(kztest::RelDist(mgm, mf), tol);
  EXPECT_LT(kztest::RelDist(gmg, gf), tol);
}

TEST(KzSymMatrixCholesky, InverseOfPositiveDefiniteEqualsDpptri) {
  for (int n : {1, 3, 20}) {
    SCOPED_TRACE(n);
    const std::vector<double> p = kztest::RandomSpdPacked(n, 60 + n);
    const std::vector<double> ref = kztest::RefPackedInverse(p, n);
    KzSymMatrix m = SymOf(p, n);
    std::vector<double> d;
    m.GetDiagonal(d);
    KzSymMatrix inv;
    ASSERT_EQ(n, m.CholInverse(d, 1e-12, inv));
    EXPECT_LT(kztest::RelDist(inv.AsVectorConst(), ref), 1e-12);
    // In place: LTChol then LTInverse.
    ASSERT_EQ(0, m.LTChol(d, 1e-12, true));
    ASSERT_TRUE(m.LTInverse());
    EXPECT_LT(kztest::RelDist(m.AsVectorConst(), ref), 1e-12);
  }
  KzSymMatrix id = SymOf({1, 0, 1, 0, 0, 1}, 3);
  KzSymMatrix inv;
  EXPECT_EQ(3, id.CholInverse(std::vector<double>{1, 1, 1}, 1e-10, inv));
  EXPECT_EQ(id.AsVectorConst(), inv.AsVectorConst());
}

TEST(KzSymMatrixCholesky, GeneralisedInverseOfKnownRank) {
  constexpr int n = 8;
  for (int rank : {1, 4, 7}) {
    SCOPED_TRACE(rank);
    const KzSymMatrix m = SymOf(kztest::KnownRankSymPacked(n, rank, 900 + rank), n);
    std::vector<double> d;
    m.GetDiagonal(d);
    KzSymMatrix g;
    KzBitSet kept;
    ASSERT_EQ(rank, m.CholInverse(d, 1e-10, g, kept));
    ExpectGeneralisedInverse(m, g, 1e-9);
    for (int i = 0; i < n; ++i) {
      if (kept.IsIn(i)) continue;
      for (int j = 0; j < n; ++j) EXPECT_EQ(0.0, g.GetElem(i, j));
    }
    // The minPivot overload, and inv being the matrix itself.
    KzSymMatrix self = m;
    double minPivot = 1.0;
    ASSERT_EQ(rank, self.CholInverse(d, 1e-10, self, minPivot));
    EXPECT_EQ(0.0, minPivot);
    EXPECT_EQ(g.AsVectorConst(), self.AsVectorConst());
  }
  KzSymMatrix m = SymOf({4, 2, 3}, 2), inv = SymOf({7}, 1);
  KzBitSet kept(1);
  double minPivot = 1.0;
  KZ_EXPECT_REFUSED(-1, m.CholInverse(std::vector<double>{1}, 1e-8, inv), m, inv);
  KZ_EXPECT_REFUSED(-1, m.CholInverse(std::vector<double>{1}, 1e-8, inv, kept), m, inv, kept);
  EXPECT_EQ(-1, m.CholInverse(std::vector<double>{1}, 1e-8, inv, minPivot));
  EXPECT_EQ(kMissing, minPivot);
}

TEST(KzSymMatrixCholesky, DeterminantEqualsDpptrfDiagonalProduct) {
  for (int n : {1, 4, 25, 80}) {
    SCOPED_TRACE(n);
    for (double scale : {1e-6, 1.0, 1e150}) {
      std::vector<double> p = kztest::RandomSpdPacked(n, 70 + n);
      for (double& v : p) v *= scale;
      const std::vector<double> l = kztest::RefPackedCholesky(p, n);
      double log10Det = 0.0;
      for (int i = 0; i < n; ++i) log10Det += 2.0 * std::log10(l[Packed(i) + i]);
      double det[2] = {0, 0};
      ASSERT_TRUE(SymOf(p, n).ComputeDeterminant(1e-12, det));
      EXPECT_GE(std::fabs(det[0]), 1.0);
      EXPECT_LT(std::fabs(det[0]), 10.0);
      EXPECT_NEAR(log10Det, std::log10(det[0]) + det[1], 1e-11 * std::max(1.0, std::fabs(log10Det)));
    }
  }
  double det[2] = {5, 5};
  ASSERT_TRUE(SymOf({4, 0, 25, 0, 0, 1}, 3).ComputeDeterminant(1e-10, det));
  EXPECT_EQ(1.0, det[0]);
  EXPECT_EQ(2.0, det[1]);
  // A diagonal below eps is replaced by 1 as the reference: the pivot test
  // is then absolute, and a matrix of tiny scale counts as singular.
  std::vector<double> tiny = kztest::RandomSpdPacked(3, 5);
  for (double& v : tiny) v *= 1e-150;
  ASSERT_TRUE(SymOf(tiny, 3).ComputeDeterminant(1e-12, det));
  EXPECT_EQ(0.0, det[0]);
  // Singular positive semidefinite: (0, 0).
  ASSERT_TRUE(SymOf({1, 1, 1}, 2).ComputeDeterminant(1e-10, det));
  EXPECT_EQ(0.0, det[0]);
  EXPECT_EQ(0.0, det[1]);
  // Indefinite (det -3) and empty: refused.
  det[0] = det[1] = 9;
  KzSymMatrix ind = SymOf({1, 2, 1}, 2), empty;
  KZ_EXPECT_REFUSED(false, ind.ComputeDeterminant(1e-10, det), ind, det[0], det[1]);
  KZ_EXPECT_REFUSED(false, empty.ComputeDeterminant(1e-10, det), det[0], det[1]);
  KZ_EXPECT_REFUSED(false, ind.ComputeDeterminant(-1.0, det), det[0], det[1]);
}

TEST(KzSymMatrixCholesky, LTDetInverseCountsZerosAndStopsOnNonFinite) {
  KzSymMatrix l = SymOf({2, 1, 0, 3, 1, 5}, 3);  // L with a zero pivot
  double det[2] = {7, 7};
  EXPECT_EQ(1, l.LTDetInverse(det, 1));
  EXPECT_EQ(0.0, det[0]);
  EXPECT_EQ(0.0, det[1]);
  KzSymMatrix inf = SymOf({2, 1, std::numeric_limits<double>::infinity()}, 2);
  EXPECT_EQ(0, inf.LTDetInverse(det, 1));  // terminates
  EXPECT_TRUE(std::isinf(det[0]));
  KZ_EXPECT_REFUSED(-1, l.LTDetInverse(nullptr, 1), l);
  // Inverse with a zero pivot: W L = I on the kept rows, zero row and column.
  KzSymMatrix w = l;
  w.LTDetInverse(det, 10);
  EXPECT_EQ(0.0, w.GetElem(1, 1));
  EXPECT_EQ(0.0, w.GetElem(1, 0));
  EXPECT_EQ(0.0, w.GetElem(2, 1));
  KZ_EXPECT_REL(0.5, w.GetElem(0, 0), 1e-15);
  KZ_EXPECT_REL(0.2, w.GetElem(2, 2), 1e-15);
  KZ_EXPECT_REL(-3.0 / 10.0, w.GetElem(2, 0), 1e-15);
}

TEST(KzSymMatrixCholesky, UpdateAndDowndateEqualDpptrf) {
  for (int n : {1, 2, 6, 30}) {
    SCOPED_TRACE(n);
    const std::vector<double> p = kztest::RandomSpdPacked(n, 80 + n, 3.0);
    std::vector<double> x = kztest::RandomVector(n, 81 + n);
    std::vector<double> xs(x);
    for (double& v : xs) v *= 0.3;
    x[0] = -10.0;  // |x0| > L(0,0): DROTG returns a negative radius
    std::vector<double> plus(p), minus(p);
    for (int i = 0; i < n; ++i)
      for (int j = 0; j <= i; ++j) {
        plus[Packed(i) + j] += x[i] * x[j];
        minus[Packed(i) + j] -= xs[i] * xs[j];
      }
    const std::vector<double> refPlus = kztest::RefPackedCholesky(plus, n);
    const std::vector<double> refMinus = kztest::RefPackedCholesky(minus, n);
    ASSERT_FALSE(refMinus.empty());

    KzSymMatrix l = SymOf(kztest::RefPackedCholesky(p, n), n);
    std::vector<double> c(n), s(n);
    ASSERT_TRUE(l.LTCholUpdateR1(x, c, s));
    EXPECT_LT(kztest::RelDist(l.AsVectorConst(), refPlus), 1e-13);

    KzSymMatrix l2 = SymOf(kztest::RefPackedCholesky(p, n), n);
    ASSERT_TRUE(l2.LTCholDowndate(xs, c, s, false));
    EXPECT_LT(kztest::RelDist(l2.AsVectorConst(), refMinus), 1e-12);
  }
}

TEST(KzSymMatrixCholesky, DowndateRefusalAndRescale) {
  KzSymMatrix l = SymOf({1, 0, 1}, 2);  // identity
  std::vector<double> c = {5, 5}, s = {6, 6};
  const std::vector<double> x = {1.2, 0.0};  // |L⁻¹x| = 1.2 >= 1
  KZ_EXPECT_REFUSED(false, l.LTCholDowndate(x, c, s, false), l, c, s);
  std::vector<double> shortC = {1};
  KZ_EXPECT_REFUSED(false, l.LTCholDowndate(x, shortC, s, true), l, shortC, s);
  KzSymMatrix zero = SymOf({0, 0, 1}, 2);
  KZ_EXPECT_REFUSED(false, zero.LTCholDowndate(x, c, s, true), zero, c, s);
  KZ_EXPECT_REFUSED(false, l.LTCholUpdateR1(std::vector<double>{1}, c, s), l, c, s);
  // A zero diagonal in a later row is replaced on the scratch copy only: the
  // refused downdate leaves it 0.
  KzSymMatrix withZero = SymOf({1, 0.5, 0}, 2);
  KZ_EXPECT_REFUSED(false, withZero.LTCholDowndate(std::vector<double>{2, 0}, c, s, false),
                    withZero, c, s);
  // Rescaled: the factor becomes f L with f = 1.2 / 0.9, then downdated.
  ASSERT_TRUE(l.LTCholDowndate(x, c, s, true));
  const double f = 1.2 / 0.9;
  KzSymMatrix rebuilt = l;
  rebuilt.LTLLTrans();
  KZ_EXPECT_REL(f * f - 1.44, rebuilt.GetElem(0, 0), 1e-14);
  KZ_EXPECT_REL(f * f, rebuilt.GetElem(1, 1), 1e-14);
  EXPECT_NEAR(0.0, rebuilt.GetElem(1, 0), 1e-15);
}

}  // namespace
