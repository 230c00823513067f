// Univariate summaries: small worked cases, weights, pooling in groupings,
// refusals, and the NIST StRD univariate datasets against their certified
// mean and standard deviation.

#include "kzcommon12r/math/stats/KzContStats.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <limits>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "kzcommon12r/common/KzMV.h"
#include "support/KzDisplayCapture.h"

namespace {

using KzMath_1_2::KzContStats;
const double kMiss = KzCommon_1_2::KzMV::gMissingValue;

TEST(KzContStats, OneTwoThree) {
  KzContStats s;
  for (double x : {1.0, 2.0, 3.0}) ASSERT_TRUE(s.Update(x));
  EXPECT_EQ(s.GetMean(), 2.0);
  EXPECT_EQ(s.GetVariance(), 1.0);
  EXPECT_EQ(s.GetExtrema(), std::make_pair(1.0, 3.0));
  EXPECT_EQ(s.GetSumFreqWeights(), 3.0);
}

TEST(KzContStats, EmptyAndSingleCase) {
  KzContStats s;
  EXPECT_EQ(s.GetMean(), kMiss);
  EXPECT_EQ(s.GetVariance(), kMiss);
  EXPECT_EQ(s.GetExtrema(), std::make_pair(kMiss, kMiss));
  s.Update(-4.5);
  EXPECT_EQ(s.GetMean(), -4.5);
  EXPECT_EQ(s.GetVariance(), kMiss);  // one case: no variance
  EXPECT_EQ(s.GetExtrema(), std::make_pair(-4.5, -4.5));
}

// Frequency weights count cases for the variance; case weights only shape the
// mean and the sum of squares; weights <= 0 count as 1.
TEST(KzContStats, Weights) {
  KzContStats w;
  w.Update(1.0, 2.0, 1.0);
  w.Update(4.0, 1.0, 0.0);
  KzContStats rep;
  for (double x : {1.0, 1.0, 4.0}) rep.Update(x);
  EXPECT_EQ(w.GetMean(), rep.GetMean());
  EXPECT_EQ(w.GetVariance(), rep.GetVariance());
  KzContStats c;
  c.Update(0.0, 1.0, 3.0);  // composite weight 3
  c.Update(4.0, -2.0, 1.0);  // frequency weight -2 counts 1
  EXPECT_EQ(c.GetSumFreqWeights(), 2.0);
  EXPECT_EQ(c.GetSumCompositeWeights(), 4.0);
  EXPECT_EQ(c.GetMean(), 1.0);
  EXPECT_EQ(c.GetSSQ(), 3.0 * 1.0 / 4.0 * 16.0);
  EXPECT_EQ(c.GetVariance(), c.GetSSQ() / 1.0);
}

TEST(KzContStats, RefusalsLeaveTheSummaryUnchanged) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  KzContStats s;
  s.Update(2.0, 3.0, 0.5);
  const KzContStats before(s);
  EXPECT_FALSE(s.Update(kMiss));
  EXPECT_FALSE(s.Update(nan));
  EXPECT_FALSE(s.Update(inf));
  EXPECT_FALSE(s.Update(1.0, kMiss, 1.0));
  EXPECT_FALSE(s.Update(1.0, 1.0, kMiss));
  EXPECT_FALSE(s.Update(1.0, nan, 1.0));
  EXPECT_FALSE(s.Update(1.0, 1.0, inf));
  EXPECT_EQ(s.GetMean(), before.GetMean());
  EXPECT_EQ(s.GetSSQ(), before.GetSSQ());
  EXPECT_EQ(s.GetSumFreqWeights(), before.GetSumFreqWeights());
  EXPECT_EQ(s.GetSumCompositeWeights(), before.GetSumCompositeWeights());
  EXPECT_EQ(s.GetExtrema(), before.GetExtrema());
}

TEST(KzContStats, PoolingInGroupingsMatchesOneSequence) {
  std::mt19937_64 gen(99);
  std::normal_distribution<double> nd(1e6, 3.0);
  std::uniform_real_distribution<double> uw(0.5, 2.0);
  std::vector<double> x(500), w(500);
  for (std::size_t i = 0; i < x.size(); ++i) {
    x[i] = nd(gen);
    w[i] = uw(gen);
  }
  KzContStats all;
  for (std::size_t i = 0; i < x.size(); ++i) all.Update(x[i], 1.0, w[i]);
  for (std::size_t parts : {2u, 3u, 7u, 500u}) {
    std::vector<KzContStats> p(parts);
    for (std::size_t i = 0; i < x.size(); ++i) p[i % parts].Update(x[i], 1.0, w[i]);
    KzContStats pooled;
    for (const auto& q : p) pooled.Pool(q);
    EXPECT_NEAR(pooled.GetMean(), all.GetMean(), 1e-15 * 1e6) << parts;
    EXPECT_NEAR(pooled.GetVariance(), all.GetVariance(), 1e-12 * all.GetVariance()) << parts;
    EXPECT_EQ(pooled.GetExtrema(), all.GetExtrema());
    EXPECT_EQ(pooled.GetSumFreqWeights(), 500.0);
  }
  // Self-pooling doubles every count and keeps the mean.
  KzContStats twice(all);
  twice.Pool(twice);
  EXPECT_EQ(twice.GetMean(), all.GetMean());
  EXPECT_EQ(twice.GetSSQ(), 2 * all.GetSSQ());
  // Empty partners.
  KzContStats empty, copy(all);
  copy.Pool(empty);
  EXPECT_EQ(copy.GetSSQ(), all.GetSSQ());
  empty.Pool(all);
  EXPECT_EQ(empty.GetSSQ(), all.GetSSQ());
  EXPECT_EQ(empty.GetMean(), all.GetMean());
}

