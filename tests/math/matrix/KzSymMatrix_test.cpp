// KzSymMatrix: cross-product updates against the reference DSPR, products
// against DSPMV, DSYMM and DGEMM on random matrices, shape and extraction,
// diagonal edits, traces, the sparse-vector outer products, aliasing of outputs
// with inputs, and every refusal leaving its targets unchanged.
#include "kzcommon12r/math/matrix/KzSymMatrix.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <string>
#include <vector>

#include "BlasOracle.h"
#include "kzcommon12r/common/KzMV.h"
#include "kzcommon12r/math/matrix/KzBitSet.h"
#include "kzcommon12r/math/matrix/KzRectMatrix.h"
#include "kzcommon12r/math/matrix/KzSparseVector.h"
#include "support/KzDisplayCapture.h"
#include "support/KzMatrixBuilders.h"
#include "support/KzRefusal.h"
#include "support/KzTestCompare.h"

namespace {

using KzMath_1_2::KzBitSet;
using KzMath_1_2::KzRectMatrix;
using KzMath_1_2::KzSparseVector;
using KzMath_1_2::KzSymMatrix;
const double kMiss = KzCommon_1_2::KzMV::gMissingValue;
constexpr double kTol = 1e-13;  // relative, for products formed in another order

KzSymMatrix RandomSym(int n, unsigned seed) {
  KzSymMatrix s(n);
  kztest::Fill(s, kztest::RandomVector(n * (n + 1) / 2, seed));
  return s;
}

KzSymMatrix FromPacked(const std::vector<double>& packed) {
  int n = 0;
  while (n * (n + 1) / 2 < static_cast<int>(packed.size())) ++n;
  KzSymMatrix s(n);
  EXPECT_TRUE(kztest::Fill(s, packed));
  return s;
}

KzRectMatrix RandomRect(int rows, int cols, unsigned seed) {
  KzRectMatrix m(rows, cols);
  kztest::Fill(m, kztest::RandomVector(rows * cols, seed));
  return m;
}

std::vector<double> Full(const KzSymMatrix& s) {
  return kztest::UnpackSym(s.AsVectorConst(), s.GetNRows());
}

std::vector<double> Mul(const std::vector<double>& a, const std::vector<double>& b, int m, int k,
                        int p) {
  std::vector<double> c(static_cast<size_t>(m) * p);
  kztest::RefGemm(a.data(), b.data(), c.data(), m, k, p);
  return c;
}

std::vector<double> Transposed(const std::vector<double>& a, int rows, int cols) {
  std::vector<double> t(a.size());
  for (int r = 0; r < rows; ++r)
    for (int c = 0; c < cols; ++c) t[static_cast<size_t>(c) * rows + r] = a[static_cast<size_t>(r) * cols + c];
  return t;
}

// ---------------------------------------------------------------------------
// Cross-product accumulation

TEST(KzSymMatrixUpdate, UpdateXXEqualsReferenceDsprBitForBit) {
  for (int n : {1, 2, 7, 20, 61}) {
    SCOPED_TRACE("n = " + std::to_string(n));
    KzSymMatrix s = RandomSym(n, 3u + n);
    std::vector<double> ap = s.AsVectorConst();
    for (int c = 0; c < 5; ++c) {
      std::vector<double> x = kztest::RandomVector(n, 100u + c);
      if (n > 2) x[1] = 0.0;  // skipped rows
      const double w = 0.25 + c;
      ASSERT_TRUE(s.UpdateXX(x, w));
      const int inc = 1;
      dspr_("U", &n, &w, x.data(), &inc, ap.data(), 1);
    }
    EXPECT_EQ(ap, s.AsVectorConst());
  }
}

TEST(KzSymMatrixUpdate, WeightedVariantsAndRefusals) {
  KzSymMatrix s(2);
  EXPECT_TRUE(s.UpdateXXPosNegW({1, 2}, -1.0));
  EXPECT_EQ((std::vector<double>{-1, -2, -4}), s.AsVectorConst());
  KzBitSet kept(2);
  kept.Set(1, true);
  EXPECT_TRUE(s.UpdateXXNonRedun({1, 2}, kept, 1.0));
  EXPECT_EQ((std::vector<double>{-1, -2, 0}), s.AsVectorConst());
  KZ_EXPECT_REFUSED(false, s.UpdateXX({1, 2}, 0.0), s);
  KZ_EXPECT_REFUSED(false, s.UpdateXX({1, 2}, NAN), s);
  KZ_EXPECT_REFUSED(false, s.UpdateXX({1, 2, 3}, 1.0), s);
  KZ_EXPECT_REFUSED(false, s.UpdateXXPosNegW({1, 2}, INFINITY), s);
  KZ_EXPECT_REFUSED(false, s.UpdateXXNonRedun({1, 2}, KzBitSet(1), 1.0), s);

  // [A B]ᵀ[A B] accumulated row by row equals Rᵀ R.
  const KzRectMatrix a = RandomRect(5, 2, 1);
  const KzRectMatrix b = RandomRect(5, 1, 2);
  KzSymMatrix m(3);
  EXPECT_TRUE(m.UpdateXXMat2(a, b, 2.0));
  KzRectMatrix ab(5, 3);
  for (int r = 0; r < 5; ++r) {
    ab.SetElem(r, 0, a.GetElem(r, 0));
    ab.SetElem(r, 1, a.GetElem(r, 1));
    ab.SetElem(r, 2, b.GetElem(r, 0));
  }
  KzSymMatrix rtr;
  EXPECT_TRUE(rtr.ComputeRTransByR(ab));
  rtr.MultiplyByNumber(2.0);
  KZ_EXPECT_VEC_REL(rtr.AsVectorConst(), m.AsVectorConst(), kTol);
  KZ_EXPECT_REFUSED(false, m.UpdateXXMat2(a, RandomRect(4, 1, 2), 1.0), m);
  KZ_EXPECT_REFUSED(false, m.UpdateXXMat2(a, RandomRect(5, 2, 2), 1.0), m);
}

TEST(KzSymMatrixUpdate, SparseUpdateEqualsDenseUpdateAndSkipsOutsideIndices) {
  const int n = 9;
  const std::vector<int> idx = {0, 3, 4, 8};
  const std::vector<double> val = {1.5, -2.0, 0.5, 3.0};
  KzSymMatrix sparse = RandomSym(n, 7);
  KzSymMatrix dense = sparse;
  ASSERT_TRUE(sparse.UpdateXXSparse(4, idx, val, 0.75));
  std::vector<double> x(n, 0.0);
  for (size_t k = 0; k < idx.size(); ++k) x[idx[k]] = val[k];
  ASSERT_TRUE(dense.UpdateXX(x, 0.75));
  EXPECT_EQ(dense.AsVectorConst(), sparse.AsVectorConst());

  // The missing-category code -1 and an index past the order are skipped:
  // {-1, 2} must not write M(1, 1) (position 2 of the storage).
  KzSymMatrix s(3);
  ASSERT_TRUE(s.UpdateXXSparse(2, {-1, 2}, {5.0, 2.0}, 1.0));
  EXPECT_EQ((std::vector<double>{0, 0, 0, 0, 0, 4}), s.AsVectorConst());
  ASSERT_TRUE(s.UpdateXXSparse(2, {1, 3}, {1.0, 7.0}, 1.0));
  EXPECT_EQ((std::vector<double>{0, 0, 1, 0, 0, 4}), s.AsVectorConst());
  // Only the first k pairs are used.
  ASSERT_TRUE(s.UpdateXXSparse(1, {0, 1}, {2.0, 9.0}, 1.0));
  EXPECT_EQ(4.0, s.GetElem(0, 0));
  EXPECT_EQ(0.0, s.GetElem(1, 0));

  // The corner form shifts every index; shifted indices past the order are skipped.
  KzSymMatrix c(4);
  ASSERT_TRUE(c.UpdateXXCornerSparse(3, {0, 1, 2}, {1.0, 2.0, 3.0}, 1.0, 2));
  EXPECT_EQ((std::vector<double>{0, 0, 0, 0, 0, 1, 0, 0, 2, 4}), c.AsVectorConst());

  KZ_EXPECT_REFUSED(false, c.UpdateXXSparse(3, {0, 1}, {1, 2, 3}, 1.0), c);
  KZ_EXPECT_REFUSED(false, c.UpdateXXSparse(2, {0, 1}, {1}, 1.0), c);
  KZ_EXPECT_REFUSED(false, c.UpdateXXSparse(-1, {0}, {1}, 1.0), c);
  KZ_EXPECT_REFUSED(false, c.UpdateXXSparse(1, {0}, {1}, -1.0), c);
  KZ_EXPECT_REFUSED(false, c.UpdateXXCornerSparse(1, {0}, {1}, 1.0, 4), c);
  KZ_EXPECT_REFUSED(false, c.UpdateXXCornerSparse(1, {0}, {1}, 1.0, -1), c);
}

TEST(KzSymMatrixUpdate, SparseVectorOuterProducts) {
  std::vector<int> idx = {1, 3};
  std::vector<double> val = {2.0, 3.0};
  const KzSparseVector v(idx, val);
  KzSymMatrix m(2);
  m.SetElem(0, 0, 5.0);
  v.QuadraticOuterProduct(m);  // grows to 4 rows, all zero first
  EXPECT_EQ((std::vector<double>{0, 0, 4, 0, 0, 0, 0, 6, 0, 9}), m.AsVectorConst());

  // The increment keeps what has been accumulated when it has to enlarge.
  KzSymMatrix acc(2);
  acc.SetElem(0, 0, 5.0);
  acc.SetElem(1, 0, 1.0);
  v.QuadraticOuterProductIncr(acc, 0.5);
  EXPECT_EQ((std::vector<double>{5, 1, 2, 0, 0, 0, 0, 3, 0, 4.5}), acc.AsVectorConst());

  KzSymMatrix part(6);
  EXPECT_TRUE(v.QuadraticOuterProductPartIncr(part, 2, 1.0));
  EXPECT_EQ(4.0, part.GetElem(3, 3));
  EXPECT_EQ(9.0, part.GetElem(5, 5));
  EXPECT_EQ(6.0, part.GetElem(5, 3));
  EXPECT_TRUE(v.IncrementRowPart(part, 0, 1, 1.0));
  EXPECT_EQ(2.0, part.GetElem(0, 2));
  EXPECT_EQ(3.0, part.GetElem(4, 0));

  // Offset 2 on 5 rows with last index 3 does not fit (2 + 4 > 5).
  KzSymMatrix five(5);
  KZ_EXPECT_REFUSED(false, v.QuadraticOuterProductPartIncr(five, 2, 1.0), five);
  KZ_EXPECT_REFUSED(false, v.QuadraticOuterProductPartIncr(five, -1, 1.0), five);
  KZ_EXPECT_REFUSED(false, v.IncrementRowPart(five, 5, 0, 1.0), five);
  KZ_EXPECT_REFUSED(false, v.IncrementRowPart(five, 0, 2, 1.0), five);
  // An invalid view changes nothing.
  std::vector<int> bad = {2, 1};
  const KzSparseVector invalid(bad, val);
  KZ_EXPECT_UNCHANGED(invalid.QuadraticOuterProduct(five), five);
  KZ_EXPECT_UNCHANGED(invalid.QuadraticOuterProductIncr(five, 1.0), five);
  KZ_EXPECT_REFUSED(false, invalid.QuadraticOuterProductPartIncr(five, 0, 1.0), five);
  KZ_EXPECT_REFUSED(false, invalid.IncrementRowPart(five, 0, 0, 1.0), five);
}

TEST(KzSymMatrixUpdate, RRTransAndAXpY) {
  const KzRectMatrix r = RandomRect(4, 3, 9);
  KzSymMatrix rrt, rtr;
  ASSERT_TRUE(rrt.ComputeRByRTrans(r));
  ASSERT_TRUE(rtr.ComputeRTransByR(r));
  const std::vector<double> ra = r.AsVectorConst();
  const std::vector<double> rt = Transposed(ra, 4, 3);
  KZ_EXPECT_VEC_REL(Mul(ra, rt, 4, 3, 4), Full(rrt), kTol);
  KZ_EXPECT_VEC_REL(Mul(rt, ra, 3, 4, 3), Full(rtr), kTol);

  KzSymMatrix s = FromPacked({1, 2, 3});
  EXPECT_TRUE(s.ComputeAXpY(2.0, FromPacked({1, 1, 1})));
  EXPECT_EQ((std::vector<double>{3, 4, 5}), s.AsVectorConst());
  EXPECT_TRUE(s.ComputeAXpY(1.0, s));
  EXPECT_EQ((std::vector<double>{6, 8, 10}), s.AsVectorConst());
  KZ_EXPECT_REFUSED(false, s.ComputeAXpY(1.0, KzSymMatrix(3)), s);
}

// ---------------------------------------------------------------------------
// Products with vectors

TEST(KzSymMatrixProducts, SymvEqualsReferenceDspmvBitForBit) {
  for (int n : {1, 3, 4, 5, 8, 16, 45}) {  // remainders and whole blocks of four rows
    const KzSymMatrix s = RandomSym(n, 20u + n);
    const std::vector<double> v = kztest::RandomVector(n, 21);
    std::vector<double> y;
    ASSERT_TRUE(s.ComputeSV(v, y));
    std::vector<double> ref(n);
    const double one = 1.0, zero = 0.0;
    const int inc = 1;
    dspmv_("U", &n, &one, s.AsVectorConst().data(), v.data(), &inc, &zero, ref.data(), &inc, 1);
    EXPECT_EQ(ref, y);
    std::vector<double> vv = v;
    ASSERT_TRUE(s.ComputeSV(vv, vv));  // output is the input
    EXPECT_EQ(ref, vv);
  }
}

TEST(KzSymMatrixProducts, FormsAndPartialProducts) {
  const int n = 6;
  const KzSymMatrix s = RandomSym(n, 31);
  const std::vector<double> f = Full(s);
  const std::vector<double> v = kztest::RandomVector(n, 32);
  const std::vector<double> w = kztest::RandomVector(n, 33);
  const std::vector<double> sw = Mul(f, w, n, n, 1);
  const std::vector<double> sv = Mul(f, v, n, n, 1);
  double vsw = 0.0, vsv = 0.0;
  for (int i = 0; i < n; ++i) {
    vsw += v[i] * sw[i];
    vsv += v[i] * sv[i];
  }
  KZ_EXPECT_REL(vsw, s.ComputeVSW(v, w), kTol);
  KZ_EXPECT_REL(vsv, s.ComputeVSV(v), kTol);
  // Strided raw arrays: v and w interleaved.
  std::vector<double> vw(2 * n);
  for (int i = 0; i < n; ++i) {
    vw[2 * i] = v[i];
    vw[2 * i + 1] = w[i];
  }
  KZ_EXPECT_REL(vsw, s.ComputeVSW(vw.data(), 2, vw.data() + 1, 2), kTol);
  // Parts: the leading 2 elements of v against the leading 4 of w.
  double parts = 0.0;
  for (int i = 0; i < 4; ++i)
    for (int j = 0; j < 2; ++j) parts += w[i] * f[i * n + j] * v[j];
  KZ_EXPECT_REL(parts, s.ComputeVSWParts(v, 2, w, 4), kTol);
  KZ_EXPECT_REL(vsw, s.ComputeVSWParts(v.data(), 99, w.data(), 99), kTol);  // counts clipped to n
  EXPECT_EQ(kMiss, s.ComputeVSWParts(v, 99, w, 1));
  // Leading block product.
  std::vector<double> out = {9, 9, 9, 9, 9};
  ASSERT_TRUE(s.ComputeSV(3, v, out));
  for (int i = 0; i < 3; ++i) {
    double e = 0.0;
    for (int j = 0; j < 3; ++j) e += f[i * n + j] * v[j];
    KZ_EXPECT_REL(e, out[i], kTol);
  }
  EXPECT_EQ(9, out[3]);  // beyond k: untouched
  // Row products.
  KZ_EXPECT_REL(sv[4], s.ComputeRVD(4, v, 1), kTol);
  std::vector<double> strided(3 * (n - 1) + 1, 0.0);
  for (int i = 0; i < n; ++i) strided[3 * i] = v[i];
  KZ_EXPECT_REL(sv[2], s.ComputeRVD(2, strided, 3), kTol);
  KZ_EXPECT_REL(sv[2], s.ComputeRVD(2, strided.data(), 3), kTol);
  KZ_EXPECT_REL(f[1 * n + 0] * 2.0 + f[1 * n + 5] * -1.0, s.ComputeRVD(1, {0, -1, 5, 9}, {2.0, 7.0, -1.0, 3.0}, 4), kTol);
  // Row i . column k of a second matrix; row i . row j.
  const KzSymMatrix t = RandomSym(n, 34);
  const std::vector<double> st = Mul(f, Full(t), n, n, n);
  KZ_EXPECT_REL(st[2 * n + 5], s.ComputeRowDotProductS(2, t, 5), kTol);
  KZ_EXPECT_REL(st[5 * n + 1], s.ComputeRowDotProductS(5, t.AsVectorConst(), 1), kTol);
  const std::vector<double> ss = Mul(f, f, n, n, n);
  KZ_EXPECT_REL(ss[3 * n + 0], s.ComputeDotProduct2Rows(3, 0), kTol);
  // (S T S)(i, j) over the leading 4 indices.
  const KzSymMatrix t4 = RandomSym(4, 35);
  double sts = 0.0;
  const std::vector<double> ft4 = Full(t4);
  for (int a = 0; a < 4; ++a)
    for (int b = 0; b < 4; ++b) sts += f[1 * n + a] * ft4[a * 4 + b] * f[b * n + 3];
  KZ_EXPECT_REL(sts, s.ComputeVSW(t4.AsVectorConst(), 1, 3, 4), kTol);
  // Increment by a row.
  std::vector<double> acc(8, 1.0);
  ASSERT_TRUE(s.IncrVecByRow(2, acc, 1, n, 2.0, true));
  KZ_EXPECT_REL(1.0 + 2.0 * f[2 * n + 5], acc[6], kTol);
  EXPECT_EQ(1.0, acc[0]);
  EXPECT_EQ(1.0, acc[7]);
}

TEST(KzSymMatrixProducts, VectorRefusals) {
  const KzSymMatrix s = RandomSym(3, 1);
  std::vector<double> out = {4};
  KZ_EXPECT_REFUSED(false, s.ComputeSV({1, 2}, out), out);
  KZ_EXPECT_REFUSED(false, s.ComputeSV(4, {1, 2, 3, 4}, out), out);
  KZ_EXPECT_REFUSED(false, s.ComputeSV(2, {1}, out), out);
  KZ_EXPECT_REFUSED(false, s.ComputeSV(-1, {1}, out), out);
  EXPECT_EQ(kMiss, s.ComputeVSV({1, 2}));
  EXPECT_EQ(kMiss, s.ComputeVSW({1, 2, 3}, {1, 2}));
  EXPECT_EQ(kMiss, s.ComputeVSW(nullptr, 1, out.data(), 1));
  EXPECT_EQ(kMiss, s.ComputeVSWParts({1}, 2, {1}, 1));
  EXPECT_EQ(kMiss, s.ComputeVSW({1, 2, 3}, 0, 3, 3));  // |t| < 6
  EXPECT_EQ(kMiss, s.ComputeVSW({1, 2, 3, 4, 5, 6}, 0, 3, 3));
  EXPECT_EQ(kMiss, s.ComputeVSW(std::vector<double>(10), 0, 0, 4));
  // The strided walk must stay inside v; a negative stride is refused.
  EXPECT_EQ(kMiss, s.ComputeRVD(0, {1, 2, 3, 4}, 2));  // needs positions 0, 2, 4
  EXPECT_EQ(kMiss, s.ComputeRVD(0, {1, 2, 3, 4, 5}, -1));
  EXPECT_EQ(kMiss, s.ComputeRVD(3, {1, 2, 3}, 1));
  EXPECT_EQ(kMiss, s.ComputeRVD(0, out.data(), -2));
  EXPECT_EQ(kMiss, s.ComputeRowDotProductS(0, {1, 2, 3}, 0));
  EXPECT_EQ(kMiss, s.ComputeDotProduct2Rows(0, 3));
  std::vector<double> acc(3, 0.0);
  KZ_EXPECT_REFUSED(false, s.IncrVecByRow(0, acc, 0, 4, 1.0, true), acc);
  KZ_EXPECT_REFUSED(false, s.IncrVecByRow(0, acc, 1, 3, 1.0, false), acc);  // O(1) bound
  KZ_EXPECT_REFUSED(false, s.IncrVecByRow(3, acc, 0, 1, 1.0, false), acc);
}

TEST(KzSymMatrixProducts, SquareRootOfANegativeFormIsMissing) {
  const KzSymMatrix s = FromPacked({1, 0, -4});
  EXPECT_EQ(1.0, s.SquareRootVSV({1, 0}));
  EXPECT_EQ(kMiss, s.SquareRootVSV({0, 1}));
  EXPECT_EQ(kMiss, s.SquareRootVSV({1}));
}

TEST(KzSymMatrixProducts, FactorTimesVector) {
  // L = [[2, 0], [3, 4]] held in the packed lower triangle.
  const KzSymMatrix l = FromPacked({2, 3, 4});
  std::vector<double> out;
  ASSERT_TRUE(l.ComputeLV({1, 10}, out));
  EXPECT_EQ((std::vector<double>{2, 43}), out);
  ASSERT_TRUE(l.ComputeLTransV({1, 10}, out));
  EXPECT_EQ((std::vector<double>{32, 40}), out);
  ASSERT_TRUE(l.ComputeLV({1}, {10}, out));  // sparse: v = (0, 10)
  EXPECT_EQ((std::vector<double>{0, 40}), out);
  ASSERT_TRUE(l.ComputeLTransV({1}, {10}, out));
  EXPECT_EQ((std::vector<double>{30, 40}), out);
  std::vector<double> v = {1, 10};
  ASSERT_TRUE(l.ComputeLV(v, v));
  EXPECT_EQ((std::vector<double>{2, 43}), v);
  KZ_EXPECT_REFUSED(false, l.ComputeLV({2}, {1}, out), out);
  KZ_EXPECT_REFUSED(false, l.ComputeLTransV({-1}, {1}, out), out);
  KZ_EXPECT_REFUSED(false, l.ComputeLV({0, 1}, {1}, out), out);
  KZ_EXPECT_REFUSED(false, l.ComputeLTransV({1}, out), out);
}

// ---------------------------------------------------------------------------
// Products with matrices, against DSYMM and DGEMM

TEST(KzSymMatrixProducts, RectangularProductsMatchBlas) {
  const int n = 7, m = 4;
  const KzSymMatrix s = RandomSym(n, 50);
  const std::vector<double> f = Full(s);
  const KzRectMatrix r = RandomRect(m, n, 51);  // m x n
  const std::vector<double> ra = r.AsVectorConst();
  // R S through DSYMM (side R on the column-major view: (R S)ᵀ = S Rᵀ).
  std::vector<double> rsRef(m * n);
  {
    const double one = 1.0, zero = 0.0;
    dsymm_("L", "U", &n, &m, &one, f.data(), &n, ra.data(), &n, &zero, rsRef.data(), &n, 1, 1);
  }
  KzRectMatrix rs;
  ASSERT_TRUE(s.ComputeRS(r, rs));
  KZ_EXPECT_VEC_REL(rsRef, rs.AsVectorConst(), kTol);
  KzSymMatrix rsr;
  ASSERT_TRUE(s.ComputeRSRTrans(r, rsr));
  KZ_EXPECT_VEC_REL(Mul(rsRef, Transposed(ra, m, n), m, n, m), Full(rsr), kTol);

  const KzRectMatrix q = RandomRect(n, 3, 52);  // n x 3
  const std::vector<double> qa = q.AsVectorConst();
  const std::vector<double> qts = Mul(Transposed(qa, n, 3), f, 3, n, n);
  KzRectMatrix rts;
  ASSERT_TRUE(s.ComputeRTransS(q, rts));
  KZ_EXPECT_VEC_REL(qts, rts.AsVectorConst(), kTol);
  KzSymMatrix rtsr;
  ASSERT_TRUE(s.ComputeRTransSR(q, rtsr));
  KZ_EXPECT_VEC_REL(Mul(qts, qa, 3, n, 3), Full(rtsr), kTol);
  const std::vector<double> v = kztest::RandomVector(n, 53);
  std::vector<double> rtsv;
  ASSERT_TRUE(s.ComputeRTransSV(q, v, rtsv));
  KZ_EXPECT_VEC_REL(Mul(qts, v, 3, n, 1), rtsv, kTol);
  EXPECT_EQ(kMiss, s.ComputeVSV(r, m));
  KZ_EXPECT_REL(Mul(Mul(std::vector<double>(ra.begin() + n, ra.begin() + 2 * n), f, 1, n, n),
                    std::vector<double>(ra.begin() + n, ra.begin() + 2 * n), 1, n, 1)[0],
                s.ComputeVSV(r, 1), kTol);

  KzRectMatrix keep(1, 1);
  KZ_EXPECT_REFUSED(false, s.ComputeRS(q, keep), keep);
  KZ_EXPECT_REFUSED(false, s.ComputeRTransS(r, keep), keep);
  KzSymMatrix keepS(1);
  KZ_EXPECT_REFUSED(false, s.ComputeRTransSR(r, keepS), keepS);
  KZ_EXPECT_REFUSED(false, s.ComputeRSRTrans(q, keepS), keepS);
}

TEST(KzSymMatrixProducts, SymmetricProductsMatchDgemm) {
  const int n = 6;
  const KzSymMatrix a = RandomSym(n, 60);
  const KzSymMatrix b = RandomSym(n, 61);
  const std::vector<double> fa = Full(a), fb = Full(b);
  KzRectMatrix ab;
  ASSERT_TRUE(a.ComputeSS(b, ab));
  KZ_EXPECT_VEC_REL(Mul(fa, fb, n, n, n), ab.AsVectorConst(), kTol);
  KzSymMatrix aa;
  a.ComputeSTransS(aa);
  KZ_EXPECT_VEC_REL(Mul(fa, fa, n, n, n), Full(aa), kTol);
  const std::vector<double> aba = Mul(fa, Mul(fb, fa, n, n, n), n, n, n);
  KzSymMatrix out;
  ASSERT_TRUE(a.ComputeGSG(b, out));
  KZ_EXPECT_VEC_REL(aba, Full(out), 1e-12);
  ASSERT_TRUE(a.ComputeGMG(b.AsVectorConst(), out));
  KZ_EXPECT_VEC_REL(aba, Full(out), 1e-12);
  // Into this matrix.
  KzSymMatrix self = a;
  ASSERT_TRUE(self.ComputeGSG(b, self));
  KZ_EXPECT_VEC_REL(aba, Full(self), 1e-12);
  // A longer m: the product from its leading part, reported false.
  std::vector<double> longer = b.AsVectorConst();
  longer.push_back(5.0);
  EXPECT_FALSE(a.ComputeGMG(longer, out));
  KZ_EXPECT_VEC_REL(aba, Full(out), 1e-12);
  KZ_EXPECT_REFUSED(false, a.ComputeGMG({1, 2}, out), out);
  EXPECT_TRUE(KzSymMatrix().ComputeGMG({1.0}, out));  // order 0: empty out, true
  EXPECT_EQ(0, out.GetNRows());
  KZ_EXPECT_REFUSED(false, a.ComputeGSG(KzSymMatrix(2), out), out);
  // A (M A N + N A M) A.
  const KzSymMatrix c = RandomSym(n, 62);
  const std::vector<double> fc = Full(c);
  std::vector<double> mid = Mul(fb, Mul(fa, fc, n, n, n), n, n, n);
  const std::vector<double> midT = Transposed(mid, n, n);
  for (size_t k = 0; k < mid.size(); ++k) mid[k] += midT[k];
  std::vector<double> work;
  ASSERT_TRUE(a.ComputeGMGNG(b, c, out, work));
  KZ_EXPECT_VEC_REL(kztest::PackLower(mid, n), work, 1e-12);
  KZ_EXPECT_VEC_REL(Mul(fa, Mul(mid, fa, n, n, n), n, n, n), Full(out), 1e-12);
  KZ_EXPECT_REFUSED(false, a.ComputeGMGNG(b, KzSymMatrix(2), out, work), out, work);
}

TEST(KzSymMatrixProducts, FactorSandwiches) {
  const int n = 5;
  const KzSymMatrix a = RandomSym(n, 70);
  const std::vector<double> fa = Full(a);
  // L of order 3 in the lower triangle: out = L A Lᵀ over A's leading block.
  const KzSymMatrix lm = RandomSym(3, 71);
  std::vector<double> l(9, 0.0), a3(9);
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j) {
      if (j <= i) l[i * 3 + j] = lm.GetElem(i, j);
      a3[i * 3 + j] = fa[i * n + j];
    }
  KzSymMatrix out;
  ASSERT_TRUE(a.ComputeLSLTrans(lm, out));
  KZ_EXPECT_VEC_REL(Mul(l, Mul(a3, Transposed(l, 3, 3), 3, 3, 3), 3, 3, 3), Full(out), kTol);
  KzSymMatrix self = a;
  ASSERT_TRUE(self.ComputeLSLTrans(lm, self));
  EXPECT_EQ(out.AsVectorConst(), self.AsVectorConst());
  KZ_EXPECT_REFUSED(false, lm.ComputeLSLTrans(a, out), out);

