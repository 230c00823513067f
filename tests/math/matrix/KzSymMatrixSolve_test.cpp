// Definite and indefinite solvers, the shift to positive definite, and the
// model-building helpers, against reference LAPACK DPPSV/DGESV and the
// defining equations.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
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
using kztest::Packed;
using kztest::SymOf;

std::vector<double> SymTimes(const KzSymMatrix& m, const std::vector<double>& v) {
  std::vector<double> out;
  m.ComputeSV(v, out);
  return out;
}

TEST(KzSymMatrixSolve, LTSolveEqualsDppsv) {
  for (int n : {1, 5, 40}) {
    SCOPED_TRACE(n);
    const std::vector<double> p = kztest::RandomSpdPacked(n, 200 + n);
    std::vector<double> b = kztest::RandomVector(n, 300 + n);
    std::vector<double> ap(p), ref(b);
    int info = 0, one = 1;
    dppsv_("U", &n, &one, ap.data(), ref.data(), &n, &info, 1);
    ASSERT_EQ(0, info);
    KzSymMatrix m = SymOf(p, n);
    std::vector<double> x;
    ASSERT_EQ(0, m.LTSolve(b, 1e-12, x));
    EXPECT_LT(kztest::RelDist(x, ref), 1e-12);
    // b and x the same vector; LTSubstitute on the factor now held.
    ASSERT_EQ(0, SymOf(p, n).LTSolve(b, 1e-12, b));
    EXPECT_LT(kztest::RelDist(b, ref), 1e-12);
    std::vector<double> x2;
    ASSERT_EQ(0, m.LTSubstitute(kztest::RandomVector(n, 300 + n), x2));
    EXPECT_LT(kztest::RelDist(x2, ref), 1e-12);
    // The two halves: L y = b, then Lᵀ x = y.
    std::vector<double> y, x3;
    ASSERT_TRUE(m.TSolveSubst(kztest::RandomVector(n, 300 + n), y, false));
    ASSERT_TRUE(m.TSolveSubst(y, x3, true));
    EXPECT_LT(kztest::RelDist(x3, ref), 1e-12);
  }
}

TEST(KzSymMatrixSolve, LTSolveRankDeficientGivesZeroedSolution) {
  constexpr int n = 7, rank = 4;
  const std::vector<double> p = kztest::KnownRankSymPacked(n, rank, 17);
  const KzSymMatrix m0 = SymOf(p, n);
  const std::vector<double> b = SymTimes(m0, kztest::RandomVector(n, 18));  // consistent
  KzSymMatrix m = m0;
  std::vector<double> x;
  ASSERT_EQ(n - rank, m.LTSolve(b, 1e-10, x));
  int zeros = 0;
  for (int i = 0; i < n; ++i)
    if (m.GetElem(i, i) == 0.0) {
      EXPECT_EQ(0.0, x[i]);
      ++zeros;
    }
  EXPECT_EQ(n - rank, zeros);
  EXPECT_LT(kztest::RelDist(SymTimes(m0, x), b), 1e-9);
}

TEST(KzSymMatrixSolve, DefiniteSolverRefusals) {
  KzSymMatrix m = SymOf({4, 2, 3}, 2);
  std::vector<double> x = {9};
  KZ_EXPECT_REFUSED(-1, m.LTSolve(std::vector<double>{1, 1}, 0.0, x), m, x);
  KZ_EXPECT_REFUSED(-1, m.LTSolve(std::vector<double>{1}, 1e-8, x), m, x);
  KZ_EXPECT_REFUSED(-1, m.LTSubstitute(std::vector<double>{1}, x), m, x);
  KZ_EXPECT_REFUSED(false, m.TSolveSubst(std::vector<double>{1, 2, 3}, x, true), m, x);
}

TEST(KzSymMatrixSolve, IndefiniteNonsingularEqualsDgesv) {
  for (int n : {2, 6, 25}) {
    SCOPED_TRACE(n);
    std::vector<double> p = kztest::KnownRankSymPacked(n, n, 400 + n);
    for (int i = 0; i < n; i += 2) p[Packed(i) + i] -= 3.0;  // indefinite
    const KzSymMatrix m = SymOf(p, n);
    const std::vector<double> b = kztest::RandomVector(n, 401 + n);
    const std::vector<double> ref = kztest::RefSolve(kztest::UnpackSym(p, n), n, b);
    ASSERT_FALSE(ref.empty());
    std::vector<double> x;
    ASSERT_TRUE(m.SolveIndefinite(1e-12, b, x));
    EXPECT_LT(kztest::RelDist(x, ref), 1e-10);
    KzBitSet all(n);
    all.SetRange(0, n - 1, true);
    std::vector<double> x2;
    ASSERT_TRUE(m.SolveIndefinite(all, b, x2));
    EXPECT_EQ(x, x2);
  }
}

