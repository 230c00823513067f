#include "kzcommon12r/math/kernels/KzMathFun.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "kzcommon12r/common/KzMV.h"
#include "math/kernels/KernelsOracle.h"
#include "support/KzTestCompare.h"

using KzCommon_1_2::KzMV;
using KzMath_1_2::KzMathFun;
using kztest::Pk;
using kztest::RandomVector;
using Vec = std::vector<double>;

namespace {

const double kNaN = std::numeric_limits<double>::quiet_NaN();
const double kInf = std::numeric_limits<double>::infinity();

TEST(KzMathFun, DASumSkipsPositionsOutsideTheVector) {
  const Vec x = {1, -2, 3, -4, 5};
  EXPECT_EQ(KzMathFun::DASum(5, x, 1, 0), 15.0);
  EXPECT_EQ(KzMathFun::DASum(2, x, 2, 1), 6.0);   // positions 1, 3
  EXPECT_EQ(KzMathFun::DASum(3, x, -2, 0), 9.0);  // positions 4, 2, 0
  EXPECT_EQ(KzMathFun::DASum(4, x, 0, 3), 16.0);  // position 3 four times
  EXPECT_EQ(KzMathFun::DASum(4, x, 2, 1), 6.0);   // 1, 3 inside; 5, 7 skipped
  EXPECT_EQ(KzMathFun::DASum(3, x, 1, -1), 3.0);  // -1 skipped; 0, 1 summed
  EXPECT_EQ(KzMathFun::DASum(0, x, 1, 0), 0.0);
  EXPECT_EQ(KzMathFun::DASum(3, Vec{}, 1, 0), 0.0);
}

TEST(KzMathFun, DaxpyAndDDotWalks) {
  Vec y = {1, 1, 1, 1, 1, 1};
  const Vec x = {1, 2, 3, 4};
  KzMathFun::Daxpy(3, 2.0, x, 1, 1, y, 0, 2);  // y[0,2,4] += 2*x[1..3]
  EXPECT_EQ(y, (Vec{5, 1, 7, 1, 9, 1}));
  KzMathFun::Daxpy(2, -1.0, x, 0, -1, y, 1, 1);  // y[1] -= x[1], y[2] -= x[0]
  EXPECT_EQ(y, (Vec{5, -1, 6, 1, 9, 1}));
  KzMathFun::Daxpy(3, 1.0, x, 3, 0, y, 3, 1);  // x[3] added three times
  EXPECT_EQ(y, (Vec{5, -1, 6, 5, 13, 5}));
  EXPECT_EQ(KzMathFun::DDot(3, x, 1, 1, y, 0, 2), 2 * 5.0 + 3 * 6.0 + 4 * 13.0);
  EXPECT_EQ(KzMathFun::DDot(2, x, 0, -1, x, 2, 1), 2 * 3.0 + 1 * 4.0);
  EXPECT_EQ(KzMathFun::DDot(0, x, 9, 1, x, 9, 1), 0.0);
}

TEST(KzMathFun, RefusedWalksLeaveTargetsUnchanged) {
  const Vec x = {1, 2, 3};
  Vec y = {4, 5, 6};
  const Vec y0 = y;
  KzMathFun::Daxpy(3, 2.0, x, 1, 1, y, 0, 1);  // x walk ends at 3
  KzMathFun::Daxpy(2, 2.0, x, 0, 1, y, 0, 3);  // y walk ends at 3
  KzMathFun::Daxpy(2, 2.0, x, -1, 1, y, 0, 1);
  KzMathFun::DLoad(3, 9.0, y, 1, 1);
  KzMathFun::DLoad(2, 9.0, y, -1, 1);
  KzMathFun::DLoad(2, 9.0, y, 0, 0);
  KzMathFun::DScal(2, 3.0, y, 2, 1);
  KzMathFun::DScal(2, 3.0, y, 0, 0);
  KzMathFun::IIAxpy(3, 1.0, x, 0, 1, y, 0, 1);  // positions 0, 1, 3
  KzMathFun::IIInit(3, 9.0, y, 0, 1);
  KzMathFun::IIScal(2, 9.0, y, 0, 3);
  KzMathFun::IIScal(3, 9.0, y, 2, -3);  // 2, -1, ...: falls below 0
  KzMathFun::LRZero(y, 2, 2);
  KzMathFun::LRZero(y, -1, 2);
  EXPECT_EQ(y, y0);
  EXPECT_TRUE(KzMV::IsMissing(KzMathFun::DDot(2, x, 2, 1, y, 0, 1)));
  EXPECT_TRUE(KzMV::IsMissing(KzMathFun::DDot(2, x, 0, 1, y, 0, -5)));
  EXPECT_TRUE(KzMV::IsMissing(KzMathFun::IIDot(3, x, 0, 1, y, 0, 1)));
  EXPECT_TRUE(KzMV::IsMissing(KzMathFun::DNrm2(2, x, 2, 1)));
  EXPECT_TRUE(KzMV::IsMissing(KzMathFun::DSum(4, x, 1)));
  EXPECT_TRUE(KzMV::IsMissing(KzMathFun::DSum(2, x, -3)));
  Vec L = {1, 2, 3};  // order 2 needs 3 elements, order 3 six
  KzMathFun::LTGltl(3, L);
  EXPECT_EQ(L, (Vec{1, 2, 3}));
}

TEST(KzMathFun, DLoadDScalDSum) {
  Vec x = {kNaN, kInf, 2.0, -3.0, 4.0};
  KzMathFun::DScal(2, 0.0, x, 0, 1);  // stored, not multiplied
  EXPECT_EQ(x[0], 0.0);
  EXPECT_EQ(x[1], 0.0);
  KzMathFun::DScal(2, -1.0, x, 2, 2);
  EXPECT_EQ(x, (Vec{0, 0, -2, -3, -4}));
  KzMathFun::DScal(3, 0.5, x, 2, 1);
  EXPECT_EQ(x, (Vec{0, 0, -1, -1.5, -2}));
  Vec n = {kNaN};
  KzMathFun::DScal(1, 1.0, n, 0, 1);  // a == 1 touches nothing
  EXPECT_TRUE(std::isnan(n[0]));
  KzMathFun::DLoad(2, 7.0, x, 1, 3);
  EXPECT_EQ(x, (Vec{0, 7, -1, -1.5, 7}));
  const Vec s = {1.0, 1e100, -1e100, 5.0};
  EXPECT_EQ(KzMathFun::DSum(3, s, 1), 0.0);   // (1 + 1e100) - 1e100
  EXPECT_EQ(KzMathFun::DSum(3, s, -1), 1.0);  // (-1e100 + 1e100) + 1
  EXPECT_EQ(KzMathFun::DSum(2, s, 3), 6.0);
  EXPECT_EQ(KzMathFun::DSum(3, s, 0), 3.0);      // n * x[0]
  EXPECT_EQ(KzMathFun::DSum(0, Vec{}, 1), 0.0);  // no read of an empty vector
  EXPECT_EQ(KzMathFun::DSum(-2, Vec{}, 0), 0.0);
}

TEST(KzMathFun, DNrm2) {
  const Vec x = {9.0, -3.0, 4.0, 1e300, 1e300};
  EXPECT_EQ(KzMathFun::DNrm2(2, x, 1, 1), 5.0);
  EXPECT_EQ(KzMathFun::DNrm2(1, x, 1, 1), 3.0);
  EXPECT_EQ(KzMathFun::DNrm2(0, x, 0, 1), 0.0);
  EXPECT_EQ(KzMathFun::DNrm2(2, x, 0, 0), 0.0);
  KZ_EXPECT_REL(std::sqrt(2.0) * 1e300, KzMathFun::DNrm2(2, x, 3, 1),
                kztest::ToDouble(kztest::Tol::k2Eps));
}

// The growing-increment walks run down the columns of a packed lower triangle.
TEST(KzMathFun, GrowingIncrementWalksFollowPackedColumns) {
  const int n = 6;
  Vec S(static_cast<std::size_t>(n * (n + 1) / 2));
  for (int i = 0; i < n; ++i)
    for (int j = 0; j <= i; ++j) S[Pk(i, j)] = 10.0 * i + j;
  for (int j = 0; j < n; ++j) {
    const int off = j * (j + 1) / 2 + j;
    double expected = 0.0;
    for (int i = j; i < n; ++i) expected += (10.0 * i + j) * (10.0 * i + j);
    EXPECT_EQ(KzMathFun::IIDot(n - j, S, off, j + 1, S, off, j + 1), expected) << "column " << j;
  }
  Vec T = S;
  KzMathFun::IIScal(n - 2, 2.0, T, Pk(2, 2), 3);  // column 2 doubled from the diagonal
  KzMathFun::IIInit(n - 4, -1.0, T, Pk(4, 4), 5);
  for (int i = 0; i < n; ++i) {
    for (int j = 0; j <= i; ++j) {
      double want = S[Pk(i, j)];
      if (j == 2) want *= 2.0;
      if (j == 4) want = -1.0;
      EXPECT_EQ(T[Pk(i, j)], want) << i << "," << j;
    }
  }
  Vec U = S;
  KzMathFun::IIAxpy(n - 1, 0.5, S, Pk(1, 1), 2, U, Pk(1, 0), 2);  // col 0 += 0.5 col 1
  for (int i = 1; i < n; ++i) EXPECT_EQ(U[Pk(i, 0)], S[Pk(i, 0)] + 0.5 * S[Pk(i, 1)]) << i;
}

TEST(KzMathFun, PackedProductsAgainstDenseArithmetic) {
  const int n = 7;
  const Vec Sp = RandomVector(static_cast<std::size_t>(n * (n + 1) / 2), 5u);
  const Vec v = RandomVector(3 * n, 6u);
  const Vec full = kztest::Unpack(Sp, n);
  double quad = 0.0;
  for (int r = 0; r < n; ++r) {
    double row = 0.0, rowStrided = 0.0;
    for (int j = 0; j < n; ++j) {
      row += full[static_cast<std::size_t>(j) * n + r] * v[static_cast<std::size_t>(j)];
      rowStrided += full[static_cast<std::size_t>(j) * n + r] * v[static_cast<std::size_t>(3 * j)];
    }
    KZ_EXPECT_REL(row, KzMathFun::RVD(Sp, n, r, v, 1), 1e-14);
    KZ_EXPECT_REL(rowStrided, KzMathFun::RVD(Sp, n, r, v, 3), 1e-14);
    quad += row * v[static_cast<std::size_t>(r)];
  }
  KZ_EXPECT_REL(quad, KzMathFun::VSV(Sp, n, v), 1e-13);
  EXPECT_TRUE(KzMV::IsMissing(KzMathFun::RVD(Sp, n, n, v, 1)));
  EXPECT_TRUE(KzMV::IsMissing(KzMathFun::RVD(Sp, n, -1, v, 1)));
  EXPECT_TRUE(KzMV::IsMissing(KzMathFun::RVD(Sp, 0, 0, v, 1)));
  EXPECT_TRUE(KzMV::IsMissing(KzMathFun::RVD(Sp, n, 0, v, 4)));      // v too short
  EXPECT_TRUE(KzMV::IsMissing(KzMathFun::RVD(Sp, n + 1, 0, v, 1)));  // S too short
  EXPECT_EQ(KzMathFun::VSV(Sp, 0, v), 0.0);
  EXPECT_TRUE(KzMV::IsMissing(KzMathFun::VSV(Sp, -1, v)));
  EXPECT_TRUE(KzMV::IsMissing(KzMathFun::VSV(Sp, n + 1, v)));
  EXPECT_TRUE(KzMV::IsMissing(KzMathFun::VSV(Sp, n, Vec(n - 1, 1.0))));
}

TEST(KzMathFun, LTGltlFormsLTransposeL) {
  for (int n : {1, 2, 5, 9}) {
    Vec L = RandomVector(static_cast<std::size_t>(n * (n + 1) / 2), 40u + n);
    const Vec L0 = L;
    KzMathFun::LTGltl(n, L);
    for (int k = 0; k < n; ++k) {
      for (int i = 0; i <= k; ++i) {
        double want = 0.0;  // (L'L)(k, i) = sum_m L(m, k) L(m, i), m >= k
        for (int m = k; m < n; ++m) want += L0[Pk(m, k)] * L0[Pk(m, i)];
        KZ_EXPECT_REL(want, L[Pk(k, i)], 1e-14) << "n=" << n << " (" << k << "," << i << ")";
      }
    }
  }
}

TEST(KzMathFun, DifferenceNorms) {
  EXPECT_EQ(KzMathFun::VNrm1Diff({1, 5}, {2, 3}), 2.0);  // the largest, not the sum
  EXPECT_EQ(KzMathFun::VNrm1Diff({1, 5, 100}, {2, 3}), 2.0);
  EXPECT_EQ(KzMathFun::VNrm1Diff({}, {2, 3}), 0.0);
  // eps == 0 means 1e-6; a negative eps its magnitude.
  EXPECT_EQ(KzMathFun::VMaxRelDiff({1.0}, {0.0}, 0.0), 1.0 / 1e-6);
  EXPECT_EQ(KzMathFun::VMaxRelDiff({1.0}, {0.0}, -0.5), 2.0);
  EXPECT_EQ(KzMathFun::VMaxRelDiff({3.0, 1.0}, {1.0, 1.0}, 1.0), 1.0);
  EXPECT_EQ(KzMathFun::VMaxRelDiff({}, {1.0}, 1.0), 0.0);
  // A diverged iterate never passes as converged, wherever the NaN sits.
  EXPECT_EQ(KzMathFun::VMaxRelDiff({kNaN, 1.0}, {1.0, 1.0}, 1e-8), kInf);
  EXPECT_EQ(KzMathFun::VMaxRelDiff({1.0, 2.0}, {1.0, kNaN}, 1e-8), kInf);
  EXPECT_EQ(KzMathFun::VMaxRelDiff({kInf}, {kInf}, 1e-8), kInf);
}

TEST(KzMathFun, BinSearchDocumentedCases) {
  const Vec v = {1, 2, 3};
  EXPECT_EQ(KzMathFun::BinSearch(v, 0, 2, 2.0, false), 1);
  EXPECT_EQ(KzMathFun::BinSearch(v, 0, 2, 2.0, true), 2);
  EXPECT_EQ(KzMathFun::BinSearch(v, 0, 2, 3.0, false), 2);
  EXPECT_EQ(KzMathFun::BinSearch(v, 0, 2, 3.0, true), -1);
  EXPECT_EQ(KzMathFun::BinSearch(v, 0, 2, 0.5, true), 0);
  EXPECT_EQ(KzMathFun::BinSearch(v, 0, 2, 4.0, true), -1);
  EXPECT_EQ(KzMathFun::BinSearch(v, 0, 3, 2.0, true), -2);
  EXPECT_EQ(KzMathFun::BinSearch(v, 2, 1, 2.0, true), -2);
  EXPECT_EQ(KzMathFun::BinSearch(v, -1, 2, 2.0, true), -2);
  EXPECT_EQ(KzMathFun::BinSearch(v, 0, 2, kNaN, true), -1);
  EXPECT_EQ(KzMathFun::BinSearch(v, 1, 2, 0.5, true), -1);   // below v[lo-1]
  EXPECT_EQ(KzMathFun::BinSearch(v, 1, 2, 1.0, false), -1);  // (1, 2] excludes 1
  EXPECT_EQ(KzMathFun::BinSearch(v, 1, 2, 1.0, true), 1);
  EXPECT_EQ(KzMathFun::BinSearch(v, 1, 1, 1.5, true), 1);
  const std::vector<int> iv = {10, 20, 30, 40};
  EXPECT_EQ(KzMathFun::BinSearch(iv, 0, 3, 20, true), 2);
  EXPECT_EQ(KzMathFun::BinSearch(iv, 0, 3, 25, false), 2);
  EXPECT_EQ(KzMathFun::BinSearch(iv, 0, 3, 40, true), -1);
  EXPECT_EQ(KzMathFun::BinSearch(iv, 0, 4, 25, true), -2);
}

// Every x against a linear scan of the intervals that position r stands for.
TEST(KzMathFun, BinSearchAgreesWithLinearScan) {
  Vec v;
  for (int i = 0; i < 37; ++i) v.push_back(i * 0.5);
  for (bool closedLeft : {true, false}) {
    for (int lo = 0; lo < 6; ++lo) {
      for (int hi = lo; hi < 37; hi += 5) {
        for (double x = -1.0; x <= 19.0; x += 0.25) {
          int want = -1;
          for (int r = lo; r <= hi; ++r) {
            const bool aboveLow = (r == 0) || (closedLeft ? x >= v[r - 1] : x > v[r - 1]);
            const bool belowHigh = closedLeft ? x < v[r] : x <= v[r];
            if (aboveLow && belowHigh) {
              want = r;
              break;
            }
          }
          EXPECT_EQ(KzMathFun::BinSearch(v, lo, hi, x, closedLeft), want)
              << "lo=" << lo << " hi=" << hi << " x=" << x << " closedLeft=" << closedLeft;
        }
      }
    }
  }
}

TEST(KzMathFun, DigammaAndTrigammaAgainstMpmath) {
  // mpmath 1.2 at 40 digits: digamma(x), psi(1, x).
  struct Row {
    double x, psi, psi1;
  };
  const Row rows[] = {
      {0.001, -1.0005755719318102797e+3, 1.0000016425331958273e+6},
      {0.1, -1.0423754940411076232e+1, 1.014332991507927477e+2},
      {0.5, -1.9635100260214234794, 4.9348022005446793094},
      {1, -5.7721566490153286061e-1, 1.6449340668482264365},
      {1.5, 3.6489973978576520559e-2, 9.3480220054467930942e-1},
      {2, 4.2278433509846713939e-1, 6.4493406684822643647e-1},
      {3.7, 1.1671535393615114409, 3.1003785767003830216e-1},
      {9.99, 2.250700372831201122, 1.0527695014824178439e-1},
      {10, 2.2517525890667211076, 1.0516633568168574612e-1},
      {25.5, 3.2189424728839197665, 3.9994669649562924037e-2},
      {100, 4.6001618527380874002, 1.0050166663333571395e-2},
      {1e4, 9.2102903711428494036, 1.0000500016666666633e-4},
      {1e8, 1.8420680738952365464e+1, 1.0000000050000000167e-8},
  };
  for (const Row& r : rows) {
    KZ_EXPECT_REL(r.psi, KzMathFun::Digamma(r.x), 1e-13) << "x=" << r.x;
    KZ_EXPECT_REL(r.psi1, KzMathFun::Trigamma(r.x), 1e-13) << "x=" << r.x;
  }
  // Near 0 the leading terms only: -gamma - 1/x and 1/x^2.
  KZ_EXPECT_REL(-1e6 - 0.5772156649015329, KzMathFun::Digamma(1e-6), 1e-15);
  KZ_EXPECT_REL(-1.0000057719921567289e+5, KzMathFun::Digamma(1e-5), 1e-13);
  KZ_EXPECT_REL(1.000000000164490839e+10, KzMathFun::Trigamma(1e-5), 1e-9);
  EXPECT_EQ(KzMathFun::Trigamma(0.5e-4), 1.0 / (0.5e-4 * 0.5e-4));
  for (double bad : {1e-17, 0.0, -1.0, kNaN, -kInf}) {
    EXPECT_TRUE(KzMV::IsMissing(KzMathFun::Digamma(bad))) << bad;
    EXPECT_TRUE(KzMV::IsMissing(KzMathFun::Trigamma(bad))) << bad;
  }
}

TEST(KzMathFun, QLReps) {
  EXPECT_TRUE(KzMathFun::QLReps(1e-17, 1.0));
  EXPECT_TRUE(KzMathFun::QLReps(-1e-17, 1.0));
  EXPECT_FALSE(KzMathFun::QLReps(2.220446049250313e-16, 1.0));  // not strictly below
  EXPECT_FALSE(KzMathFun::QLReps(0.0, 0.0));
  EXPECT_FALSE(KzMathFun::QLReps(0.0, -1.0));
  EXPECT_FALSE(KzMathFun::QLReps(kNaN, 1.0));
}

}  // namespace