  // Bᵀ A B with B = diag(Λ, Λ), Λ of order 2, on an order-4 matrix.
  const KzSymMatrix a4 = RandomSym(4, 72);
  const KzSymMatrix lam = FromPacked({2, 3, 4});
  std::vector<double> bmat(16, 0.0);
  for (int blk = 0; blk < 2; ++blk) {
    bmat[(2 * blk) * 4 + 2 * blk] = 2;
    bmat[(2 * blk + 1) * 4 + 2 * blk] = 3;
    bmat[(2 * blk + 1) * 4 + 2 * blk + 1] = 4;
  }
  ASSERT_TRUE(a4.ComputeLTransSL(lam, out, 2));
  KZ_EXPECT_VEC_REL(Mul(Transposed(bmat, 4, 4), Mul(Full(a4), bmat, 4, 4, 4), 4, 4, 4), Full(out),
                    kTol);
  KZ_EXPECT_REFUSED(false, a4.ComputeLTransSL(lam, out, 3), out);
  KZ_EXPECT_REFUSED(false, a4.ComputeLTransSL(lam, out, 0), out);
}

TEST(KzSymMatrixProducts, BorderedProductsWithBlocks) {
  const int n = 4, p = 2;
  const KzSymMatrix s = RandomSym(n, 80);
  const std::vector<double> fs = Full(s);
  const KzRectMatrix a = RandomRect(n, p, 81), b = RandomRect(n, p, 82);
  const std::vector<double> at = Transposed(a.AsVectorConst(), n, p);
  const std::vector<double> q = Mul(at, Mul(fs, b.AsVectorConst(), n, n, p), p, n, p);
  std::vector<double> expect(4);
  for (int k = 0; k < 2; ++k)
    for (int l = 0; l < 2; ++l) expect[k * 2 + l] = q[k * 2 + l] + q[l * 2 + k];
  KzSymMatrix out;
  ASSERT_TRUE(s.ComputeRSRTrans2(a, b, out));
  KZ_EXPECT_VEC_REL(expect, Full(out), kTol);
  KzSymMatrix self = s;  // into the matrix itself (order 4 becomes 2)
  ASSERT_TRUE(self.ComputeRSRTrans2(a, b, self));
  EXPECT_EQ(out.AsVectorConst(), self.AsVectorConst());
  // V taken from a larger symmetric matrix: rows 3..6, columns 1..2 of big.
  const KzSymMatrix big = RandomSym(8, 83);
  KzRectMatrix v(n, p);
  for (int t = 0; t < n; ++t)
    for (int c = 0; c < p; ++c) v.SetElem(t, c, big.GetElem(3 + t, 1 + c));
  KzSymMatrix viaBlock, viaRect;
  ASSERT_TRUE(s.ComputeRSRTrans2(big, 3, 1, a, viaBlock));
  ASSERT_TRUE(s.ComputeRSRTrans2(v, a, viaRect));
  EXPECT_EQ(viaRect.AsVectorConst(), viaBlock.AsVectorConst());
  KZ_EXPECT_REFUSED(false, s.ComputeRSRTrans2(big, 3, 3, a, out), out);  // leaves the triangle
  KZ_EXPECT_REFUSED(false, s.ComputeRSRTrans2(big, 5, 1, a, out), out);  // past big's order
  KZ_EXPECT_REFUSED(false, s.ComputeRSRTrans2(a, RandomRect(n, 3, 1), out), out);

  // Rᵀ S R with R a block of a packed triangle: rows 2..4, columns 0..1.
  const KzSymMatrix tri = RandomSym(5, 84);
  const KzSymMatrix s3 = RandomSym(3, 85);
  KzRectMatrix r(3, 2);
  for (int m = 0; m < 3; ++m)
    for (int c = 0; c < 2; ++c) r.SetElem(m, c, tri.GetElem(2 + m, c));
  KzSymMatrix res;
  ASSERT_TRUE(res.ComputeRTransSymR(tri.AsVectorConst(), 3, 2, 2, 0, s3));
  KzSymMatrix ref;
  ASSERT_TRUE(s3.ComputeRTransSR(r, ref));
  KZ_EXPECT_VEC_REL(ref.AsVectorConst(), res.AsVectorConst(), kTol);
  // The block may end at the triangle's last row.
  EXPECT_TRUE(res.ComputeRTransSymR(tri.AsVectorConst(), 3, 2, 2, 0, s3));
  KZ_EXPECT_REFUSED(false, res.ComputeRTransSymR(tri.AsVectorConst(), 3, 2, 3, 0, s3), res);
  KZ_EXPECT_REFUSED(false, res.ComputeRTransSymR(tri.AsVectorConst(), 3, 2, 1, 1, s3), res);
  KZ_EXPECT_REFUSED(false, res.ComputeRTransSymR(tri.AsVectorConst(), 2, 2, 2, 0, s3), res);
}

