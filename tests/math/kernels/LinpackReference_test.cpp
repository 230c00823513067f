// Bit-for-bit agreement with the published LINPACK routines (DGECO/DGESL
// and DSPCO/DSPSL, versions dated 08/14/78) compiled with gfortran 12 -O2
// -ffp-contract=off and linked with the reference BLAS 3.11. The numbers below
// are the outputs of those routines on the inputs built by GeneralInput and
// PackedInput; every factor element, pivot, work vector, rcond and solution
// must match exactly, which holds only if each step and each sum is carried
// out in the published order.

#include <gtest/gtest.h>

#include <cstddef>
#include <iterator>
#include <vector>

#include "kzcommon12r/math/kernels/Linpack.h"
#include "math/kernels/KernelsOracle.h"

using KzMath_1_2::Linpack;
using kztest::SameBits;
using Vec = std::vector<double>;

namespace {

// Published LINPACK outputs (hexadecimal floating point).
// clang-format off
const double kGeRcond[] = {0x1.a04fbc65e5e21p-8};
const int kGePivots[] = {5, 6, 7, 6, 6, 6, 7};
const double kGeFactor[] = {
    0x1.58p+1, 0x1.c47711dc47712p-2, -0x1.a0be82fa0be83p-1, -0x1.05f417d05f418p-1,
    0x1.d05f417d05f41p-1, 0x1.1dc47711dc477p-4, 0x1.653594d653595p-2, -0x1.2p-1,
    -0x1.9505f417d05f4p+1, -0x1.8def4d4234724p-2, -0x1.33635db8bd16fp-1, -0x1.6f5c4f7e2d64p-2,
    0x1.bde9a8468e49ap-3, 0x1.9d38cc2437f97p-1, -0x1.8p-3, -0x1.39aca6b29aca7p+1,
    -0x1.26c3e8f3a7199p+2, -0x1.f01650a2f202fp-4, -0x1.5fb0d9c9c37b9p-3, -0x1.ad65c47738c61p-5,
    -0x1.7236dca773a69p-3, -0x1.4p+1, 0x1.b3594d653594dp+0, 0x1.480d2ba083b44p+1,
    -0x1.df32400daf66ep+1, -0x1.1ac667e5eec0bp-1, 0x1.9d12ffba6dfabp-2, 0x1.41264bea3f9dp-1,
    -0x1.3p+0, -0x1.729aca6b29acap+1, -0x1.44107688a4a16p+2, -0x1.b1e1d094a5bdcp+1,
    0x1.09deac53e546bp+2, -0x1.eef13c6cefd67p-1, -0x1.72780029de0a3p-1, -0x1.48p+1,
    0x1.211dc47711dc4p+1, -0x1.1114942acdc9bp+1, 0x1.f15542d069584p-1, 0x1.7aef37db2078p+0,
    -0x1.8311aee813daap+2, 0x1.a99e48b115025p-3, -0x1.4p-2, -0x1.5594d653594d6p+0,
    -0x1.5f96a2fbe25dep+0, 0x1.3a5a8e420ec6dp+1, 0x1.3b8d02c4ca9bdp+2, -0x1.80417fdf078b1p+2,
    -0x1.01e8323826adcp-1};
const double kGeZ[] = {
    0x1.ccc5250110dbdp-6, 0x1.3d44120820e38p-3, -0x1.f1cb739ebb647p-3, -0x1.55c13696f64c1p-3,
    0x1.dff04b43c491p-4, 0x1.23d36226e2f83p-3, -0x1.2dcb1759460ffp-3};
const double kGeSolve[] = {
    -0x1.b617d9ec6d7dp-7, -0x1.6dca6a3528458p+1, 0x1.f9b0880c682e7p+0, 0x1.37076ef79a9b8p+1,
    -0x1.6f80820f14b29p+1, -0x1.6f80820f14b2cp+1, 0x1.6dca6a3528457p+1};
const double kGeSolveTrans[] = {
    -0x1.ce0d27d75b49ep+1, -0x1.af3f7a84bb9a4p+0, -0x1.0e4757024cb05p+3, 0x1.12210caca0a64p+3,
    -0x1.ce0d27d75b496p-1, -0x1.ce0d27d75b498p-1, 0x1.ce0d27d75b4a4p-1};
const double kSpRcond[] = {0x1.5bcd98b14f459p-7};
const int kSpPivots[] = {1, 1, 3, 4, 2, 6, 5, -6, -6};
const double kSpFactor[] = {
    0x1.6ee3e260b9f82p+0, -0x1.d3d9d0de7a1bcp-3, 0x1.eb761daf8341bp+3, -0x1.7d737b6c877b9p+0,
    -0x1.a447f86b79ce7p-1, -0x1.59f7ed1a20933p+3, 0x1.769f924102011p-1, 0x1.9e854bb52765p-2,
    -0x1.2e2ac31c4c4f4p+0, -0x1.2e1dc5c239345p+2, 0x1.1fce3dca6d96p-1, 0x1.b8e470ee293e1p-1,
    0x1.07cd01e82b574p+0, -0x1.7b125c95eb2e9p-3, 0x1.15032ee55fe8p+3, 0x1.3930d39aa9d3ep+1,
    0x1.630f0650744acp+0, 0x1.0f52a0e4df5cfp+1, 0x1.0f52a0e4df5cep+0, 0x1.c9d196b8e8a81p+0,
    0x1.95b441fa33de6p+0, -0x1.9316e849f2561p-2, -0x1.fc2e9e579c554p-1, 0x1.951951951951ap-3,
    -0x1.9ab9ab9ab9abap-2, 0x1.2a4c5ba127c96p+0, -0x1.dfd96b4d9046dp-3, -0x1.b1b3bea3677d4p+2,
    -0x1.b3bea3677d46dp-3, 0x1.5c9882b931057p-5, 0x1.310572620ae4cp-2, 0x1.1b3bea3677d47p-1,
    0x1.9df51b3bea367p-1, -0x1.f51b3bea3677dp-2, -0x1.7d46cefa8d9dfp-1, 0x0p+0, 0x0p+0,
    -0x1.882b931057262p-3, -0x1.882b931057262p-2, -0x1.2620ae4c415cap-1, -0x1.882b931057262p-1,
    -0x1.310572620ae4cp-2, 0x1.9df51b3bea367p-2, -0x1.78p+2, 0x0p+0};
const double kSpZ[] = {
    0x1.ff10f6462b75dp-6, -0x1.0980c2367bd35p-8, 0x1.c39b42ecd9e2dp-4, -0x1.3fa644098ab33p-3,
    -0x1.2623f4739c935p-4, 0x1.f45d1c1b84691p-4, -0x1.6ada21ffa198ap-3, -0x1.dae1a948b4e4fp-3,
    0x1.86c3442b5024ep-4};
const double kSpSolve[] = {
    -0x1.c0fe2379ccc3ep+0, 0x1.bab78588946cdp-2, -0x1.0e70be2892df1p+2, 0x1.9912115263871p+2,
    0x1.caed6a8bc6d44p+1, -0x1.ad5a0755d4136p+2, 0x1.02bc5f4eb9dc2p+3, 0x1.34d9c7759eb84p+3,
    -0x1.60a6718d60ab4p+2};
// clang-format on

// 7 x 7, column-major; entries are multiples of 1/16, so exact in binary.
Vec GeneralInput(int n) {
  Vec a(static_cast<std::size_t>(n) * n);
  for (int j = 0; j < n; ++j)
    for (int i = 0; i < n; ++i)
      a[static_cast<std::size_t>(j) * n + i] =
          ((i * i * 17 + j * j * 29 + i * j * 5 + 3 * i + 11) % 101 - 50) / 16.0;
  return a;
}

// Order 9, packed; zero diagonal except every third row, so the elimination
// needs interchanges and a 2-by-2 block.
Vec PackedInput(int n) {
  Vec s(static_cast<std::size_t>(n) * (n + 1) / 2);
  for (int i = 0; i < n; ++i)
    for (int j = 0; j <= i; ++j)
      s[static_cast<std::size_t>(i) * (i + 1) / 2 + j] =
          (i == j && i % 3 != 1) ? 0.0 : ((i * 29 + j * 53 + i * j * 7) % 97 - 48) / 8.0;
  return s;
}

template <std::size_t N>
void ExpectSameBits(const double (&expected)[N], const Vec& actual, const char* what) {
  ASSERT_EQ(actual.size(), N) << what;
  for (std::size_t i = 0; i < N; ++i)
    EXPECT_TRUE(SameBits(expected[i], actual[i]))
        << what << "[" << i << "]: " << actual[i] << " vs " << expected[i];
}

TEST(LinpackReference, DgecoAndDgeslReproduceThePublishedRoutines) {
  const int n = 7;
  Vec a = GeneralInput(n), z(n);
  std::vector<int> ipvt(n);
  const double rcond = Linpack::Dgeco(a.data(), n, n, ipvt.data(), z.data());
  EXPECT_TRUE(SameBits(rcond, kGeRcond[0])) << rcond;
  EXPECT_EQ(ipvt, std::vector<int>(std::begin(kGePivots), std::end(kGePivots)));
  ExpectSameBits(kGeFactor, a, "factor");
  ExpectSameBits(kGeZ, z, "z");
  for (int job : {0, 1}) {
    Vec b(n);
    for (int i = 0; i < n; ++i) b[static_cast<std::size_t>(i)] = i + 1;
    Linpack::Dgesl(a.data(), n, n, ipvt.data(), b.data(), job);
    if (job == 0) {
      ExpectSameBits(kGeSolve, b, "solve");
    } else {
      ExpectSameBits(kGeSolveTrans, b, "transposed solve");
    }
  }
}

TEST(LinpackReference, DspcoAndDspslReproduceThePublishedRoutines) {
  const int n = 9;
  Vec ap = PackedInput(n), z(n);
  std::vector<int> kpvt(n);
  const double rcond = Linpack::Dspco(ap.data(), n, kpvt.data(), z.data());
  EXPECT_TRUE(SameBits(rcond, kSpRcond[0])) << rcond;
  EXPECT_EQ(kpvt, std::vector<int>(std::begin(kSpPivots), std::end(kSpPivots)));
  ExpectSameBits(kSpFactor, ap, "factor");
  ExpectSameBits(kSpZ, z, "z");
  Vec b(n);
  for (int i = 0; i < n; ++i) b[static_cast<std::size_t>(i)] = i + 1;
  Linpack::Dspsl(ap.data(), n, kpvt.data(), b.data());
  ExpectSameBits(kSpSolve, b, "solve");
}

}  // namespace
