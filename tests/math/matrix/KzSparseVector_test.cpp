#include "kzcommon12r/math/matrix/KzSparseVector.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>
#include <type_traits>
#include <vector>

#include "kzcommon12r/common/KzMV.h"
#include "support/KzDisplayCapture.h"
#include "support/KzMatrixBuilders.h"
#include "support/KzRefusal.h"
#include "support/KzTestCompare.h"

using KzCommon_1_2::KzMV;
using KzMath_1_2::KzSparseVector;

namespace {

constexpr double kMiss = KzMV::gMissingValue;
const double kInf = std::numeric_limits<double>::infinity();
const double kNaN = std::numeric_limits<double>::quiet_NaN();

TEST(KzSparseVector, ValidityIsDecidedAtConstruction) {
  struct Case {
    std::vector<int> idx;
    std::vector<double> val;
    bool valid;
  } const cases[] = {
      {{0, 3, 5}, {1, 2, 3}, true},
      {{7}, {1}, true},
      {{0, 3, 3}, {1, 2, 3}, false},  // not strictly increasing
      {{3, 1}, {1, 2}, false},        // decreasing
      {{-1, 2}, {1, 2}, false},       // negative first index
      {{0, 2}, {1}, false},           // fewer values
      {{0, 2}, {1, 2, 3}, false},     // more values
      {{}, {}, false},                // empty
      {{INT_MAX}, {1}, false},        // minimum dense size beyond int
      {{INT_MAX - 1}, {1}, true},
  };
  for (const Case& c : cases) {
    const KzSparseVector v(c.idx, c.val);
    EXPECT_EQ(v.IsValid(), c.valid) << ::testing::PrintToString(c.idx);
    EXPECT_EQ(v.GetNElements(), static_cast<int>(c.idx.size()));
    EXPECT_EQ(&v.GetIndices(), &c.idx);  // a view, not a copy
    EXPECT_EQ(&v.GetValues(), &c.val);
  }
  const std::vector<int> big = {INT_MAX - 1};
  const std::vector<double> one = {1};
  EXPECT_EQ(KzSparseVector(big, one).GetMinVecSize(), INT_MAX);
}

TEST(KzSparseVector, AccessorsAndMinimumSize) {
  const std::vector<int> idx = {1, 4};
  const std::vector<double> val = {0.5, -2};
  const KzSparseVector v(idx, val);
  EXPECT_EQ(v.GetMinVecSize(), 5);
  EXPECT_EQ(v.GetIndex(0), 1);
  EXPECT_EQ(v.GetIndex(1), 4);
  EXPECT_EQ(v.GetIndex(-1), -1);
  EXPECT_EQ(v.GetIndex(2), -1);
  EXPECT_EQ(v.GetValue(1), -2);
  EXPECT_EQ(v.GetValue(-1), kMiss);
  EXPECT_EQ(v.GetValue(v.GetNElements()), kMiss);
}

TEST(KzSparseVector, InvalidViewRefusesEverythingButItsAccessors) {
  const std::vector<int> idx = {0, 3, 3};
  const std::vector<double> val = {1, 2, 3};
  const KzSparseVector v(idx, val);
  ASSERT_FALSE(v.IsValid());
  // Accessors still read the caller's vectors.
  EXPECT_EQ(v.GetIndex(2), 3);
  EXPECT_EQ(v.GetValue(1), 2);
  EXPECT_EQ(v.GetMinVecSize(), 0);

  std::vector<double> dense(10, 1.5);
  std::vector<double> probs = {0.25, 0.75};
  double logRef = 42;
  KZ_EXPECT_REFUSED(kMiss, v.InnerProductWithPart(dense, 0), dense);
  KZ_EXPECT_REFUSED(false, v.IncrementPart(dense, 0, 1.0), dense);
  KZ_EXPECT_REFUSED(-1, v.ConvertToRegularVector(dense), dense);
  KZ_EXPECT_REFUSED(false, v.ComputeProbabilities(dense, 3, 5, probs, logRef), probs, logRef);

  // The empty view: nothing to read back() from.
  const std::vector<int> noIdx;
  const std::vector<double> noVal;
  const KzSparseVector e(noIdx, noVal);
  EXPECT_FALSE(e.IsValid());
  EXPECT_EQ(e.GetMinVecSize(), 0);
  EXPECT_EQ(e.GetIndex(0), -1);
  EXPECT_EQ(e.GetValue(0), kMiss);
  KZ_EXPECT_REFUSED(kMiss, e.InnerProductWithPart(dense, 0), dense);
  KZ_EXPECT_REFUSED(false, e.IncrementPart(dense, 0, 1.0), dense);
  std::vector<double> empty;
  KZ_EXPECT_REFUSED(-1, e.ConvertToRegularVector(empty), empty);
  KZ_EXPECT_REFUSED(false, e.ComputeProbabilities(dense, 2, 5, probs, logRef), probs, logRef);
}

TEST(KzSparseVector, InnerProductOfRawArrays) {
  const int ia[] = {0, 2, 5};
  const double va[] = {1, 2, 3};
  const int ib[] = {2, 5, 7};
  const double vb[] = {10, 100, 1000};
  EXPECT_EQ(KzSparseVector::InnerProduct(ia, va, 3, ib, vb, 3), 2 * 10 + 3 * 100);
  EXPECT_EQ(KzSparseVector::InnerProduct(ib, vb, 3, ia, va, 3), 320);
  EXPECT_EQ(KzSparseVector::InnerProduct(ia, va, 0, ib, vb, 3), 0);
  EXPECT_EQ(KzSparseVector::InnerProduct(ia, va, 3, ib, vb, 0), 0);
  EXPECT_EQ(KzSparseVector::InnerProduct(ia, va, 1, ib, vb, 3), 0);  // no common index
  EXPECT_EQ(KzSparseVector::InnerProduct(nullptr, va, 3, ib, vb, 3), kMiss);
  EXPECT_EQ(KzSparseVector::InnerProduct(ia, nullptr, 3, ib, vb, 3), kMiss);
  EXPECT_EQ(KzSparseVector::InnerProduct(ia, va, 3, nullptr, vb, 3), kMiss);
  EXPECT_EQ(KzSparseVector::InnerProduct(ia, va, 3, ib, nullptr, 3), kMiss);
  EXPECT_EQ(KzSparseVector::InnerProduct(ia, va, -1, ib, vb, 3), kMiss);
  EXPECT_EQ(KzSparseVector::InnerProduct(ia, va, 3, ib, vb, -1), kMiss);
}

TEST(KzSparseVector, InnerProductWithPartAndIncrementPart) {
  const std::vector<int> idx = {0, 2};
  const std::vector<double> val = {2, -1};
  const KzSparseVector v(idx, val);
  std::vector<double> dense = {1, 2, 3, 4, 5};
  EXPECT_EQ(v.InnerProductWithPart(dense, 0), 2 * 1 - 3);
  EXPECT_EQ(v.InnerProductWithPart(dense, 2), 2 * 3 - 5);  // exactly offset + 3 elements
  KZ_EXPECT_REFUSED(kMiss, v.InnerProductWithPart(dense, 3), dense);
  KZ_EXPECT_REFUSED(kMiss, v.InnerProductWithPart(dense, -1), dense);
  KZ_EXPECT_REFUSED(kMiss, v.InnerProductWithPart(dense, INT_MAX), dense);

  EXPECT_TRUE(v.IncrementPart(dense, 2, 0.5));
  EXPECT_EQ(dense, (std::vector<double>{1, 2, 4, 4, 4.5}));
  KZ_EXPECT_REFUSED(false, v.IncrementPart(dense, 3, 1.0), dense);
  KZ_EXPECT_REFUSED(false, v.IncrementPart(dense, -1, 1.0), dense);
  KZ_EXPECT_REFUSED(false, v.IncrementPart(dense, INT_MAX, 1.0), dense);

  // offset + minimum size is formed in 64 bits: INT_MAX + INT_MAX does not wrap.
  const std::vector<int> far = {INT_MAX - 1};
  const std::vector<double> one = {1};
  const KzSparseVector w(far, one);
  ASSERT_TRUE(w.IsValid());
  KZ_EXPECT_REFUSED(kMiss, w.InnerProductWithPart(dense, INT_MAX), dense);
  KZ_EXPECT_REFUSED(false, w.IncrementPart(dense, INT_MAX, 1.0), dense);
}

TEST(KzSparseVector, ConvertToRegularVector) {
  const std::vector<int> idx = {1, 4};
  const std::vector<double> val = {0.5, -2};
  const KzSparseVector v(idx, val);
  std::vector<double> longer(8, 9.0);
  EXPECT_EQ(v.ConvertToRegularVector(longer), 8);
  EXPECT_EQ(longer, (std::vector<double>{0, 0.5, 0, 0, -2, 0, 0, 0}));
  std::vector<double> shorter = {7, 7};
  EXPECT_EQ(v.ConvertToRegularVector(shorter), 5);
  EXPECT_EQ(shorter, (std::vector<double>{0, 0.5, 0, 0, -2}));
}

// Direct formula, fine for moderate predictors.
std::vector<double> Softmax(const std::vector<double>& eta) {
  double denom = 1.0;
  for (double e : eta) denom += std::exp(e);
  std::vector<double> p;
  p.reserve(eta.size() + 1);
  for (double e : eta) p.push_back(std::exp(e) / denom);
  p.push_back(1.0 / denom);
  return p;
}

TEST(KzSparseVector, ProbabilitiesAgreeWithTheDirectFormula) {
  // x = (1, 0, 0.5, -1) over a block of 4; three categories, the last the reference.
  const std::vector<int> idx = {0, 2, 3};
  const std::vector<double> val = {1, 0.5, -1};
  const KzSparseVector x(idx, val);
  const std::vector<double> coef = kztest::RandomVector(8, 20261207u);
  const std::vector<double> eta = {coef[0] + 0.5 * coef[2] - coef[3],
                                   coef[4] + 0.5 * coef[6] - coef[7]};
  std::vector<double> probs;
  double logRef = 0;
  ASSERT_TRUE(x.ComputeProbabilities(coef, 3, 4, probs, logRef));
  KZ_EXPECT_VEC_REL(Softmax(eta), probs, kztest::ToDouble(kztest::Tol::k16Eps));
  KZ_EXPECT_REL(std::log(Softmax(eta)[2]), logRef, kztest::ToDouble(kztest::Tol::k16Eps));
  KZ_EXPECT_REL(1.0, probs[0] + probs[1] + probs[2], kztest::ToDouble(kztest::Tol::k16Eps));

  // A longer output keeps its tail; a shorter one grows to K.
  std::vector<double> longer(5, 9.0);
  ASSERT_TRUE(x.ComputeProbabilities(coef, 3, 4, longer, logRef));
  EXPECT_EQ(longer[3], 9.0);
  EXPECT_EQ(longer[4], 9.0);
}

TEST(KzSparseVector, ProbabilitiesOfEqualPredictorsAndOneCategory) {
  const std::vector<int> idx = {0};
  const std::vector<double> val = {1};
  const KzSparseVector x(idx, val);
  std::vector<double> probs;
  double logRef = 7;
  ASSERT_TRUE(x.ComputeProbabilities({0, 0}, 3, 1, probs, logRef));
  EXPECT_EQ(probs, (std::vector<double>(3, 1.0 / 3)));
  EXPECT_EQ(logRef, -std::log(3.0));
  ASSERT_TRUE(x.ComputeProbabilities({}, 1, 1, probs, logRef));
  EXPECT_EQ(probs[0], 1.0);
  EXPECT_EQ(logRef, 0.0);
}

TEST(KzSparseVector, ProbabilitiesStayFiniteForExtremePredictors) {
  const std::vector<int> idx = {0};
  const std::vector<double> val = {1};
  const KzSparseVector x(idx, val);
  std::vector<double> probs;
  double logRef = 0;
  // eta = (1000, 999): exp(1000) overflows, the shifted form does not.
  ASSERT_TRUE(x.ComputeProbabilities({1000, 999}, 3, 1, probs, logRef));
  const double tol = kztest::ToDouble(kztest::Tol::k16Eps);
  // The Part's shifted exponent eta - g - h subtracts h = 709.31...: its
  // rounding is a few ulps of 709 (1.1e-13 each), which exp turns into a
  // relative error of that size in the probability.
  const double shiftedTol = kztest::ToDouble(kztest::Tol::k4096Eps);
  KZ_EXPECT_REL(1.0 / (1.0 + std::exp(-1.0)), probs[0], shiftedTol);
  KZ_EXPECT_REL(std::exp(-1.0) / (1.0 + std::exp(-1.0)), probs[1], shiftedTol);
  EXPECT_EQ(probs[2], 0.0);  // exp(-1000.3) is below the cut-off
  KZ_EXPECT_REL(-(1000.0 + std::log1p(std::exp(-1.0))), logRef, tol);

  // eta = (-1000, -2000): the reference category takes everything.
  ASSERT_TRUE(x.ComputeProbabilities({-1000, -2000}, 3, 1, probs, logRef));
  EXPECT_EQ(probs, (std::vector<double>{0, 0, 1}));
  EXPECT_EQ(logRef, 0.0);

  // Mixed extremes: eta = (800, -800).
  ASSERT_TRUE(x.ComputeProbabilities({800, -800}, 3, 1, probs, logRef));
  EXPECT_EQ(probs[0], 1.0);
  EXPECT_EQ(probs[1], 0.0);
  EXPECT_EQ(probs[2], 0.0);
  KZ_EXPECT_REL(-800.0, logRef, tol);
}

TEST(KzSparseVector, ProbabilitiesRefuseBadArgumentsAndNonFinitePredictors) {
  const std::vector<int> idx = {0, 2};
  const std::vector<double> val = {1, 1};
  const KzSparseVector x(idx, val);  // minimum dense size 3
  const std::vector<double> coef = {1, 2, 3, 4, 5, 6};
  std::vector<double> probs = {0.5, 0.5};
  double logRef = -1;
  KZ_EXPECT_REFUSED(false, x.ComputeProbabilities(coef, 0, 3, probs, logRef), probs, logRef);
  KZ_EXPECT_REFUSED(false, x.ComputeProbabilities(coef, -2, 3, probs, logRef), probs, logRef);
  KZ_EXPECT_REFUSED(false, x.ComputeProbabilities(coef, 3, 0, probs, logRef), probs, logRef);
  KZ_EXPECT_REFUSED(false, x.ComputeProbabilities(coef, 3, 2, probs, logRef), probs, logRef);
  KZ_EXPECT_REFUSED(false, x.ComputeProbabilities(coef, 4, 3, probs, logRef), probs, logRef);
  KZ_EXPECT_REFUSED(false, x.ComputeProbabilities(coef, INT_MAX, INT_MAX, probs, logRef), probs,
                    logRef);
  for (double bad : {kInf, -kInf, kNaN}) {
    std::vector<double> c = coef;
    c[5] = bad;  // the second block's predictor
    KZ_EXPECT_REFUSED(false, x.ComputeProbabilities(c, 3, 3, probs, logRef), probs, logRef);
  }
  // Finite coefficients whose predictor overflows.
  const std::vector<double> huge = {1e308, 0, 1e308, 0, 0, 0};
  KZ_EXPECT_REFUSED(false, x.ComputeProbabilities(huge, 3, 3, probs, logRef), probs, logRef);
  EXPECT_TRUE(x.ComputeProbabilities(coef, 3, 3, probs, logRef));
}

using SparseDisplayTest = kztest::DisplayCaptureTest;

TEST_F(SparseDisplayTest, Display) {
  const std::vector<int> idx = {1, 4};
  const std::vector<double> val = {0.5, -2};
  KzSparseVector(idx, val).Display();
  EXPECT_EQ(capture.Take(),
            "\nKzSparseVector display start"
            "\nNumber of sparse vector elements = 2"
            "\nVector of indices (size = 2)\n  1 4"
            "\nVector of values (size = 2)\n  0.5 -2"
            "\nValidity indicator = true"
            "\nKzSparseVector display end");
  const std::vector<int> noIdx;
  const std::vector<double> noVal;
  KzSparseVector(noIdx, noVal).Display();
  EXPECT_EQ(capture.Take(),
            "\nKzSparseVector display start"
            "\nNumber of sparse vector elements = 0"
            "\nVector of indices (size = 0)"
            "\nVector of values (size = 0)"
            "\nValidity indicator = false"
            "\nKzSparseVector display end");
}

}  // namespace

// A view of temporaries would dangle: the constructor refuses them.
static_assert(!std::is_constructible_v<KzSparseVector, std::vector<int>, std::vector<double>>);
static_assert(
    !std::is_constructible_v<KzSparseVector, const std::vector<int>&, std::vector<double>>);
static_assert(
    !std::is_constructible_v<KzSparseVector, std::vector<int>, const std::vector<double>&>);
static_assert(
    std::is_constructible_v<KzSparseVector, const std::vector<int>&, const std::vector<double>&>);
static_assert(!std::is_copy_assignable_v<KzSparseVector>);