// ---------------------------------------------------------------------------
// Shape and extraction

TEST(KzSymMatrixShape, ResizeKeepsTheLeadingBlockAndBlocks) {
  KzSymMatrix s = FromPacked({1, 2, 3});
  EXPECT_TRUE(s.Resize(3));
  EXPECT_EQ((std::vector<double>{1, 2, 3, 0, 0, 0}), s.AsVectorConst());
  EXPECT_TRUE(s.SetNBlocks(3));
  EXPECT_EQ(1, s.GetBlockSize());
  KzSymMatrix six(6);
  KZ_EXPECT_REFUSED(false, six.SetNBlocks(4), six);
  EXPECT_TRUE(six.SetNBlocks(3));
  EXPECT_EQ(2, six.GetBlockSize());
  EXPECT_TRUE(s.SetNRows(2));
  EXPECT_EQ((std::vector<double>{0, 0, 0}), s.AsVectorConst());
  EXPECT_TRUE(s.SetToVV({1, 2}));
  EXPECT_EQ((std::vector<double>{1, 2, 4}), s.AsVectorConst());
  KzSymMatrix d = FromPacked({1, 2, 3, 4, 5, 6});
  EXPECT_TRUE(d.DeleteOneRow(1));
  EXPECT_EQ((std::vector<double>{1, 4, 6}), d.AsVectorConst());
  KZ_EXPECT_REFUSED(false, d.DeleteOneRow(2), d);
  KzSymMatrix copy;
  copy.SetData(d);
  EXPECT_EQ(d.AsVectorConst(), copy.AsVectorConst());
}

