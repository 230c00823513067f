// Provisional means and cross-products: the worked example, agreement with a
// long double two-pass oracle (weights, removals, merging in any grouping),
// bit-identity of the blocked update with the case-by-case formulas, refusals.

#include "kzcommon12r/math/stats/KzMeansXProdData.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <numeric>
#include <random>
#include <string>
#include <vector>

#include "kzcommon12r/math/matrix/KzSymMatrix.h"
#include "math/stats/KzMeansOracle.h"
#include "support/KzDisplayCapture.h"

namespace {

using KzMath_1_2::KzMeansXProdData;
using kztest::AccState;
using kztest::RandomCases;
using kztest::TwoPass;
using kztest::WeightedCase;

// The case-by-case formulas written out plainly, in the order the library
// promises; the library's blocked path must reproduce them bit for bit.
struct PlainProvisionalMeans {
  int n;
  bool intercept;
  double w = 0.0;
  std::vector<double> mean;
  std::vector<double> x;

  PlainProvisionalMeans(int nVars, bool icpt)
      : n(nVars),
        intercept(icpt),
        mean(static_cast<std::size_t>(nVars), 0.0),
        x(static_cast<std::size_t>(nVars) * (nVars + 1) / 2, 0.0) {}
  void UpdateXX(const std::vector<double>& v, double f) {
    std::vector<double> d(mean.size());
    for (std::size_t j = 0; j < d.size(); ++j) d[j] = intercept ? v[j] - mean[j] : v[j];
    std::size_t k = 0;
    for (std::size_t j = 0; j < d.size(); ++j) {
      for (std::size_t l = 0; l <= j; ++l, ++k) x[k] = (d[j] * f) * d[l] + x[k];
    }
  }
  void Add(const std::vector<double>& v, double wc) {
    UpdateXX(v, intercept ? w * wc / (w + wc) : wc);
    for (std::size_t i = 0; i < mean.size(); ++i) mean[i] = wc / (w + wc) * (v[i] - mean[i]) + mean[i];
    w = w + wc;
  }
  void Delete(const std::vector<double>& v, double wc) {
    const double d = w - wc;
    for (std::size_t i = 0; i < mean.size(); ++i) mean[i] = (-(wc / d)) * v[i] + (w / d) * mean[i];
    UpdateXX(v, intercept ? -(d * wc / w) : -wc);
    w = d;
  }
  void ExpectSameBits(const KzMeansXProdData& acc) const {
    ASSERT_EQ(acc.GetNCases(), w);
    for (std::size_t i = 0; i < mean.size(); ++i) ASSERT_EQ(acc.GetMeans()[i], mean[i]) << i;
    const auto& got = acc.GetXProds().AsVectorConst();
    ASSERT_EQ(got.size(), x.size());
    for (std::size_t k = 0; k < x.size(); ++k) {
      // Compared through their bit patterns: -0 and +0 must agree too.
      ASSERT_EQ(AccBits(got[k]), AccBits(x[k])) << "packed element " << k;
    }
  }
  static std::uint64_t AccBits(double v) {
    std::uint64_t u;
    std::memcpy(&u, &v, sizeof u);
    return u;
  }
};

TEST(KzMeansXProdData, WorkedExampleAddThenDelete) {
  KzMeansXProdData acc(2, true);
  EXPECT_TRUE(acc.AddCase({1, 2}, 1));
  EXPECT_TRUE(acc.AddCase({3, 6}, 1));
  EXPECT_EQ(acc.GetNCases(), 2);
  EXPECT_EQ(acc.GetMeans(), (std::vector<double>{2, 4}));
  EXPECT_EQ(acc.GetXProds().AsVectorConst(), (std::vector<double>{2, 4, 8}));
  EXPECT_TRUE(acc.DeleteCase({3, 6}, 1));
  EXPECT_EQ(acc.GetNCases(), 1);
  EXPECT_EQ(acc.GetMeans(), (std::vector<double>{1, 2}));
  EXPECT_EQ(acc.GetXProds().AsVectorConst(), (std::vector<double>{0, 0, 0}));
}

TEST(KzMeansXProdData, WithoutInterceptKeepsRawSums) {
  KzMeansXProdData acc(2, false);
  acc.AddCase({1, 2}, 2);
  acc.AddCase({3, 6}, 1);
  EXPECT_EQ(acc.GetXProds().AsVectorConst(), (std::vector<double>{2 + 9, 4 + 18, 8 + 36}));
  EXPECT_DOUBLE_EQ(acc.GetMeans()[0], 5.0 / 3.0);
  acc.DeleteCase({1, 2}, 2);
  EXPECT_EQ(acc.GetXProds().AsVectorConst(), (std::vector<double>{9, 18, 36}));
  EXPECT_DOUBLE_EQ(acc.GetMeans()[0], 3.0);
  EXPECT_DOUBLE_EQ(acc.GetMeans()[1], 6.0);
}

// The blocked sweep against the plain formulas, across the register chunk (16),
// tile (64) and case block (32) boundaries, with removals interleaved, and with
// the matrix read after every case (blocks of one) or only at the end.
TEST(KzMeansXProdData, BlockedPathIsBitIdenticalToCaseByCase) {
  struct Row {
    int n;
    int cases;
    bool intercept;
    bool weighted;
  };
  const Row rows[] = {{1, 5, true, false},    {2, 33, true, true},    {15, 31, false, true},
                      {16, 32, true, true},   {17, 65, true, false},  {63, 40, true, true},
                      {64, 64, false, false}, {65, 100, true, true},  {130, 70, true, true},
                      {200, 37, false, true}};
  for (const Row& r : rows) {
    for (bool readEveryCase : {false, true}) {
      SCOPED_TRACE("n = " + std::to_string(r.n) + ", cases = " + std::to_string(r.cases) +
                   ", intercept = " + std::to_string(r.intercept) +
                   ", read every case = " + std::to_string(readEveryCase));
      const auto cases = RandomCases(1000 + r.n, r.cases, r.n, 3.0, 0.25, r.weighted ? 4.0 : 0.0);
      KzMeansXProdData acc(r.n, r.intercept);
      PlainProvisionalMeans plain(r.n, r.intercept);
      std::mt19937 pick(7);
      for (std::size_t i = 0; i < cases.size(); ++i) {
        ASSERT_TRUE(acc.AddCase(cases[i].x, cases[i].w));
        plain.Add(cases[i].x, cases[i].w);
        // Every fifth case removes an earlier one.
        if (i % 5 == 4) {
          const auto& old = cases[pick() % (i - 1)];
          ASSERT_TRUE(acc.DeleteCase(old.x, old.w));
          plain.Delete(old.x, old.w);
          // Put it back so that every removal refers to a case present.
          ASSERT_TRUE(acc.AddCase(old.x, old.w));
          plain.Add(old.x, old.w);
        }
        if (readEveryCase) acc.GetXProds();
      }
      plain.ExpectSameBits(acc);
    }
  }
}

// Provisional means carry each mean to within a few ulps of |mean|, so the
// deviations and with them the cross-products are good to about
// eps * |mean| / sd relative: the tolerance of each row grows with the ratio of
// the offset of its data to their spread (about 1).
TEST(KzMeansXProdData, AgreesWithLongDoubleTwoPass) {
  struct Row {
    int n;
    int cases;
    double offset;  // variable i lies around offset * (i + 1)
    bool intercept;
    double wHi;  // 0: unit weights
    double tol;
  };
  const Row rows[] = {{1, 1, 0.0, true, 0.0, 1e-15},       {3, 2, 1.0, true, 3.0, 1e-14},
                      {5, 1000, 1.0, true, 0.0, 1e-13},    {5, 1000, 100.0, true, 5.0, 1e-11},
                      {40, 300, 10.0, true, 2.0, 1e-11},   {40, 300, 10.0, false, 2.0, 1e-13},
                      {70, 97, 1e3, true, 1.0, 1e-10},     {12, 5000, 1e4, true, 9.0, 1e-10}};
  for (const Row& r : rows) {
    SCOPED_TRACE("n = " + std::to_string(r.n) + ", cases = " + std::to_string(r.cases) +
                 ", offset = " + std::to_string(r.offset));
    const auto cases = RandomCases(42 + r.cases, r.cases, r.n, r.offset, 0.1, r.wHi);
    KzMeansXProdData acc(r.n, r.intercept);
    for (const auto& c : cases) ASSERT_TRUE(acc.AddCase(c.x, c.w));
    EXPECT_TRUE(kztest::MomentsNear(TwoPass(cases, r.n, r.intercept), acc, r.tol));
  }
}

TEST(KzMeansXProdData, RemovalsLeaveTheMomentsOfTheRemainingCases) {
  for (bool intercept : {true, false}) {
    const auto cases = RandomCases(5, 400, 9, 50.0, 0.1, 3.0);
    KzMeansXProdData acc(9, intercept);
    for (const auto& c : cases) acc.AddCase(c.x, c.w);
    std::vector<WeightedCase> kept;
    for (std::size_t i = 0; i < cases.size(); ++i) {
      if (i % 3 == 1) {
        ASSERT_TRUE(acc.DeleteCase(cases[i].x, cases[i].w));
      } else {
        kept.push_back(cases[i]);
      }
    }
    EXPECT_TRUE(kztest::MomentsNear(TwoPass(kept, 9, intercept), acc, 1e-11));
  }
}

TEST(KzMeansXProdData, RemovingTheLastCaseClears) {
  struct Row {
    std::vector<double> weights;  // added in order, then removed in reverse
  };
  const Row rows[] = {{{1.0}}, {{0.1, 0.2}}, {{0.7, 0.1, 0.2}}, {{1e-3, 3.3, 0.3}}};
  for (const Row& r : rows) {
    KzMeansXProdData acc(3, true);
    for (std::size_t i = 0; i < r.weights.size(); ++i) {
      acc.AddCase({double(i), 2.0 * i + 1, -3.0}, r.weights[i]);
    }
    for (std::size_t i = r.weights.size(); i-- > 0;) {
      ASSERT_TRUE(acc.DeleteCase({double(i), 2.0 * i + 1, -3.0}, r.weights[i]));
    }
    EXPECT_TRUE(AccState(acc) == AccState(KzMeansXProdData(3, true)))
        << "W = " << acc.GetNCases() << ", mean 0 = " << acc.GetMeans()[0];
  }
}

TEST(KzMeansXProdData, RefusalsLeaveTheAccumulatorUnchanged) {
  KzMeansXProdData acc(3, true);
  acc.AddCase({1, 2, 3}, 2.0);
  acc.AddCase({2, 0, 1}, 0.5);
  const AccState before(acc);
  const double inf = std::numeric_limits<double>::infinity();
  const double nan = std::numeric_limits<double>::quiet_NaN();
  EXPECT_FALSE(acc.AddCase({1, 2}, 1.0));         // shorter than n
  EXPECT_FALSE(acc.AddCase({1, 2, 3}, 0.0));      // the caller's w > 0 is checked
  EXPECT_FALSE(acc.AddCase({1, 2, 3}, -1.0));
  EXPECT_FALSE(acc.AddCase({1, 2, 3}, nan));
  EXPECT_FALSE(acc.AddCase({1, 2, 3}, inf));
  EXPECT_FALSE(acc.DeleteCase({1, 2}, 1.0));
  EXPECT_FALSE(acc.DeleteCase({1, 2, 3}, 3.0));   // more weight than there is
  EXPECT_FALSE(acc.DeleteCase({1, 2, 3}, -1.0));
  EXPECT_FALSE(acc.DeleteCase({1, 2, 3}, nan));
  EXPECT_FALSE(acc.SetNVars(-1));
  EXPECT_TRUE(AccState(acc) == before);
  EXPECT_TRUE(acc.SetNVars(4));
  EXPECT_TRUE(AccState(acc) == AccState(KzMeansXProdData(4, true)));
}

// Partial accumulators of one data set merged in several groupings give the
// moments of the whole; so do lists, with null entries skipped.
TEST(KzMeansXProdData, MergingInAnyGroupingGivesTheWhole) {
  for (bool intercept : {true, false}) {
    SCOPED_TRACE(intercept ? "intercept" : "no intercept");
    const int n = 6;
    const auto cases = RandomCases(77, 600, n, 20.0, 0.2, 2.0);
    const auto whole = TwoPass(cases, n, intercept);
    const std::vector<std::vector<std::size_t>> partitions = {
        {600}, {300, 300}, {1, 599}, {599, 1}, {100, 0, 250, 250}, {37, 63, 200, 150, 150}};
    for (const auto& sizes : partitions) {
      std::vector<KzMeansXProdData> parts;
      std::size_t at = 0;
      for (std::size_t s : sizes) {
        parts.emplace_back(n, intercept);
        for (std::size_t i = 0; i < s; ++i, ++at) parts.back().AddCase(cases[at].x, cases[at].w);
      }
      // Left to right into an empty accumulator that adopts the shape.
      KzMeansXProdData seq;
      for (const auto& p : parts) ASSERT_TRUE(seq.Merge(p));
      EXPECT_TRUE(kztest::MomentsNear(whole, seq, 1e-12));
      // Right to left, pairwise tree.
      std::vector<KzMeansXProdData> level(parts.rbegin(), parts.rend());
      while (level.size() > 1) {
        std::vector<KzMeansXProdData> next;
        for (std::size_t i = 0; i + 1 < level.size(); i += 2) {
          next.push_back(level[i]);
          ASSERT_TRUE(next.back().Merge(level[i + 1]));
        }
        if (level.size() % 2 == 1) next.push_back(level.back());
        level.swap(next);
      }
      EXPECT_TRUE(kztest::MomentsNear(whole, level[0], 1e-12));
      // One list with nulls between the entries.
      std::vector<const KzMeansXProdData*> list = {nullptr};
      for (const auto& p : parts) {
        list.push_back(&p);
        list.push_back(nullptr);
      }
      KzMeansXProdData viaList;
      ASSERT_TRUE(viaList.Merge(list));
      EXPECT_TRUE(kztest::MomentsNear(whole, viaList, 1e-12));
    }
  }
}

TEST(KzMeansXProdData, MergeEdgeCases) {
  KzMeansXProdData a(2, true);
  a.AddCase({1, 2}, 1);
  a.AddCase({3, 5}, 2);
  // Merging with itself doubles the weight and the sums of squares exactly.
  KzMeansXProdData twice(a);
  ASSERT_TRUE(twice.Merge(twice));
  EXPECT_EQ(twice.GetNCases(), 6);
  EXPECT_EQ(twice.GetMeans(), a.GetMeans());
  for (int k = 0; k < 3; ++k) {
    EXPECT_EQ(twice.GetXProds().AsVectorConst()[k], 2 * a.GetXProds().AsVectorConst()[k]);
  }
  // An empty partner changes nothing (combined weight of an empty pair: true).
  const AccState before(a);
  EXPECT_TRUE(a.Merge(KzMeansXProdData(2, true)));
  EXPECT_TRUE(AccState(a) == before);
  KzMeansXProdData e1(2, true), e2(2, true);
  EXPECT_TRUE(e1.Merge(e2));
  EXPECT_TRUE(AccState(e1) == AccState(KzMeansXProdData(2, true)));
  // Mismatches are refused.
  EXPECT_FALSE(a.Merge(KzMeansXProdData(3, true)));
  EXPECT_FALSE(a.Merge(KzMeansXProdData(2, false)));
  KzMeansXProdData b(2, false);
  b.AddCase({1, 1}, 1);
  std::vector<KzMeansXProdData*> bad = {&twice, &b};  // the second does not fit
  EXPECT_FALSE(a.Merge(bad));
  std::vector<const KzMeansXProdData*> none;
  EXPECT_FALSE(a.Merge(none));  // no reference: n 0 differs from 2
  std::vector<const KzMeansXProdData*> nulls = {nullptr, nullptr};
  EXPECT_FALSE(a.Merge(nulls));
  EXPECT_TRUE(AccState(a) == before);
  // An empty target adopts the other's shape, intercept included.
  KzMeansXProdData empty;
  ASSERT_TRUE(empty.Merge(b));
  EXPECT_FALSE(empty.IsIntercept());
  EXPECT_TRUE(AccState(empty) == AccState(b));
  KzMeansXProdData emptyFromList;
  std::vector<KzMeansXProdData*> one = {nullptr, &b};
  ASSERT_TRUE(emptyFromList.Merge(one));
  EXPECT_TRUE(AccState(emptyFromList) == AccState(b));
}

TEST(KzMeansXProdData, CopiesCarryPendingCases) {
  const auto cases = RandomCases(3, 45, 20, 1.0, 0.5, 1.5);
  KzMeansXProdData acc(20, true);
  for (const auto& c : cases) acc.AddCase(c.x, c.w);  // 13 cases still buffered
  const KzMeansXProdData copy(acc);
  KzMeansXProdData assigned(2, false);
  assigned.AddCase({1, 1}, 1);
  assigned = acc;
  EXPECT_TRUE(AccState(copy) == AccState(acc));
  EXPECT_TRUE(AccState(assigned) == AccState(acc));
  // Both continue identically.
  KzMeansXProdData a2(acc), c2(copy);
  a2.AddCase(cases[0].x, 2.0);
  c2.AddCase(cases[0].x, 2.0);
  EXPECT_TRUE(AccState(a2) == AccState(c2));
}

TEST(KzMeansXProdData, EmptyShapes) {
  KzMeansXProdData none;
  EXPECT_EQ(none.GetNVars(), 0);
  EXPECT_TRUE(none.IsIntercept());
  EXPECT_TRUE(none.AddCase({}, 2.0));  // no variables: only the weight counts
  EXPECT_EQ(none.GetNCases(), 2.0);
  EXPECT_EQ(none.GetXProds().GetNRows(), 0);
  KzMeansXProdData negative(-3, false);
  EXPECT_EQ(negative.GetNVars(), 0);
}

TEST(KzMeansXProdData, Display) {
  kztest::DisplayCapture capture;
  KzMeansXProdData acc(2, true);
  acc.AddCase({1, 2}, 1);
  acc.AddCase({3, 6}, 1);
  acc.Display();
  const std::string text = capture.Text();
  const std::string head =
      "\nKzMeansXProdData display start"
      "\nNumber of variables = 2"
      "\nIntercept indicator = true"
      "\nWeighted number of cases = 2"
      "\nVector of means (size = 2)"
      "\n  2 4"
      "\nMatrix of cross-products:";
  EXPECT_EQ(text.substr(0, head.size()), head);
  kztest::DisplayCapture matrixOnly;
  acc.GetXProds().Display();
  EXPECT_EQ(text.substr(head.size()), matrixOnly.Text() + "\nKzMeansXProdData display end");
}

}  // namespace
