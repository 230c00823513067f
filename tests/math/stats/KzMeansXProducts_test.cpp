// Means and cross-products of a data matrix: two passes against the long
// double oracle and against the row-by-row formulas bit for bit, batches,
// the one-pass route, weight columns, row limits and refusals.

#include "kzcommon12r/math/stats/KzMeansXProducts.h"

#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "kzcommon12r/math/matrix/KzRectMatrix.h"
#include "math/stats/KzMeansOracle.h"
#include "support/KzDisplayCapture.h"

namespace {

using KzMath_1_2::KzMeansXProducts;
using KzMath_1_2::KzRectMatrix;
using kztest::AccState;
using kztest::WeightedCase;

enum Weights { kNone, kFreq, kReg, kBoth };

struct Data {
  KzRectMatrix matrix;
  std::vector<WeightedCase> cases;  // the same rows with their case weights
};

// Rows of n variables followed by the weight columns of the chosen kind; with
// both columns the case weight is their product.
Data MakeData(std::uint64_t seed, int rows, int n, double offset, Weights kind) {
  auto cases = kztest::RandomCases(seed, rows, n, offset, 0.2, kind == kNone ? 0.0 : 3.0);
  const int nw = kind == kNone ? 0 : kind == kBoth ? 2 : 1;
  Data d{KzRectMatrix(rows, n + nw), {}};
  for (int r = 0; r < rows; ++r) {
    auto& c = cases[static_cast<std::size_t>(r)];
    for (int j = 0; j < n; ++j) d.matrix.SetElem(r, j, c.x[static_cast<std::size_t>(j)]);
    if (kind == kBoth) {
      const double f = 1.0 + (r % 3);
      d.matrix.SetElem(r, n, f);
      d.matrix.SetElem(r, n + 1, c.w);
      c.w = f * c.w;
    } else if (nw == 1) {
      d.matrix.SetElem(r, n, c.w);
    }
  }
  d.cases = cases;
  return d;
}

KzMeansXProducts Make(int n, bool intercept, Weights kind) {
  return KzMeansXProducts(n, intercept, kind == kFreq || kind == kBoth,
                          kind == kReg || kind == kBoth);
}

std::uint64_t Bits(double v) {
  std::uint64_t u;
  std::memcpy(&u, &v, sizeof u);
  return u;
}

TEST(KzMeansXProducts, TwoPassAgreesWithLongDouble) {
  for (Weights kind : {kNone, kFreq, kReg, kBoth}) {
    for (bool intercept : {true, false}) {
      SCOPED_TRACE("weights " + std::to_string(kind) + ", intercept " + std::to_string(intercept));
      const Data d = MakeData(21 + kind, 257, 19, 1e3, kind);
      KzMeansXProducts acc = Make(19, intercept, kind);
      ASSERT_TRUE(acc.Compute(d.matrix, 0));
      EXPECT_TRUE(kztest::MomentsNear(kztest::TwoPass(d.cases, 19, intercept), acc, 1e-13));
    }
  }
}

// The blocked second pass against the row-by-row formula
// X[k] += (d_l d_j) w_r, element by element in row order.
TEST(KzMeansXProducts, TwoPassCrossProductsAreTheRowByRowSums) {
  for (Weights kind : {kNone, kBoth}) {
    for (int n : {1, 17, 70}) {
      const int rows = 75;
      const Data d = MakeData(n, rows, n, 5.0, kind);
      KzMeansXProducts acc = Make(n, true, kind);
      ASSERT_TRUE(acc.Compute(d.matrix, 0));
      const auto& mean = acc.GetMeans();
      std::vector<double> x(static_cast<std::size_t>(n) * (n + 1) / 2, 0.0);
      for (int r = 0; r < rows; ++r) {
        double w = 1.0;
        if (kind == kBoth) w = d.matrix.GetElem(r, n) * d.matrix.GetElem(r, n + 1);
        std::size_t k = 0;
        for (int j = 0; j < n; ++j) {
          for (int l = 0; l <= j; ++l, ++k) {
            const double dl = d.matrix.GetElem(r, l) - mean[static_cast<std::size_t>(l)];
            const double dj = d.matrix.GetElem(r, j) - mean[static_cast<std::size_t>(j)];
            x[k] += kind == kNone ? dl * dj : (dl * dj) * w;
          }
        }
      }
      const auto& got = acc.GetXProds().AsVectorConst();
      for (std::size_t k = 0; k < x.size(); ++k) ASSERT_EQ(Bits(got[k]), Bits(x[k])) << k;
    }
  }
}

TEST(KzMeansXProducts, EqualValuesGiveThatValueAsMean) {
  // 0.1 summed 10 times and divided by 10 is not 0.1; the mean must be.
  for (Weights kind : {kNone, kFreq}) {
    KzRectMatrix m(10, kind == kNone ? 2 : 3);
    for (int r = 0; r < 10; ++r) {
      m.SetElem(r, 0, 0.1);
      m.SetElem(r, 1, r);
      if (kind == kFreq) m.SetElem(r, 2, 0.3 + r);
    }
    KzMeansXProducts acc = Make(2, true, kind);
    ASSERT_TRUE(acc.Compute(m, 0));
    EXPECT_EQ(acc.GetMeans()[0], 0.1);
    EXPECT_EQ(acc.GetXProds().GetElem(0, 0), 0.0);
    EXPECT_EQ(acc.GetXProds().GetElem(1, 0), 0.0);
  }
}

TEST(KzMeansXProducts, RowLimitUsesTheLeadingRows) {
  const Data d = MakeData(8, 50, 4, 2.0, kFreq);
  const std::vector<WeightedCase> first20(d.cases.begin(), d.cases.begin() + 20);
  KzMeansXProducts acc = Make(4, true, kFreq);
  ASSERT_TRUE(acc.Compute(d.matrix, 20));
  EXPECT_TRUE(kztest::MomentsNear(kztest::TwoPass(first20, 4, true), acc, 1e-13));
  for (int all : {0, -5, 50, 1000}) {
    ASSERT_TRUE(acc.Compute(d.matrix, all));
    EXPECT_TRUE(kztest::MomentsNear(kztest::TwoPass(d.cases, 4, true), acc, 1e-13)) << all;
  }
}

TEST(KzMeansXProducts, BatchesMergeIntoTheWhole) {
  for (bool intercept : {true, false}) {
    const Data d = MakeData(31, 240, 5, 100.0, kReg);
    KzMeansXProducts acc = Make(5, intercept, kReg);
    int at = 0;
    for (int size : {40, 1, 99, 100}) {
      KzRectMatrix batch(size, 6);
      for (int r = 0; r < size; ++r) {
        for (int c = 0; c < 6; ++c) batch.SetElem(r, c, d.matrix.GetElem(at + r, c));
      }
      ASSERT_TRUE(acc.Update(batch, 0));
      at += size;
    }
    EXPECT_TRUE(kztest::MomentsNear(kztest::TwoPass(d.cases, 5, intercept), acc, 1e-12));
  }
}

TEST(KzMeansXProducts, RefusalsLeaveTheAccumulatorUnchanged) {
  const Data d = MakeData(4, 10, 3, 1.0, kFreq);
  KzMeansXProducts acc = Make(3, true, kFreq);
  ASSERT_TRUE(acc.Compute(d.matrix, 0));
  const AccState before(acc);
  KzRectMatrix wrongColumns(10, 3);
  KzRectMatrix noRows(0, 4);
  KzRectMatrix zeroWeights(5, 4);
  KzRectMatrix nanWeight(d.matrix);
  nanWeight.SetElem(3, 3, std::numeric_limits<double>::quiet_NaN());
  KzRectMatrix negativeTotal(d.matrix);
  for (int r = 0; r < 10; ++r) negativeTotal.SetElem(r, 3, -1.0);
  for (const KzRectMatrix* m : {&wrongColumns, &noRows, &zeroWeights, &nanWeight, &negativeTotal}) {
    EXPECT_FALSE(acc.Compute(*m, 0));
    EXPECT_FALSE(acc.Update(*m, 0));
    EXPECT_TRUE(AccState(acc) == before);
  }
  EXPECT_FALSE(acc.UpdateOnePass(wrongColumns, 0));
  // Negative weights are allowed while the total stays positive.
  KzRectMatrix mixed(d.matrix);
  mixed.SetElem(0, 3, -0.1);
  EXPECT_TRUE(acc.Compute(mixed, 0));
}

TEST(KzMeansXProducts, OnePassFromRawSums) {
  for (Weights kind : {kNone, kFreq, kBoth}) {
    for (bool intercept : {true, false}) {
      SCOPED_TRACE("weights " + std::to_string(kind) + ", intercept " + std::to_string(intercept));
      // Small offset: the raw-sums route cancels about log10(offset^2 / spread^2)
      // digits.
      const Data d = MakeData(61 + kind, 130, 9, 0.5, kind);
      KzMeansXProducts acc = Make(9, intercept, kind);
      acc.StartUpdateOnePass();
      KzRectMatrix first(60, d.matrix.GetNCols()), second(70, d.matrix.GetNCols());
      for (int r = 0; r < 130; ++r) {
        for (int c = 0; c < d.matrix.GetNCols(); ++c) {
          (r < 60 ? first : second).SetElem(r < 60 ? r : r - 60, c, d.matrix.GetElem(r, c));
        }
      }
      ASSERT_TRUE(acc.UpdateOnePass(first, 0));
      ASSERT_TRUE(acc.UpdateOnePass(second, 0));
      ASSERT_TRUE(acc.FinishUpdateOnePass());
      EXPECT_TRUE(kztest::MomentsNear(kztest::TwoPass(d.cases, 9, intercept), acc, 1e-11));
    }
  }
}

// Without an intercept the one-pass result is the raw weighted sums
// P[k] = sum_r x_l (w x_j), element by element in row order.
TEST(KzMeansXProducts, OnePassWithoutInterceptIsTheRawSums) {
  const int n = 40;
  const Data d = MakeData(3, 77, n, 2.0, kFreq);
  KzMeansXProducts acc = Make(n, false, kFreq);
  ASSERT_TRUE(acc.UpdateOnePass(d.matrix, 0));  // starts by itself
  ASSERT_TRUE(acc.FinishUpdateOnePass());
  std::vector<double> p(static_cast<std::size_t>(n) * (n + 1) / 2, 0.0);
  double w1 = 0.0;
  for (int r = 0; r < 77; ++r) {
    const double w = d.matrix.GetElem(r, n);
    w1 += w;
    std::size_t k = 0;
    for (int j = 0; j < n; ++j) {
      const double v = d.matrix.GetElem(r, j) * w;
      for (int l = 0; l <= j; ++l, ++k) p[k] += d.matrix.GetElem(r, l) * v;
    }
  }
  EXPECT_EQ(acc.GetNCases(), w1);
  const auto& got = acc.GetXProds().AsVectorConst();
  for (std::size_t k = 0; k < p.size(); ++k) ASSERT_EQ(Bits(got[k]), Bits(p[k])) << k;
}

TEST(KzMeansXProducts, OnePassEdgeStates) {
  const Data d = MakeData(5, 6, 2, 1.0, kReg);
  KzMeansXProducts acc = Make(2, true, kReg);
  ASSERT_TRUE(acc.Compute(d.matrix, 0));
  // Nothing gathered: finishing clears.
  acc.StartUpdateOnePass();
  EXPECT_TRUE(acc.FinishUpdateOnePass());
  EXPECT_TRUE(AccState(acc) == AccState(Make(2, true, kReg)));
  // A negative total is refused.
  ASSERT_TRUE(acc.Compute(d.matrix, 0));
  const AccState before(acc);
  KzRectMatrix negative(1, 3);
  negative.SetElem(0, 2, -2.0);
  ASSERT_TRUE(acc.UpdateOnePass(negative, 0));
  EXPECT_FALSE(acc.FinishUpdateOnePass());
  EXPECT_TRUE(AccState(acc) == before);
  // No rows: nothing gathered, still true.
  KzMeansXProducts fresh = Make(2, true, kNone);
  EXPECT_TRUE(fresh.UpdateOnePass(KzRectMatrix(0, 2), 0));
  EXPECT_TRUE(fresh.FinishUpdateOnePass());
  EXPECT_EQ(fresh.GetNCases(), 0.0);
}

TEST(KzMeansXProducts, DefaultsAndCopies) {
  KzMeansXProducts def;
  EXPECT_EQ(def.GetNVars(), 0);
  EXPECT_TRUE(def.IsIntercept());
  EXPECT_TRUE(def.IsFreqWeight());
  EXPECT_FALSE(def.IsRegWeight());
  const Data d = MakeData(9, 20, 3, 1.0, kBoth);
  KzMeansXProducts acc = Make(3, false, kBoth);
  ASSERT_TRUE(acc.Compute(d.matrix, 0));
  const KzMeansXProducts copy(acc);
  KzMeansXProducts assigned;
  assigned = acc;
  EXPECT_TRUE(AccState(copy) == AccState(acc));
  EXPECT_TRUE(AccState(assigned) == AccState(acc));
  EXPECT_TRUE(assigned.IsRegWeight());
}

TEST(KzMeansXProducts, DisplayShowsOnePassSumsOnlyWhenGathered) {
  KzMeansXProducts acc(1, true, false, false);
  KzRectMatrix m(2, 1);
  m.SetElem(0, 0, 1.0);
  m.SetElem(1, 0, 3.0);
  ASSERT_TRUE(acc.Compute(m, 0));
  kztest::DisplayCapture capture;
  acc.Display();
  std::string text = capture.Take();
  const std::string tail =
      "\nKzMeansXProdData display end"
      "\nFrequency weight indicator = false"
      "\nRegression weight indicator = false";
  ASSERT_GE(text.size(), tail.size());
  EXPECT_EQ(text.substr(text.size() - tail.size()), tail);
  ASSERT_TRUE(acc.UpdateOnePass(m, 0));
  acc.Display();
  text = capture.Take();
  const std::string sums =
      "\nWeighted number of cases accumulated by UpdateOnePass = 2"
      "\nWeighted sums accumulated by UpdateOnePass (size = 1)"
      "\n  4"
      "\nWeighted sums of products accumulated by UpdateOnePass";
  EXPECT_NE(text.find(tail + sums), std::string::npos) << text;
}

}  // namespace