TEST(KzSymMatrixShape, ExpandAndBorder) {
  const KzSymMatrix s = FromPacked({1, 2, 3});
  KzBitSet mask(4);
  mask.Set(0, true);
  mask.Set(2, true);
  mask.Set(3, true);  // a third flag: placement stops at the order
  KzSymMatrix out;
  s.Expand(mask, out);
  EXPECT_EQ((std::vector<double>{1, 0, 0, 2, 0, 3, 0, 0, 0, 0}), out.AsVectorConst());
  KzSymMatrix self = s;
  self.Expand(mask, self);
  EXPECT_EQ(out.AsVectorConst(), self.AsVectorConst());
  KzRectMatrix b(1, 2);
  b.SetElem(0, 0, 7);
  b.SetElem(0, 1, 8);
  ASSERT_TRUE(s.ExpandSym(b, out));
  EXPECT_EQ((std::vector<double>{1, 2, 3, 7, 8, 0}), out.AsVectorConst());
  KzRectMatrix rect;
  ASSERT_TRUE(s.ExpandSymToRect(b, rect));
  EXPECT_EQ((std::vector<double>{1, 2, 7, 2, 3, 8, 7, 8, 0}), rect.AsVectorConst());
  KZ_EXPECT_REFUSED(false, s.ExpandSym(KzRectMatrix(1, 3), out), out);
  KZ_EXPECT_REFUSED(false, KzSymMatrix().ExpandSymToRect(KzRectMatrix(1, 0), rect), rect);
}

