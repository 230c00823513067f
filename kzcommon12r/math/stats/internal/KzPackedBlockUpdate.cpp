// Blocked rank-k updates of a packed lower triangle, bit-identical to the
// sequence of rank-1 updates (BLAS DSPR order) they replace.
//
// Method: the triangle is visited in column tiles of kTile columns; within a
// tile, each row segment is cut into chunks of up to kMaxAcc pairs of doubles
// that are kept in registers while the block's cases are added in case order.
// Every element therefore sees exactly the sequence x = term_0 + x,
// x = term_1 + x, ... of the rank-1 path, each term formed by the same
// products, so the rounding is identical; only independent elements are
// interleaved. Two-wide vectors are what every x86-64 processor offers; the
// arithmetic is elementwise IEEE multiplication and addition, with no fused
// multiply-add (which would change the rounding).
//
// Cost: for a block of nb cases the triangle is read and written once instead
// of nb times, and each loaded element of a case vector is used for one
// multiply-add, so the sweep runs from the first-level cache instead of the
// memory bandwidth that bounds the rank-1 update for large n.

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
// Register accumulators (pairs of doubles) per chunk: enough independent
// addition chains to hide the latency of the adder.
constexpr int kMaxAcc = 8;

typedef double V2 __attribute__((vector_size(16)));

inline V2 Load(const double* p) {
  V2 v;
  std::memcpy(&v, p, sizeof v);
  return v;
}
inline void Store(double* p, V2 v) { std::memcpy(p, &v, sizeof v); }

// Adds the block's terms to the 2*kAcc elements starting at xr (row j, column l);
// d points at column l of case 0, tj at row j's multipliers.
template <int kAcc, bool kWeighted>
inline void Chunk(double* xr, const double* d, std::size_t ldd, const double* tj,
                  const double* w, int nb) {
  V2 acc[kAcc];
  for (int i = 0; i < kAcc; ++i) acc[i] = Load(xr + 2 * i);
  for (int b = 0; b < nb; ++b) {
    const double* p = d + static_cast<std::size_t>(b) * ldd;
    const V2 s = {tj[b], tj[b]};
    if constexpr (kWeighted) {
      const V2 wb = {w[b], w[b]};
      for (int i = 0; i < kAcc; ++i) acc[i] = (Load(p + 2 * i) * s) * wb + acc[i];
    } else {
      for (int i = 0; i < kAcc; ++i) acc[i] = s * Load(p + 2 * i) + acc[i];
    }
  }
  for (int i = 0; i < kAcc; ++i) Store(xr + 2 * i, acc[i]);
}

template <bool kWeighted>
inline void Single(double* xr, const double* d, std::size_t ldd, const double* tj,
                   const double* w, int nb) {
  double a = *xr;
  for (int b = 0; b < nb; ++b) {
    const double dl = d[static_cast<std::size_t>(b) * ldd];
    if constexpr (kWeighted) {
      a = (dl * tj[b]) * w[b] + a;
    } else {
      a = tj[b] * dl + a;
    }
  }
  *xr = a;
}

// A segment of fewer than 2 * kMaxAcc elements: one chunk of the largest fit,
// then a single element when the count is odd.
template <bool kWeighted>
inline void Tail(double* xr, const double* d, std::size_t ldd, const double* tj, const double* w,
                 int nb, int count) {
  switch (count / 2) {
    case 7: Chunk<7, kWeighted>(xr, d, ldd, tj, w, nb); break;
    case 6: Chunk<6, kWeighted>(xr, d, ldd, tj, w, nb); break;
    case 5: Chunk<5, kWeighted>(xr, d, ldd, tj, w, nb); break;
    case 4: Chunk<4, kWeighted>(xr, d, ldd, tj, w, nb); break;
    case 3: Chunk<3, kWeighted>(xr, d, ldd, tj, w, nb); break;
    case 2: Chunk<2, kWeighted>(xr, d, ldd, tj, w, nb); break;
    case 1: Chunk<1, kWeighted>(xr, d, ldd, tj, w, nb); break;
    default: break;
  }
  if (count % 2 != 0) {
    const int last = count - 1;
    Single<kWeighted>(xr + last, d + last, ldd, tj, w, nb);
  }
}

template <bool kWeighted>
void Sweep(double* x, int n, const double* d, std::size_t ldd, const double* t, const double* w,
           int nb) {
  if (n <= 0 || nb <= 0) return;
  const std::size_t nbs = static_cast<std::size_t>(nb);
  for (int l0 = 0; l0 < n; l0 += kTile) {
    const int l1 = std::min(n, l0 + kTile);
    for (int j = l0; j < n; ++j) {
      const std::size_t rowStart = static_cast<std::size_t>(j) * (static_cast<std::size_t>(j) + 1) / 2;
      double* xr = x + rowStart;
      const double* tj = t + static_cast<std::size_t>(j) * nbs;
      const int lEnd = std::min(l1, j + 1);
      int l = l0;
      for (; l + 2 * kMaxAcc <= lEnd; l += 2 * kMaxAcc) {
        Chunk<kMaxAcc, kWeighted>(xr + l, d + l, ldd, tj, w, nb);
      }
      if (l < lEnd) Tail<kWeighted>(xr + l, d + l, ldd, tj, w, nb, lEnd - l);
    }
  }
}

}  // namespace

void PackedBlockScaledOuter(double* x, int n, const double* d, std::size_t ldd, const double* t,
                            int nb) {
  Sweep<false>(x, n, d, ldd, t, nullptr, nb);
}

void PackedBlockWeightedProduct(double* x, int n, const double* d, std::size_t ldd,
                                const double* t, const double* w, int nb) {
  Sweep<true>(x, n, d, ldd, t, w, nb);
}

}  // namespace KzStatsInternal
}  // namespace KzMath_1_2
