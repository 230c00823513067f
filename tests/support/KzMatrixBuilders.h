#ifndef KZ_TESTS_SUPPORT_KZMATRIXBUILDERS_H
#define KZ_TESTS_SUPPORT_KZMATRIXBUILDERS_H

// Test matrices with known properties, as plain vectors in the two storage
// layouts (row-major rectangles, packed lower triangles by rows),
// and the helpers that load them into the storage classes. Random entries come
// from std::mt19937 with a fixed seed through a mapping of our own, so every
// platform builds the same matrices.

#include <cstdint>
#include <vector>

namespace KzMath_1_2 {
class KzRectMatrixData;
class KzSymMatrixData;
}  // namespace KzMath_1_2

namespace kztest {

/// n uniform doubles in [-1, 1) from mt19937(seed): the top 53 bits of two
/// draws, scaled.
std::vector<double> RandomVector(int n, std::uint32_t seed);

/// Row-major rows x cols Hilbert matrix: H(i, j) = 1 / (i + j + 1). Its
/// square sections are positive definite and ill-conditioned (cond of
/// order 10 is about 1.6e13).
std::vector<double> HilbertRowMajor(int rows, int cols);
/// Packed lower triangle, by rows, of the Hilbert matrix of order n.
std::vector<double> HilbertPacked(int n);

/// Row-major rows x cols matrix A B of rank `rank` (0 <= rank <= min(rows,
/// cols)): A (rows x rank) and B (rank x cols) have random entries in
/// [-1, 1), so the rank is exact with probability 1 and the rank+1-th singular
/// value is at rounding level. Rank 0 gives the zero matrix.
std::vector<double> KnownRankRowMajor(int rows, int cols, int rank, std::uint32_t seed);
/// Packed lower triangle of the positive semidefinite C Cᵀ of order n and
/// rank `rank`, C (n x rank) random in [-1, 1).
std::vector<double> KnownRankSymPacked(int n, int rank, std::uint32_t seed);

/// The lower triangle, packed by rows, of a row-major n x n matrix.
std::vector<double> PackLower(const std::vector<double>& rowMajor, int n);
/// The full row-major n x n symmetric matrix of a packed lower triangle.
std::vector<double> UnpackSym(const std::vector<double>& packed, int n);

/// Loads row-major values into m; false (m unchanged) when the sizes differ.
bool Fill(KzMath_1_2::KzRectMatrixData& m, const std::vector<double>& rowMajor);
/// Loads a packed lower triangle into m; false (m unchanged) when the sizes differ.
bool Fill(KzMath_1_2::KzSymMatrixData& m, const std::vector<double>& packed);

/// The numerical rank of a row-major matrix by Gaussian elimination with
/// complete pivoting: pivots below tol * (largest |element|) count as zero.
int NumericalRank(std::vector<double> rowMajor, int rows, int cols, double tol);

}  // namespace kztest

#endif  // KZ_TESTS_SUPPORT_KZMATRIXBUILDERS_H