TEST(KzSymMatrixExtract, SubmatrixChecksEveryIndexAndMayBeThis) {
  KzSymMatrix s = FromPacked({1, 2, 3, 4, 5, 6});
  KzSymMatrix out;
  ASSERT_TRUE(s.ExtractSubmatrix({0, 2}, out));
  EXPECT_EQ((std::vector<double>{1, 4, 6}), out.AsVectorConst());
  KZ_EXPECT_REFUSED(false, s.ExtractSubmatrix({0, 3}, out), out);
  KZ_EXPECT_REFUSED(false, s.ExtractSubmatrix({-1, 2}, out), out);
  KZ_EXPECT_REFUSED(false, s.ExtractSubmatrix({0, 5, 2}, out), out);  // a middle index too
  KZ_EXPECT_REFUSED(false, s.ExtractSubmatrix({2, 1}, out), out);
  KzMath_1_2::KzSymMatrixData data(2);
  KZ_EXPECT_REFUSED(false, s.ExtractSubmatrix({0}, data), data);  // not a full matrix
  ASSERT_TRUE(s.ExtractSubmatrix({1, 2}, s));
  EXPECT_EQ((std::vector<double>{3, 5, 6}), s.AsVectorConst());
}

TEST(KzSymMatrixExtract, BlocksRowsAndColumns) {
  const KzSymMatrix s = FromPacked({1, 2, 3, 4, 5, 6, 7, 8, 9, 10});  // order 4
  KzSymMatrix first;
  s.ExtractFirstNRows(first);
  EXPECT_EQ((std::vector<double>{1, 2, 3, 4, 5, 6}), first.AsVectorConst());
  KzSymMatrix r = s;
  EXPECT_TRUE(r.ReplaceFirstRows(FromPacked({0, 0, 0}), 2));
  EXPECT_EQ((std::vector<double>{0, 0, 0, 4, 5, 6, 7, 8, 9, 10}), r.AsVectorConst());
  KZ_EXPECT_REFUSED(false, r.ReplaceFirstRows(FromPacked({0, 0, 0}), 3), r);
  KzSymMatrix blk = FromPacked({100, 100, 100});
  EXPECT_TRUE(s.ExtractDiagBlock(1, 2, blk));  // accumulates
  EXPECT_EQ((std::vector<double>{103, 105, 106}), blk.AsVectorConst());
  KZ_EXPECT_REFUSED(false, s.ExtractDiagBlock(3, 2, blk), blk);
  KzSymMatrix bl(3);
  EXPECT_TRUE(s.ExtractBlockAndLastRow(1, 2, bl));
  EXPECT_EQ((std::vector<double>{3, 5, 6, 8, 9, 10}), bl.AsVectorConst());
  KZ_EXPECT_REFUSED(false, s.ExtractBlockAndLastRow(2, 2, bl), bl);
  KzRectMatrix low(2, 2);
  EXPECT_TRUE(s.ExtractBlockInLowTriangular(2, 0, 2, 2, low));
  EXPECT_EQ((std::vector<double>{4, 5, 7, 8}), low.AsVectorConst());
  KZ_EXPECT_REFUSED(false, s.ExtractBlockInLowTriangular(1, 0, 2, 3, low), low);
  std::vector<double> part(1, -1.0);
  EXPECT_TRUE(s.ExtractPartOfLastRow(1, 2, part));
  EXPECT_EQ((std::vector<double>{8, 9}), part);
  KZ_EXPECT_REFUSED(false, s.ExtractPartOfLastRow(3, 2, part), part);
}