TEST(KzSymMatrixSolve, IndefiniteSingularSolvesKeptRows) {
  // Rows 0..3 independent and indefinite; rows 4, 5 combinations of them.
  constexpr int n = 6;
  const std::vector<double> c = kztest::RandomVector(n * 4, 5);
  std::vector<double> full(n * n, 0.0);
  const double sign[4] = {1, -1, 1, -1};
  for (int i = 0; i < n; ++i)
    for (int j = 0; j < n; ++j)
      for (int t = 0; t < 4; ++t) full[i * n + j] += sign[t] * c[i * 4 + t] * c[j * 4 + t];
  const KzSymMatrix m = SymOf(kztest::PackLower(full, n), n);
  const std::vector<double> b = SymTimes(m, kztest::RandomVector(n, 6));
  std::vector<double> x;
  ASSERT_TRUE(m.SolveIndefinite(1e-10, b, x));
  int zeros = 0;
  for (double v : x) zeros += v == 0.0;
  EXPECT_EQ(2, zeros);
  EXPECT_LT(kztest::RelDist(SymTimes(m, x), b), 1e-9);
  // The generalised alternative: S² x = S b.
  std::vector<double> g;
  ASSERT_TRUE(m.SolveIndefiniteGI(1e-10, b, g));
  EXPECT_LT(kztest::RelDist(SymTimes(m, g), b), 1e-8);
}

TEST(KzSymMatrixSolve, IndefiniteRefusals) {
  const KzSymMatrix m = SymOf({1, 2, 1}, 2);
  KzSymMatrix zero(2);
  std::vector<double> x = {4};
  const std::vector<double> b = {1, 2}, longB = {1, 2, 3};
  KZ_EXPECT_REFUSED(false, m.SolveIndefinite(-1.0, b, x), x);
  KZ_EXPECT_REFUSED(false, m.SolveIndefinite(1e-10, longB, x), x);
  KZ_EXPECT_REFUSED(false, zero.SolveIndefinite(1e-10, b, x), x);  // no row kept
  KZ_EXPECT_REFUSED(false, m.SolveIndefinite(KzBitSet(1), b, x), x);
  KZ_EXPECT_REFUSED(false, m.SolveIndefinite(KzBitSet(2), b, x), x);
  KZ_EXPECT_REFUSED(false, m.SolveIndefinite(KzBitSet(2), longB, x), x);
  // eps = 0 makes LTSolve refuse with -1, which is not a success.
  KZ_EXPECT_REFUSED(false, m.SolveIndefiniteGI(0.0, b, x), x);
  KZ_EXPECT_REFUSED(false, m.SolveIndefiniteGI(1e-10, longB, x), x);
  KZ_EXPECT_REFUSED(false, zero.SolveIndefiniteGI(1e-10, b, x), x);
  KzSymMatrix empty;
  KZ_EXPECT_REFUSED(false, empty.SolveIndefinite(1e-10, std::vector<double>(), x), x);
}

TEST(KzSymMatrixSolve, TransformToPositiveDefinite) {
  bool transformed = true;
  double shift = 7.0;
  KzSymMatrix pd = SymOf(kztest::RandomSpdPacked(4, 9), 4);
  const KzSymMatrix pd0 = pd;
  EXPECT_EQ(1, pd.TransformToPositiveDefinite(1e-6, transformed, shift));
  EXPECT_FALSE(transformed);
  EXPECT_EQ(0.0, shift);
  EXPECT_EQ(pd0.AsVectorConst(), pd.AsVectorConst());
  KzSymMatrix one = SymOf({-1}, 1);
  KZ_EXPECT_REFUSED(-1, one.TransformToPositiveDefinite(1e-6, transformed, shift), one);
  KzSymMatrix ind = SymOf({1, 2, 1, 0, 1, -4}, 3);
  KZ_EXPECT_REFUSED(-2, ind.TransformToPositiveDefinite(0.0, transformed, shift), ind);
  KzSymMatrix nan = SymOf({1, std::numeric_limits<double>::quiet_NaN(), 1}, 2);
  KZ_EXPECT_REFUSED(-1, nan.TransformToPositiveDefinite(1e-6, transformed, shift), nan);

  for (double eps : {1e-3, 1e-8, 1e-300}) {
    SCOPED_TRACE(eps);
    KzSymMatrix m = ind;
    const int attempts = m.TransformToPositiveDefinite(eps, transformed, shift);
    EXPECT_GT(attempts, 2);
    EXPECT_TRUE(transformed);
    // (M + shift I) / (d0 + shift), d0 = 1 here.
    EXPECT_GT(shift, 0.0);
    KZ_EXPECT_REL((-4.0 + shift) / (1.0 + shift), m.GetElem(2, 2), 1e-14);
    KZ_EXPECT_REL(2.0 / (1.0 + shift), m.GetElem(1, 0), 1e-14);
    KzSymMatrix f = m;
    double minPivot = 0.0;
    EXPECT_EQ(0, f.LTChol(1e-12, minPivot, true));
    EXPECT_GT(minPivot, 0.0);
  }
}

