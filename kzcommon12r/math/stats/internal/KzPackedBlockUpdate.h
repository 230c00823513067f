#ifndef KZCOMMON12R_MATH_STATS_INTERNAL_KZPACKEDBLOCKUPDATE_H
#define KZCOMMON12R_MATH_STATS_INTERNAL_KZPACKEDBLOCKUPDATE_H

// Blocked rank-k updates of a packed lower triangle that give, element by
// element, exactly the values of k successive rank-1 updates.
//
// A provisional-means accumulator adds one case at a time: X += f d dᵀ. Done
// case by case, every case streams the whole packed triangle (n(n+1)/2
// doubles) through the memory hierarchy, as BLAS DSPR does. Here a block of
// cases is applied in one sweep over the triangle: each element (j, l) receives
// the terms of the block's cases one after the other, in case order, with the
// same floating-point operations as the rank-1 path, so the result is
// bit-identical to it. Only the order in which different elements are visited
// changes. The triangle is walked in column tiles so that the block's vectors
// for the tile stay in the first-level cache, and each row segment of a tile is
// held in vector registers while the block's cases are added to it.

#include <cstddef>

namespace KzMath_1_2 {
namespace KzStatsInternal {

/// Cases per block of the buffered accumulators.
constexpr int kCaseBlock = 32;

/// Removing the last case leaves W - w at a rounding residue of the sum of
/// fractional weights (0.1 + 0.2 - 0.3 ~ 5.6e-17) instead of 0; dividing by it
/// would blow the means up. A remainder this small relative to W is taken as
/// an empty accumulator.
constexpr double kEmptyWeightTolerance = 1e-12;

/// For the nb cases b = 0..nb-1 in order, and every element (j, l), l <= j < n,
/// of the packed lower triangle x (element at j(j+1)/2 + l):
///   x[j, l] = t[j*nb + b] * d[b*ldd + l] + x[j, l].
/// With t[j*nb + b] = d_bj * f_b this is X += f_b d_b d_bᵀ in the DSPR order
/// ((d_j f) d_l + X). d holds case b's vector at b*ldd (ldd >= n); t is the
/// row-multiplier table, row j's nb values contiguous.
void PackedBlockScaledOuter(double* x, int n, const double* d, std::size_t ldd, const double* t,
                            int nb);

/// The same walk with the weight applied last:
///   x[j, l] = (d[b*ldd + l] * t[j*nb + b]) * w[b] + x[j, l],
/// which with t[j*nb + b] = d_bj is the two-pass form X += (d_l d_j) w.
void PackedBlockWeightedProduct(double* x, int n, const double* d, std::size_t ldd,
                                const double* t, const double* w, int nb);

/// Test hook: with true, the two-wide baseline sweep is used even where the
/// four-wide one is available (both give the same bits).
void UseBaselineSweep(bool baseline);

}  // namespace KzStatsInternal
}  // namespace KzMath_1_2

#endif  // KZCOMMON12R_MATH_STATS_INTERNAL_KZPACKEDBLOCKUPDATE_H