TEST(KzSymMatrixExtract, GetPColSizesToTheWalk) {
  const KzSymMatrix s = FromPacked({1, 2, 3, 4, 5, 6});  // row 2 = (4, 5, 6)
  std::vector<double> out;
  ASSERT_TRUE(s.GetPCol(2, 0, 2, out, 2));
  EXPECT_EQ((std::vector<double>{4, 0, 5, 0, 6}), out);  // |stride|(L-1)+1 = 5
  out.clear();
  ASSERT_TRUE(s.GetPCol(2, 1, 2, out, -3));
  EXPECT_EQ((std::vector<double>{6, 0, 0, 5}), out);
  out.clear();
  ASSERT_TRUE(s.GetPCol(1, 0, 2, out, 1));
  EXPECT_EQ((std::vector<double>{2, 3, 5}), out);
  KZ_EXPECT_REFUSED(false, s.GetPCol(2, 2, 1, out, 1), out);
  KZ_EXPECT_REFUSED(false, s.GetPCol(3, 0, 1, out, 1), out);
  KZ_EXPECT_REFUSED(false, s.GetPCol(0, 0, 3, out, 1), out);
}

// ---------------------------------------------------------------------------
// Elements and the diagonal

TEST(KzSymMatrixElements, RowsAndZeroing) {
  KzSymMatrix s = FromPacked({1, 2, 3, 4, 5, 6});
  EXPECT_TRUE(s.SetElem(0, 2, 9.0));
  EXPECT_EQ(9.0, s.GetElem(2, 0));
  EXPECT_TRUE(s.SetElem(5, 7.0));
  EXPECT_EQ(7.0, s.GetElem(2, 2));
  KZ_EXPECT_REFUSED(false, s.SetElem(6, 1.0), s);
  KZ_EXPECT_REFUSED(false, s.SetElem(3, 0, 1.0), s);
  EXPECT_TRUE(s.PutRow(1, {10, 11, 12}));
  EXPECT_EQ((std::vector<double>{1, 10, 11, 9, 12, 7}), s.AsVectorConst());
  KZ_EXPECT_REFUSED(false, s.PutRow(1, {1, 2}), s);
  EXPECT_TRUE(s.SetRowColToConst(0, -1.0));
  EXPECT_EQ((std::vector<double>{-1, -1, 11, -1, 12, 7}), s.AsVectorConst());
  EXPECT_TRUE(s.ZeroOut(2));
  EXPECT_EQ((std::vector<double>{-1, -1, 11, 0, 0, 0}), s.AsVectorConst());
  KzBitSet kept(3);
  kept.Set(1, true);
  kept.Set(2, true);
  KZ_EXPECT_REFUSED(false, s.ZeroOutRedundant(KzBitSet(2)), s);
  EXPECT_TRUE(s.ZeroOutRedundant(kept));
  EXPECT_EQ((std::vector<double>{0, 0, 11, 0, 0, 0}), s.AsVectorConst());
  KzBitSet cols(3);
  cols.Set(0, true);
  cols.Set(2, true);
  EXPECT_TRUE(s.IsZeroRow(1, cols));
  cols.Set(1, true);
  EXPECT_FALSE(s.IsZeroRow(1, cols));
  EXPECT_FALSE(s.IsZeroRow(3, cols));
}

