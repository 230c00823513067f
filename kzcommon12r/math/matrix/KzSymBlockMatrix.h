#ifndef KZCOMMON12R_MATH_MATRIX_KZSYMBLOCKMATRIX_H
#define KZCOMMON12R_MATH_MATRIX_KZSYMBLOCKMATRIX_H

#include <cstdint>
#include <vector>

#include "kzcommon12r/kzcommon12r_export.h"
#include "kzcommon12r/math/matrix/KzSymMatrix.h"

namespace KzMath_1_2 {

/// A symmetric matrix of m x m blocks, every block a `KzSymMatrix` of the same
/// order b, so that the whole has order m·b. Only the blocks on and below the
/// block diagonal are stored, in packed order: block (i, j) with j <= i at
/// position i(i+1)/2 + j, block (i, j) with j > i being block (j, i). Each
/// block, the off-diagonal ones included, is itself symmetric.
///
/// Callers fill the blocks through references (`GetElemSSRef`, `AsVectorSS`)
/// and copy the whole into one `KzSymMatrix` with `CopyToSymMatrix`. A failed
/// sizing leaves m = b = -1 and no blocks (`IsValidStruct` false); nothing
/// throws.
class KZ_EXPORT KzSymBlockMatrix {
 public:
  /// m = b = 0, no blocks.
  KzSymBlockMatrix();
  /// `SetNRows(m, b)`.
  KzSymBlockMatrix(int m, int b);
  /// Copies m, b and every block; an invalid block makes the copy invalid
  /// (m = b = -1, no blocks).
  KzSymBlockMatrix(const KzSymBlockMatrix& other);
  KzSymBlockMatrix& operator=(const KzSymBlockMatrix& other);
  ~KzSymBlockMatrix();

  /// m x m zero blocks of order b (negative values taken as 0). A failed
  /// allocation, an invalid block or an order m·b beyond the int range leaves
  /// m = b = -1 and no blocks. Returns `IsValidStruct()`.
  bool SetNRows(int m, int b);
  /// m >= 0 and b >= 0.
  bool IsValidStruct() const { return nBlockRows >= 0 && blockOrder >= 0; }
  /// Number of block rows m (-1 after a failed sizing).
  int GetNBlockRows() const { return nBlockRows; }
  /// Order b of every block (-1 after a failed sizing).
  int GetBlockOrder() const { return blockOrder; }
  /// Every element of every block 0; sizes kept.
  void Clear();

  /// Block (max(i, j), min(i, j)), by reference (valid until the object is
  /// resized). For an index outside 0..m-1 the reference is to a scratch block
  /// of order 0 that belongs to no position: writes into it are lost and
  /// `CopyToSymMatrix` never reads it.
  KzSymMatrix& GetElemSSRef(int i, int j);
  /// The m(m+1)/2 blocks in packed order.
  std::vector<KzSymMatrix>& AsVectorSS() { return blocks; }
  const std::vector<KzSymMatrix>& AsVectorSSConst() const { return blocks; }

  /// out = the full matrix of order n = m·b: out(i·b + k, j·b + l) = block
  /// (i, j)(k, l). out is resized to order n (and cleared) when its order
  /// differs. Returns n; -1 with out emptied (order 0) when this object is
  /// invalid, when a block is invalid or not of order b, when the block vector
  /// does not hold m(m+1)/2 blocks, or when out cannot be sized.
  int CopyToSymMatrix(KzSymMatrix& out) const;

  /// "KzSymBlockMatrix display start", m and b, each stored block with its
  /// block row and column, "KzSymBlockMatrix display end".
  void Display() const;

 private:
  /// blocks = m(m+1)/2 default blocks; an allocation failure or an invalid
  /// block empties the vector and sets m = -1. Returns m >= 0.
  static bool ResizeNRows(std::vector<KzSymMatrix>& blocks, int& m);
  /// Packed position of block (i, j), j <= i.
  static std::size_t BlockPos(int i, int j) {
    return static_cast<std::size_t>(i) * (static_cast<std::size_t>(i) + 1) / 2 +
           static_cast<std::size_t>(j);
  }
  void SetFailed();

  std::int32_t nBlockRows;
  std::int32_t blockOrder;
  std::vector<KzSymMatrix> blocks;
  /// Handed out by GetElemSSRef for indices outside the matrix.
  KzSymMatrix outOfRange;
};

}  // namespace KzMath_1_2

#endif  // KZCOMMON12R_MATH_MATRIX_KZSYMBLOCKMATRIX_H
