// Blocked rank-k updates of a packed lower triangle, bit-identical to the
// sequence of rank-1 updates (BLAS DSPR order) they replace.
//
// Method: the triangle is visited in column tiles of kTile columns; within a
// tile, each row segment is cut into chunks of kMaxAcc vectors that are kept
// in registers while the block's cases are added in case order. Every element
// therefore sees exactly the sequence x = term_0 + x, x = term_1 + x, ... of
// the rank-1 path, each term formed by the same products, so the rounding is
// identical; only independent elements are interleaved. The arithmetic is
// elementwise IEEE multiplication and addition with no fused multiply-add
// (which would change the rounding), on two-wide vectors everywhere and on
// four-wide vectors where the processor has AVX2 (chosen once at run time).
//
// Cost: for a block of nb cases the triangle is read and written once instead
// of nb times, and each loaded element of a case vector feeds one
// multiply-add from the first-level cache, where the rank-1 update is bound by
// the bandwidth of the level that holds the whole triangle.

#include "kzcommon12r/math/stats/internal/KzPackedBlockUpdate.h"

#include <algorithm>
#include <cstring>

namespace KzMath_1_2 {
namespace KzStatsInternal {
namespace {

// Columns per tile: the block's case vectors restricted to one tile
// (kCaseBlock * kTile doubles, 16 KiB) stay in the first-level cache while the
// tile's rows are swept.
constexpr int kTile = 64;
// Vector accumulators per chunk: enough independent addition chains to hide
// the latency of the adder.
constexpr int kMaxAcc = 8;

namespace Baseline {
#define KZ_VEC_BYTES 16
#include "kzcommon12r/math/stats/internal/KzPackedBlockSweep.inc"
#undef KZ_VEC_BYTES
}  // namespace Baseline

#if defined(__GNUC__) && defined(__x86_64__)
#define KZ_HAVE_AVX2_SWEEP 1
#pragma GCC push_options
#pragma GCC target("avx2")
namespace Avx2 {
#define KZ_VEC_BYTES 32
#include "kzcommon12r/math/stats/internal/KzPackedBlockSweep.inc"
#undef KZ_VEC_BYTES

void SweepOuter(double* x, int n, const double* d, std::size_t ldd, const double* t, int nb) {
  Sweep<false>(x, n, d, ldd, t, nullptr, nb);
}
void SweepWeighted(double* x, int n, const double* d, std::size_t ldd, const double* t,
                   const double* w, int nb) {
  Sweep<true>(x, n, d, ldd, t, w, nb);
}
}  // namespace Avx2
#pragma GCC pop_options

bool HasAvx2() {
  static const bool avx2 = [] {
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx2") != 0;
  }();
  return avx2;
}
#endif

bool gBaselineOnly = false;

bool UseAvx2() {
#ifdef KZ_HAVE_AVX2_SWEEP
  return !gBaselineOnly && HasAvx2();
#else
  return false;
#endif
}

}  // namespace

void UseBaselineSweep(bool baseline) { gBaselineOnly = baseline; }

void PackedBlockScaledOuter(double* x, int n, const double* d, std::size_t ldd, const double* t,
                            int nb) {
  if (n <= 0 || nb <= 0) return;
#ifdef KZ_HAVE_AVX2_SWEEP
  if (UseAvx2()) {
    Avx2::SweepOuter(x, n, d, ldd, t, nb);
    return;
  }
#endif
  Baseline::Sweep<false>(x, n, d, ldd, t, nullptr, nb);
}

void PackedBlockWeightedProduct(double* x, int n, const double* d, std::size_t ldd,
                                const double* t, const double* w, int nb) {
  if (n <= 0 || nb <= 0) return;
#ifdef KZ_HAVE_AVX2_SWEEP
  if (UseAvx2()) {
    Avx2::SweepWeighted(x, n, d, ldd, t, w, nb);
    return;
  }
#endif
  Baseline::Sweep<true>(x, n, d, ldd, t, w, nb);
}

}  // namespace KzStatsInternal
}  // namespace KzMath_1_2