TEST(KzSymMatrixElements, DiagonalEditsAndCorrelationBounds) {
  KzSymMatrix c = FromPacked({1, 1.2, 1, -1, 0.5, 1});
  EXPECT_TRUE(c.AdjustOffDiagCorr(0.01));
  EXPECT_EQ((std::vector<double>{1, 0.99, 1, -0.99, 0.5, 1}), c.AsVectorConst());
  KZ_EXPECT_REFUSED(false, c.AdjustOffDiagCorr(1.0), c);
  KZ_EXPECT_REFUSED(false, c.AdjustOffDiagCorr(-0.1), c);

  KzSymMatrix z = FromPacked({4, 0.1, 1, 3, 0.2, 9});
  // 0.1 <= 0.1 sqrt(4 * 1) and 0.2 <= 0.1 sqrt(1 * 9) are cut; 3 > 0.1 sqrt(4 * 9) stays.
  z.ZeroOutNonDiag(0.1);
  EXPECT_EQ((std::vector<double>{4, 0, 1, 3, 0, 9}), z.AsVectorConst());
  KZ_EXPECT_UNCHANGED(z.ZeroOutNonDiag(0.0), z);

  KzSymMatrix small = FromPacked({0, 1, 4, 1, 1, 1e-9});
  small.ZeroOutRowsForSmallDiag(1e-6);  // row 0: running max 0; row 2: 1e-9 / 4
  EXPECT_EQ((std::vector<double>{0, 0, 4, 0, 0, 0}), small.AsVectorConst());

  KzSymMatrix d = FromPacked({-1, 5, 4, 0, 0, 1e-12});
  EXPECT_TRUE(d.ReplaceDiagZeroes(1e-10));
  EXPECT_EQ((std::vector<double>{4, 5, 4, 0, 0, 4}), d.AsVectorConst());
  KZ_EXPECT_REFUSED(false, FromPacked({-1}).ReplaceDiagZeroes(0.1), d);
  KzSymMatrix neg = FromPacked({-1});
  KZ_EXPECT_REFUSED(false, neg.ReplaceDiagZeroes(0.1), neg);
  KZ_EXPECT_REFUSED(false, d.ReplaceDiagZeroes(-1.0), d);

  KzSymMatrix a = FromPacked({1, 2, 3});
  a.AddToDiagonal(1.0);
  EXPECT_TRUE(a.AddToDiagonalPart(1, 1, 10.0));
  KZ_EXPECT_REFUSED(false, a.AddToDiagonalPart(1, 2, 1.0), a);
  a.ChangeSign();
  a.MultiplyByNumber(2.0);
  EXPECT_EQ((std::vector<double>{-4, -4, -28}), a.AsVectorConst());
  double mx = 0, mn = 0, mo = 0, no = 0;
  a.MaxMinDiagOffDiag(mx, mn, mo, no);
  EXPECT_EQ(-4, mx);
  EXPECT_EQ(-28, mn);
  EXPECT_EQ(-4, mo);
  EXPECT_EQ(-4, no);
  FromPacked({3}).MaxMinDiagOffDiag(mx, mn, mo, no);
  EXPECT_EQ(-DBL_MAX, mo);
  EXPECT_EQ(DBL_MAX, no);
  mx = 7;
  KzSymMatrix().MaxMinDiag(mx, mn);
  EXPECT_EQ(7, mx);
  std::vector<double> diag;
  a.GetNCheckDiagonal(diag, -5.0, 0.0);
  EXPECT_EQ((std::vector<double>{-4, 0}), diag);

  KzSymMatrix p = FromPacked({1, 1, 0, 1, 1, 2});
  KzSymMatrix q = FromPacked({-1, 1, 1, 1, 1, 1});
  EXPECT_TRUE(p.SetCovarZeros(q));  // row 0 (q) and row 1 (p) zeroed in both
  EXPECT_EQ((std::vector<double>{0, 0, 0, 0, 0, 2}), p.AsVectorConst());
  EXPECT_EQ((std::vector<double>{0, 0, 0, 0, 0, 1}), q.AsVectorConst());
  KZ_EXPECT_REFUSED(false, p.SetCovarZeros(a), p, a);
}