TEST(KzSymMatrixSolve, CheckGMG) {
  const KzSymMatrix s = SymOf({1, 0, 1, 0, 0, 1}, 3);
  const std::vector<double> g = {2, 0, -1, 0, 0, 3};  // g(1,1) < 0
  KzSymMatrix m = SymOf({1, 1, 5, 1, 1, 0}, 3);       // m(2,2) = 0
  KzBitSet sel(3), negative;
  sel.SetRange(0, 2, true);
  bool allRemoved = true;
  int removed = -1;
  ASSERT_TRUE(s.CheckGMG(g, sel, m, negative, allRemoved, removed));
  EXPECT_EQ(2, removed);
  EXPECT_FALSE(allRemoved);
  EXPECT_TRUE(negative.IsIn(1));
  EXPECT_FALSE(negative.IsIn(2));
  EXPECT_EQ((std::vector<double>{1, 0, 0, 0, 0, 0}), m.AsVectorConst());
  // Every selected row removed.
  KzBitSet only(3);
  only.Set(1, true);
  KzSymMatrix m2 = SymOf({1, 1, 5, 1, 1, 0}, 3);
  ASSERT_TRUE(s.CheckGMG(g, only, m2, negative, allRemoved, removed));
  EXPECT_TRUE(allRemoved);
  EXPECT_EQ(1, removed);
  // Order 0 sets the outputs too.
  KzSymMatrix e, em;
  ASSERT_TRUE(e.CheckGMG(std::vector<double>(), KzBitSet(), em, negative, allRemoved, removed));
  EXPECT_EQ(0, removed);
  EXPECT_FALSE(allRemoved);
  EXPECT_EQ(0, negative.Size());
  // Refusals: short g, short sel, m too small.
  KzSymMatrix small(2);
  KZ_EXPECT_REFUSED(false, s.CheckGMG(std::vector<double>(5), sel, m, negative, allRemoved, removed),
                    m, negative, allRemoved, removed);
  KZ_EXPECT_REFUSED(false, s.CheckGMG(g, KzBitSet(2), m, negative, allRemoved, removed), m,
                    negative, allRemoved, removed);
  KZ_EXPECT_REFUSED(false, s.CheckGMG(g, sel, small, negative, allRemoved, removed), small,
                    negative, allRemoved, removed);
}

TEST(KzSymMatrixSolve, ExtractH) {
  // H rows of a generalised inverse product: rows 1 and 2 selected.
  const KzSymMatrix s = SymOf({1, 0.5, 1, 0.25, 1e-20, 1}, 3);
  KzBitSet sel(3), used(3);
  sel.Set(1, true);
  sel.Set(2, true);
  KzRectMatrix h(3, 4);
  int col = 1;
  ASSERT_TRUE(s.ExtractH(0, 2, sel, h, col, used, -1));
  EXPECT_EQ(3, col);
  EXPECT_TRUE(used.IsIn(1));
  EXPECT_FALSE(used.IsIn(0));
  // Column 1 = row 1 of s with rows 1, 2 set to the unit pattern; column 2 =
  // row 2 likewise.
  EXPECT_EQ(0.5, h.GetElem(0, 1));
  EXPECT_EQ(1.0, h.GetElem(1, 1));
  EXPECT_EQ(0.0, h.GetElem(2, 1));
  EXPECT_EQ(0.25, h.GetElem(0, 2));
  EXPECT_EQ(0.0, h.GetElem(1, 2));
  EXPECT_EQ(1.0, h.GetElem(2, 2));
  EXPECT_EQ(0.0, h.GetElem(0, 0));
  // Refusals: too few columns, bad range, short sets.
  KzRectMatrix narrow(3, 2);
  int c2 = 1;
  KZ_EXPECT_REFUSED(false, s.ExtractH(0, 2, sel, narrow, c2, used, -1), narrow, c2, used);
  KZ_EXPECT_REFUSED(false, s.ExtractH(2, 1, sel, h, c2, used, -1), h, c2, used);
  KZ_EXPECT_REFUSED(false, s.ExtractH(0, 3, sel, h, c2, used, -1), h, c2, used);
  KzBitSet shortUsed(2);
  KZ_EXPECT_REFUSED(false, s.ExtractH(0, 2, sel, h, c2, shortUsed, -1), h, c2, shortUsed);
  KZ_EXPECT_REFUSED(false, s.ExtractH(0, 2, sel, h, c2, used, 4), h, c2, used);
}

}  // namespace
