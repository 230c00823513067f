// KzSymMatrix walk helpers: the partial inner products between rows or columns
// of the packed matrix (or of the factor L it holds) and vectors read along the
// growing and delayed walks, against direct sums over explicit position lists;
// each walk is accepted when it just fits and refused one element short.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "kzcommon12r/common/KzMV.h"
#include "kzcommon12r/math/matrix/KzSymMatrix.h"
#include "kzcommon12r/math/matrix/internal/KzPackedWalk.h"
#include "support/KzMatrixBuilders.h"
#include "support/KzRefusal.h"
#include "support/KzTestCompare.h"

namespace {

using KzMath_1_2::KzSymMatrix;
constexpr double kTol = 1e-14;
constexpr int kN = 6;

KzSymMatrix RandomSym(int n, unsigned seed) {
  KzSymMatrix s(n);
  kztest::Fill(s, kztest::RandomVector(n * (n + 1) / 2, seed));
  return s;
}

// The positions of a growing walk: w_t = start + t incr + t(t-1)/2.
std::vector<int> Growing(int start, int incr, int k) {
  std::vector<int> w;
  for (int t = 0; t < k; ++t) w.push_back(start + t * incr + t * (t - 1) / 2);
  return w;
}

// The positions of a delayed walk: m unit steps, then incr, incr + 1, ...
std::vector<int> Delayed(int start, int m, int incr, int k) {
  std::vector<int> p;
  int pos = start, step = incr;
  for (int t = 0; t < k; ++t) {
    p.push_back(pos);
    if (t < m) {
      pos += 1;
    } else {
      pos += step++;
    }
  }
  return p;
}

// L(t, i) read from the lower triangle (0 above the diagonal).
double L(const KzSymMatrix& s, int t, int i) { return t >= i ? s.GetElem(t, i) : 0.0; }

// The cursors themselves: a full row of a packed order-5 matrix whose element
// (i, j) holds 10 max(i, j) + min(i, j), and the two walks against the lists above.
TEST(KzPackedWalk, CursorsFollowThePackedLayout) {
  std::vector<double> packed;
  for (int i = 0; i < 5; ++i)
    for (int j = 0; j <= i; ++j) packed.push_back(10 * i + j);
  KzMath_1_2::internal::PackedRowReader row(packed.data(), 2);
  std::vector<double> got;
  for (int t = 0; t < 5; ++t) got.push_back(row.Next());
  EXPECT_EQ((std::vector<double>{20, 21, 22, 32, 42}), got);
  KzMath_1_2::internal::PackedColumnReader col(packed.data(), 1);
  got.clear();
  for (int t = 1; t < 5; ++t) got.push_back(col.Next());
  EXPECT_EQ((std::vector<double>{11, 21, 31, 41}), got);
  KzMath_1_2::internal::GrowingWalk g(4, 3);
  KzMath_1_2::internal::DelayedWalk d(2, 3, 5);
  const std::vector<int> gw = Growing(4, 3, 7), dw = Delayed(2, 3, 5, 7);
  for (int t = 0; t < 7; ++t) {
    EXPECT_EQ(gw[t], g.Next());
    EXPECT_EQ(gw[t], KzMath_1_2::internal::GrowingWalk::At(4, 3, t));
    EXPECT_EQ(dw[t], d.Next());
  }
  EXPECT_EQ(dw.back(), KzMath_1_2::internal::DelayedWalk::Last(2, 3, 5, 7));
  EXPECT_EQ(2 + 0, KzMath_1_2::internal::DelayedWalk::Last(2, 3, 5, 1));
}

class KzSymMatrixWalks : public ::testing::Test {
 protected:
  const KzSymMatrix s = RandomSym(kN, 7);
  const std::vector<double> v = kztest::RandomVector(80, 8);
};

TEST_F(KzSymMatrixWalks, GrowingWalksDownAColumn) {
  for (int i = 0; i < kN; ++i) {
    SCOPED_TRACE("i = " + std::to_string(i));
    const std::vector<int> w = Growing(2, 3, kN);
    double row = 0.0, lcol = 0.0;
    for (int t = 0; t < kN; ++t) row += s.GetElem(i, t) * v[w[t]];
    for (int t = i; t < kN; ++t) lcol += L(s, t, i) * v[w[t]];
    double r = 0.0;
    ASSERT_TRUE(s.ComputeDotColVecIIncrPart(i, v, 2, 3, r));
    KZ_EXPECT_REL(row, r, kTol);
    ASSERT_TRUE(s.ComputeDotLColVecIIncrPart(i, v, 2, 3, r));
    KZ_EXPECT_REL(lcol, r, kTol);
    const std::vector<int> d = Growing(1, 2, kN - i);
    double diag = 0.0;
    for (int t = i; t < kN; ++t) diag += L(s, t, i) * v[d[t - i]];
    ASSERT_TRUE(s.ComputeDotLColVecIIncrDiag(i, v, 1, 2, r));
    KZ_EXPECT_REL(diag, r, kTol);
  }
  // The walk of 6 from 2 with increment 3 ends at 2 + 15 + 10 = 27.
  const std::vector<double> fits(28, 1.0), shorter(27, 1.0);
  double r = -1.0;
  EXPECT_TRUE(s.ComputeDotColVecIIncrPart(0, fits, 2, 3, r));
  r = -1.0;
  KZ_EXPECT_REFUSED(false, s.ComputeDotColVecIIncrPart(0, shorter, 2, 3, r), r);
  KZ_EXPECT_REFUSED(false, s.ComputeDotLColVecIIncrPart(0, shorter, 2, 3, r), r);
  KZ_EXPECT_REFUSED(false, s.ComputeDotColVecIIncrPart(0, v, 2, 0, r), r);
  KZ_EXPECT_REFUSED(false, s.ComputeDotColVecIIncrPart(0, v, -1, 3, r), r);
  KZ_EXPECT_REFUSED(false, s.ComputeDotColVecIIncrPart(kN, v, 0, 1, r), r);
  // From row 4: a walk of 2 positions, 1 and 1 + 2.
  const std::vector<double> four(4, 1.0), three(3, 1.0);
  EXPECT_TRUE(s.ComputeDotLColVecIIncrDiag(4, four, 1, 2, r));
  KZ_EXPECT_REFUSED(false, s.ComputeDotLColVecIIncrDiag(4, three, 1, 2, r), r);
}

TEST_F(KzSymMatrixWalks, ContiguousPartsOfRowsAndColumns) {
  for (int i = 0; i < kN; ++i) {
    double col = 0.0, row = 0.0, below = 0.0, before = 0.0;
    for (int t = i; t < kN; ++t) col += L(s, t, i) * v[5 + t];
    for (int t = 0; t <= i; ++t) row += L(s, i, t) * v[5 + t];
    const std::vector<double> vn(v.begin(), v.begin() + kN);
    for (int t = i + 1; t < kN; ++t) below += s.GetElem(t, i) * vn[t];
    for (int t = 0; t < i; ++t) before += s.GetElem(i, t) * vn[t];
    double r = 0.0;
    ASSERT_TRUE(s.ComputeDotLColVecPart(i, v, 5, r));
    KZ_EXPECT_REL(col, r, kTol);
    ASSERT_TRUE(s.ComputeDotLRowVecPart(i, v, 5, r));
    KZ_EXPECT_REL(row, r, kTol);
    ASSERT_TRUE(s.DotProdColBelowDiagBackVec(i, vn, r));
    KZ_EXPECT_REL(below, r, kTol);
    ASSERT_TRUE(s.DotProdRowBeforeDiagFrontVec(i, vn, r));
    KZ_EXPECT_REL(before, r, kTol);
  }
  double r = -1.0;
  const std::vector<double> seven(7, 1.0);
  EXPECT_TRUE(s.ComputeDotLColVecPart(0, seven, 1, r));
  KZ_EXPECT_REFUSED(false, s.ComputeDotLColVecPart(0, seven, 2, r), r);
  KZ_EXPECT_REFUSED(false, s.ComputeDotLRowVecPart(5, seven, 2, r), r);
  EXPECT_TRUE(s.ComputeDotLRowVecPart(5, seven, 1, r));
  KZ_EXPECT_REFUSED(false, s.DotProdColBelowDiagBackVec(0, seven, r), r);
  KZ_EXPECT_REFUSED(false, s.DotProdRowBeforeDiagFrontVec(0, seven, r), r);
  KZ_EXPECT_REFUSED(false, s.ComputeDotLColVecPart(0, seven, -1, r), r);
}

TEST_F(KzSymMatrixWalks, FactorTimesVectorPartsInPlace) {
  std::vector<double> x = kztest::RandomVector(20, 9);
  std::vector<double> expect(kN, 0.0);
  for (int i = 0; i < kN; ++i)
    for (int t = i; t < kN; ++t) expect[i] += L(s, t, i) * x[2 + t];
  std::vector<double> y = x;
  ASSERT_TRUE(s.ComputeVecPartByL(y, 2, 10));
  KZ_EXPECT_VEC_REL(expect, std::vector<double>(y.begin() + 10, y.begin() + 16), kTol);
  EXPECT_EQ(x[9], y[9]);
  EXPECT_EQ(x[16], y[16]);
  KZ_EXPECT_REFUSED(false, s.ComputeVecPartByL(y, 2, 7), y);   // overlapping ranges
  KZ_EXPECT_REFUSED(false, s.ComputeVecPartByL(y, 2, 15), y);  // target past the end
  KZ_EXPECT_REFUSED(false, s.ComputeVecPartByL(y, -1, 10), y);

  // x along the growing walk 0, 1, 3, 6, 10, 15 (column 0 of a packed triangle).
  std::vector<double> z = kztest::RandomVector(30, 10);
  const std::vector<int> w = Growing(0, 1, kN);
  std::vector<double> ez(kN, 0.0);
  for (int i = 0; i < kN; ++i)
    for (int t = i; t < kN; ++t) ez[i] += L(s, t, i) * z[w[t]];
  std::vector<double> zz = z;
  ASSERT_TRUE(s.ComputeVecIIncPartByL(zz, 0, 1, 20));
  KZ_EXPECT_VEC_REL(ez, std::vector<double>(zz.begin() + 20, zz.begin() + 26), kTol);
  KZ_EXPECT_REFUSED(false, s.ComputeVecIIncPartByL(zz, 0, 1, 12), zz);  // walk reaches 15
  KZ_EXPECT_REFUSED(false, s.ComputeVecIIncPartByL(zz, 0, 1, 25), zz);
  KZ_EXPECT_REFUSED(false, s.ComputeVecIIncPartByL(zz, 0, 0, 20), zz);
}

TEST_F(KzSymMatrixWalks, DelayedWalksAlongARowThenDownAColumn) {
  for (int m : {0, 2, 5, 9}) {
    const std::vector<int> p = Delayed(3, m, 4, kN);
    for (int i = 0; i < kN; ++i) {
      SCOPED_TRACE("m = " + std::to_string(m) + ", i = " + std::to_string(i));
      double row = 0.0, col = 0.0;
      for (int t = 0; t < kN; ++t) row += s.GetElem(i, t) * v[p[t]];
      for (int t = i; t < kN; ++t) col += L(s, t, i) * v[p[t]];
      double r = 0.0;
      ASSERT_TRUE(s.DotRowVecDelayedIIncrPart(i, v, 3, m, 4, r));
      KZ_EXPECT_REL(row, r, kTol);
      ASSERT_TRUE(s.DotLColVecDelayedIIncrPart(i, v, 3, m, 4, r));
      KZ_EXPECT_REL(col, r, kTol);
    }
    // Accepted when the vector ends just after the last position, refused one short.
    const int last = p.back();
    const std::vector<double> fits(last + 1, 1.0), shorter(last, 1.0);
    double r = -1.0;
    EXPECT_TRUE(s.DotRowVecDelayedIIncrPart(0, fits, 3, m, 4, r));
    r = -1.0;
    KZ_EXPECT_REFUSED(false, s.DotRowVecDelayedIIncrPart(0, shorter, 3, m, 4, r), r);
    KZ_EXPECT_REFUSED(false, s.DotLColVecDelayedIIncrPart(0, shorter, 3, m, 4, r), r);
  }
  double r = -1.0;
  KZ_EXPECT_REFUSED(false, s.DotRowVecDelayedIIncrPart(0, v, 0, -1, 4, r), r);
  KZ_EXPECT_REFUSED(false, s.DotRowVecDelayedIIncrPart(0, v, 0, 1, 0, r), r);
}

TEST_F(KzSymMatrixWalks, FactorColumnsAgainstRowsOfAnotherMatrix) {
  const KzSymMatrix big = RandomSym(9, 11);
  const KzSymMatrix l3 = RandomSym(3, 12);  // the factor of one block of order 3
  for (int i = 0; i < kN; ++i) {
    double e = 0.0;
    for (int t = i; t < kN; ++t) e += L(s, t, i) * big.GetElem(7, 2 + t);
    double r = 0.0;
    ASSERT_TRUE(s.DotLColRowPart(i, big, 7, 2, r));
    KZ_EXPECT_REL(e, r, kTol);
  }
  double r = -1.0;
  KZ_EXPECT_REFUSED(false, s.DotLColRowPart(0, big, 7, 4, r), r);  // 4 + 6 > 9
  KZ_EXPECT_REFUSED(false, s.DotLColRowPart(0, big, 9, 0, r), r);

  // Λ(1 + t, 1) M(4, 2 + t), t < 2.
  double e = 0.0;
  for (int t = 0; t < 2; ++t) e += l3.GetElem(1 + t, 1) * s.GetElem(4, 2 + t);
  ASSERT_TRUE(s.DotProductLColRowPart(1, l3.AsVectorConst(), 2, 4, 2, r));
  KZ_EXPECT_REL(e, r, kTol);
  KZ_EXPECT_REFUSED(false, s.DotProductLColRowPart(1, l3.AsVectorConst(), 3, 4, 2, r), r);
  KZ_EXPECT_REFUSED(false, s.DotProductLColRowPart(0, l3.AsVectorConst(), 2, 4, 5, r), r);
  // Two blocks of order 3: column i = 4 has q = 1 and runs to the block's end (column 5).
  e = 0.0;
  for (int t = 0; t < 2; ++t) e += l3.GetElem(1 + t, 1) * s.GetElem(0, 4 + t);
  ASSERT_TRUE(s.DotProductLBlockColRow(4, l3.AsVectorConst(), 2, 0, r));
  KZ_EXPECT_REL(e, r, kTol);
  KZ_EXPECT_REFUSED(false, s.DotProductLBlockColRow(4, l3.AsVectorConst(), 4, 0, r), r);
  KZ_EXPECT_REFUSED(false, s.DotProductLBlockColRow(4, {1, 2}, 2, 0, r), r);
  KZ_EXPECT_REFUSED(false, s.DotProductLBlockColRow(4, l3.AsVectorConst(), 0, 0, r), r);
}

TEST_F(KzSymMatrixWalks, BlocksOfTheLowerTriangleTimesVectors) {
  // Rows 3..5, columns 1..3 (inside the lower triangle: 1 + 3 <= 3 + 1).
  const std::vector<double> x = {1.0, -2.0, 0.5};
  std::vector<double> out = {9, 9, 9, 9};
  ASSERT_TRUE(s.SubSymRectV(3, 3, 3, 1, x, out));
  for (int t = 0; t < 3; ++t) {
    double e = 0.0;
    for (int j = 0; j < 3; ++j) e += s.GetElem(3 + t, 1 + j) * x[j];
    KZ_EXPECT_REL(e, out[t], kTol);
  }
  EXPECT_EQ(9, out[3]);
  std::vector<double> outT;
  ASSERT_TRUE(s.SubSymRectTV(3, 3, 3, 1, x, outT));
  ASSERT_EQ(3u, outT.size());
  for (int j = 0; j < 3; ++j) {
    double e = 0.0;
    for (int t = 0; t < 3; ++t) e += s.GetElem(3 + t, 1 + j) * x[t];
    KZ_EXPECT_REL(e, outT[j], kTol);
  }
  std::vector<double> xs = x;
  ASSERT_TRUE(s.SubSymSV(3, 2, xs, xs));  // output is the input
  for (int j = 0; j < 3; ++j) {
    double e = 0.0;
    for (int t = 0; t < 3; ++t) e += s.GetElem(2 + j, 2 + t) * x[t];
    KZ_EXPECT_REL(e, xs[j], kTol);
  }
  KZ_EXPECT_REFUSED(false, s.SubSymRectV(3, 4, 3, 1, {1, 1, 1, 1}, out), out);  // above diagonal
  KZ_EXPECT_REFUSED(false, s.SubSymRectV(4, 3, 3, 1, x, out), out);  // past the last row
  KZ_EXPECT_REFUSED(false, s.SubSymRectV(3, 3, 3, 1, {1, 1}, out), out);
  KZ_EXPECT_REFUSED(false, s.SubSymRectTV(3, 3, 3, 1, {1, 1}, out), out);
  KZ_EXPECT_REFUSED(false, s.SubSymSV(3, 4, x, out), out);
  KZ_EXPECT_REFUSED(false, s.SubSymSV(-1, 0, x, out), out);
}

}  // namespace