TEST(KzContStats, Display) {
  kztest::DisplayCapture capture;
  KzContStats s;
  s.Update(1.0, 2.0, 1.5);
  s.Update(3.0);
  s.Display();
  EXPECT_EQ(capture.Text(),
            "\nKzContStats"
            "\nMin & max"
            "\n  1 3"
            "\nSum of freq. wgts, composite wgts"
            "\n  3 4"
            "\nMean = 1.5"
            "\nSSQ = 3");
}

// ----- NIST StRD univariate summary statistics -----

struct NistData {
  std::vector<double> y;
  double mean = 0;
  double sd = 0;
};

// The build passes the data folder of the source tree (the test environment's
// KZ_TEST_DATA_DIR is set relative to each test folder).
std::string DataDir() { return KZ_MEANS_DATA_DIR; }

// Certified values in the header ("ybar:" and "s:" lines), the values after
// "Data: Y" and its rule line.
bool ReadNist(const std::string& name, NistData& out) {
  std::ifstream in(DataDir() + "/nist/" + name + ".dat");
  if (!in) return false;
  std::string line;
  bool inData = false;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (inData) {
      if (line.find_first_of("0123456789") == std::string::npos) continue;
      out.y.push_back(std::strtod(line.c_str(), nullptr));
    } else if (line.rfind("Sample Mean", 0) == 0) {
      out.mean = std::strtod(line.c_str() + line.find("ybar:") + 5, nullptr);
    } else if (line.rfind("Sample Standard Deviation", 0) == 0) {
      out.sd = std::strtod(line.c_str() + line.find("s:") + 2, nullptr);
    } else if (line.rfind("Data: Y", 0) == 0) {
      std::getline(in, line);  // the rule under the heading
      inData = true;
    }
  }
  return !out.y.empty();
}

// Log relative error: the number of correct significant digits, 15 for an
// exact result (the certified values carry 15).
double Lre(double got, double certified) {
  if (got == certified) return 15.0;
  const double lre = -std::log10(std::fabs(got - certified) / std::fabs(certified));
  return lre > 15.0 ? 15.0 : lre;
}

// The certified values belong to the decimal data. Mavro and Michelso carry
// five to six significant digits around a mean thousands of standard
// deviations from 0, so reading them into doubles (each off by up to half an
// ulp) moves their standard deviation at the 13th to 14th digit: the exact
// standard deviation of the doubles themselves (rational arithmetic, then
// mpmath at 40 digits) is the second reference, to be met to 14 digits.
TEST(KzContStats, NistUnivariateCertifiedValues) {
  struct Row {
    const char* name;
    std::size_t count;
    double minDigits;
    double sdOfDoubles;
  };
  const Row rows[] = {{"Lew", 200, 13, 277.33216804431614},
                      {"Lottery", 218, 13, 291.69972747096908},
                      {"Mavro", 50, 13, 0.00042912345400308541},
                      {"Michelso", 100, 13, 0.079010547819050667},
                      {"NumAcc1", 3, 15, 1.0},
                      {"PiDigits", 5000, 13, 2.8673390602887081}};
  for (const Row& r : rows) {
    NistData d;
    ASSERT_TRUE(ReadNist(r.name, d)) << r.name;
    ASSERT_EQ(d.y.size(), r.count) << r.name;
    KzContStats s;
    for (double v : d.y) ASSERT_TRUE(s.Update(v));
    const double sd = std::sqrt(s.GetVariance());
    const double meanDigits = Lre(s.GetMean(), d.mean);
    const double sdDigits = Lre(sd, d.sd);
    std::cout << "[ NIST     ] " << r.name << ": mean " << meanDigits << " digits, sd " << sdDigits
              << " digits (" << Lre(sd, r.sdOfDoubles) << " against the doubles' own sd)\n";
    EXPECT_GE(meanDigits, r.minDigits) << r.name;
    EXPECT_GE(sdDigits, r.minDigits) << r.name;
    EXPECT_GE(Lre(sd, r.sdOfDoubles), 14.0) << r.name;
  }
}

}  // namespace
