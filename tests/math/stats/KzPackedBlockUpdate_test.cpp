// The blocked packed sweeps against the plain element-by-element loops, bit
// for bit, at both vector widths: every tail length of a tile row (orders up
// to two tiles and a half), blocks of 1 to 32 cases, a case stride wider than
// the order. The kernel is internal to the library, so its source is compiled
// into this test.

#include "kzcommon12r/math/stats/internal/KzPackedBlockUpdate.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <random>
#include <string>
#include <vector>

namespace {

namespace ksi = KzMath_1_2::KzStatsInternal;

std::uint64_t Bits(double v) {
  std::uint64_t u;
  std::memcpy(&u, &v, sizeof u);
  return u;
}

class PackedBlockSweep : public ::testing::TestWithParam<bool> {
 protected:
  void SetUp() override { ksi::UseBaselineSweep(GetParam()); }
  void TearDown() override { ksi::UseBaselineSweep(false); }
};

TEST_P(PackedBlockSweep, MatchesThePlainLoopsBitForBit) {
  std::mt19937_64 gen(314);
  std::uniform_real_distribution<double> u(-2.0, 2.0);
  for (int n = 1; n <= 160; n += (n < 70 ? 1 : 13)) {
    for (int nb : {1, 2, 5, 32}) {
      SCOPED_TRACE("n = " + std::to_string(n) + ", nb = " + std::to_string(nb));
      const std::size_t ldd = static_cast<std::size_t>(n) + 3;  // rows wider than n
      const std::size_t size = static_cast<std::size_t>(n) * (n + 1) / 2;
      std::vector<double> d(ldd * nb), t(static_cast<std::size_t>(n) * nb), w(nb), x0(size);
      for (auto& v : d) v = u(gen);
      for (auto& v : t) v = u(gen);
      for (auto& v : w) v = u(gen);
      for (auto& v : x0) v = 100.0 * u(gen);
      std::vector<double> outer(x0), weighted(x0), plainOuter(x0), plainWeighted(x0);
      ksi::PackedBlockScaledOuter(outer.data(), n, d.data(), ldd, t.data(), nb);
      ksi::PackedBlockWeightedProduct(weighted.data(), n, d.data(), ldd, t.data(), w.data(), nb);
      for (int b = 0; b < nb; ++b) {
        std::size_t k = 0;
        for (int j = 0; j < n; ++j) {
          for (int l = 0; l <= j; ++l, ++k) {
            const double tj = t[static_cast<std::size_t>(j) * nb + b];
            const double dl = d[static_cast<std::size_t>(b) * ldd + l];
            plainOuter[k] = tj * dl + plainOuter[k];
            plainWeighted[k] = (dl * tj) * w[b] + plainWeighted[k];
          }
        }
      }
      for (std::size_t k = 0; k < size; ++k) {
        ASSERT_EQ(Bits(outer[k]), Bits(plainOuter[k])) << "scaled outer, element " << k;
        ASSERT_EQ(Bits(weighted[k]), Bits(plainWeighted[k])) << "weighted, element " << k;
      }
    }
  }
}

TEST_P(PackedBlockSweep, EmptyShapesTouchNothing) {
  double x = 7.0;
  const double d = 1.0, t = 1.0, w = 1.0;
  ksi::PackedBlockScaledOuter(&x, 0, &d, 1, &t, 1);
  ksi::PackedBlockWeightedProduct(&x, 1, &d, 1, &t, &w, 0);
  EXPECT_EQ(x, 7.0);
}

INSTANTIATE_TEST_SUITE_P(Widths, PackedBlockSweep, ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool>& i) {
                           return i.param ? std::string("Baseline") : std::string("Widest");
                         });

}  // namespace