namespace {

TEST_F(KzSymMatrixWalks, BilinearFormsOverBlocksAndWalkedVectors) {
  const double kMiss = KzCommon_1_2::KzMV::gMissingValue;
  // Block rows 1..3, columns 2..5 against explicit sums (the block crosses the diagonal).
  double e = 0.0;
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 4; ++j) e += v[i] * s.GetElem(1 + i, 2 + j) * v[10 + j];
  const std::vector<double> vj(v.begin() + 10, v.begin() + 14), wi(v.begin(), v.begin() + 3);
  KZ_EXPECT_REL(e, s.ComputeVSymSubW(1, 2, 3, 4, vj, wi), kTol);
  EXPECT_EQ(kMiss, s.ComputeVSymSubW(1, 3, 3, 4, vj, wi));  // past the last column
  EXPECT_EQ(kMiss, s.ComputeVSymSubW(1, 2, 3, 4, wi, wi));  // v too short
  // Diagonal block of order 3 at (2, 2) with v from 7 and w from 20.
  e = 0.0;
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j) e += v[20 + i] * s.GetElem(2 + i, 2 + j) * v[7 + j];
  KZ_EXPECT_REL(e, s.ComputeVSSubWParts(2, 3, v, 7, v, 20), kTol);
  EXPECT_EQ(kMiss, s.ComputeVSSubWParts(4, 3, v, 7, v, 20));
  EXPECT_EQ(kMiss, s.ComputeVSSubWParts(2, 3, v, 78, v, 20));
  // One vector along the growing walk (1, 3), the other with stride 2 from 40.
  const std::vector<int> g = Growing(1, 3, kN);
  e = 0.0;
  for (int i = 0; i < kN; ++i)
    for (int j = 0; j < kN; ++j) e += v[g[i]] * s.GetElem(i, j) * v[40 + 2 * j];
  KZ_EXPECT_REL(e, s.ComputeViiSW(v, 1, 3, v, 40, 2), kTol);
  KZ_EXPECT_REL(e, s.ComputeVSWii(v, 40, 2, v, 1, 3), kTol);
  EXPECT_EQ(kMiss, s.ComputeViiSW(v, 1, 3, v, 71, 2));  // 71 + 10 = 81 > 79
  EXPECT_EQ(kMiss, s.ComputeViiSW(v, 1, 0, v, 40, 2));
  EXPECT_EQ(kMiss, s.ComputeVSWii(v, 40, -1, v, 1, 3));
  // Diagonal blocks of the three-block view (order 2 each).
  KzSymMatrix blocks = s;
  ASSERT_TRUE(blocks.SetNBlocks(3));
  const std::vector<double> a = {1.0, -2.0}, b = {0.5, 3.0};
  e = 0.0;
  for (int i = 0; i < 2; ++i)
    for (int j = 0; j < 2; ++j) e += a[i] * s.GetElem(4 + i, 4 + j) * b[j];
  KZ_EXPECT_REL(e, blocks.ComputeBlockVSW(2, a, b), kTol);
  e = 0.0;
  for (int i = 0; i < 2; ++i)
    for (int j = 0; j < 2; ++j) e += a[i] * s.GetElem(2 + i, 2 + j) * a[j];
  KZ_EXPECT_REL(e, blocks.ComputeBlockVSV(1, a), kTol);
  EXPECT_EQ(kMiss, blocks.ComputeBlockVSV(3, a));
  EXPECT_EQ(kMiss, blocks.ComputeBlockVSV(0, {1.0}));
}

}  // namespace