TEST(KzSymMatrixElements, Traces) {
  const int n = 5;
  const KzSymMatrix a = RandomSym(n, 90), b = RandomSym(n, 91), c = RandomSym(n, 92);
  const std::vector<double> ab = Mul(Full(a), Full(b), n, n, n);
  const std::vector<double> abc = Mul(ab, Full(c), n, n, n);
  double tab = 0, tabc = 0, ta = 0;
  for (int i = 0; i < n; ++i) {
    tab += ab[i * n + i];
    tabc += abc[i * n + i];
    ta += a.GetElem(i, i);
  }
  KZ_EXPECT_REL(ta, a.Trace(), kTol);
  KZ_EXPECT_REL(tab, a.TraceOfProduct(b), kTol);
  KZ_EXPECT_REL(tabc, a.TraceOfProductOfThree(b, c), kTol);
  EXPECT_EQ(0.0, KzSymMatrix().TraceOfProduct(KzSymMatrix()));
  EXPECT_EQ(kMiss, a.TraceOfProduct(KzSymMatrix(2)));
  EXPECT_EQ(kMiss, a.TraceOfProductOfThree(b, KzSymMatrix(2)));
  const KzSymMatrix b2 = RandomSym(2, 93);
  double tr = 0.0;
  ASSERT_TRUE(a.TraceOfProductSubMatSym(3, b2, tr));
  double e = 0.0;
  for (int i = 0; i < 2; ++i)
    for (int j = 0; j < 2; ++j) e += a.GetElem(3 + i, 3 + j) * b2.GetElem(j, i);
  KZ_EXPECT_REL(e, tr, kTol);
  KZ_EXPECT_REFUSED(false, a.TraceOfProductSubMatSym(4, b2, tr), tr);
}

TEST(KzSymMatrixDisplay, FullDisplayLayout) {
  kztest::DisplayCapture cap;
  FromPacked({1, 2, 3}).DisplayF();
  EXPECT_EQ(
      "\nKzSymMatrix full matrix display start\nNumber of rows = 2"
      "\nrow 0:  (size = 2)\n  = 1\n  = 2\nrow 1:  (size = 2)\n  = 2\n  = 3"
      "\nKzSymMatrix display end",
      cap.Text());
}

}  // namespace
