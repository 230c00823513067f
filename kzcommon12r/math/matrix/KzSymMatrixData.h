#ifndef KZCOMMON12R_MATH_MATRIX_KZSYMMATRIXDATA_H
#define KZCOMMON12R_MATH_MATRIX_KZSYMMATRIXDATA_H

#include <cassert>
#include <cstddef>
#include <vector>

#include "kzcommon12r/common/KzMV.h"
#include "kzcommon12r/kzcommon12r_export.h"
#include "kzcommon12r/math/matrix/IKzSymMatrix.h"

namespace KzMath_1_2 {

/// Dense packed storage of a symmetric matrix of order n: the lower
/// triangle stored row by row, element (i, j) with j <= i at position
/// i(i+1)/2 + j, and (i, j) with j > i read at (j, i). For n = 3 the storage
/// order is (0,0) (1,0) (1,1) (2,0) (2,1) (2,2). Row i of the triangle,
/// columns 0..i, is contiguous from i(i+1)/2; the part of column i below the
/// diagonal is found at i(i+1)/2 + i + (i+1), + (i+2), ... (each step one more
/// than the last). Rows are appended in order, so changing n keeps the leading
/// block. This is also LINPACK's packed upper triangle by columns.
///
/// The matrix is viewed as nBlocks equal diagonal blocks of order blockSize
/// (nRows = nBlocks * blockSize; one block for an ordinary matrix). It
/// implements the core of `IKzSymMatrix`; `KzSymMatrix` (Parts 6.5 and 6.8)
/// adds the arithmetic.
///
/// Two kinds of access:
///  - checked (the interface operations, `GetPackedRowPtr`): every index is
///    tested, a bad one gives the missing value, false or null;
///  - unchecked (`At`, `LowerAt`, `RowData`, `Data`, and the static position
///    helpers), inline, for the inner loops of the matrix classes once the
///    operation has checked its arguments at its entry. Their preconditions
///    are asserted in debug builds only.
///
/// In a hot loop, walk packed rows through `RowData` with `size_t` counters
/// (j < i + 1): measured with GCC 12, an `int` counter `j <= i` kept the loop
/// from vectorising (0.6x), while `LowerAt` and `RowData` with `size_t`
/// counters match a plain vector loop (bench/matrix_storage_bench.cpp).
///
/// Sizes and positions are `size_t`: n(n+1)/2 exceeds the `int` range from
/// n = 65536 and its product n(n+1) from n = 46341. When the storage cannot be
/// sized (a size that cannot be represented or allocated: `std::bad_alloc`
/// or `std::length_error`) the matrix becomes invalid: order -1, no blocks,
/// empty storage, `IsValidMatrix()` false.
class KZ_EXPORT KzSymMatrixData : public IKzSymMatrix {
 public:
  /// Order 0, 0 blocks of size 0.
  KzSymMatrixData();
  /// Order n, one block of size n, all elements 0; n < 0 gives order 0 with
  /// 0 blocks of size 0. Invalid when the storage cannot be sized.
  explicit KzSymMatrixData(int n);
  /// Order nBlocks * blockSize, all elements 0; when either count is <= 0,
  /// order 0 with 0 blocks of size 0. Invalid when the order exceeds the int
  /// range or the storage cannot be sized.
  KzSymMatrixData(int nBlocks, int blockSize);
  KzSymMatrixData(const KzSymMatrixData& other);
  /// Leaves `other` of order 0 with 0 blocks.
  KzSymMatrixData(KzSymMatrixData&& other) noexcept;
  KzSymMatrixData& operator=(const KzSymMatrixData& other);
  /// Leaves `other` of order 0 with 0 blocks (unless it is this matrix).
  KzSymMatrixData& operator=(KzSymMatrixData&& other) noexcept;
  ~KzSymMatrixData() override;

  // --- IKzSymMatrix core ---

  /// `kSymMatrixData` (1).
  SymMatrixType GetType() const override;
  /// The order n; -1 for an invalid matrix.
  int GetNRows() const override { return nRows; }
  /// n >= 0.
  bool IsValidMatrix() const override { return nRows >= 0; }
  /// Element (i, j) = (j, i); the missing value when i or j is outside 0..n-1.
  double GetElem(int i, int j) const override {
    return (i >= 0 && j >= 0 && i < nRows && j < nRows) ? At(i, j)
                                                        : KzCommon_1_2::KzMV::gMissingValue;
  }
  /// out = the diagonal, out resized to n when its length differs; an invalid
  /// matrix empties out.
  void GetDiagonal(std::vector<double>& out) const override;
  /// out = the full row i (the packed row for columns 0..i, then column i of
  /// the later rows), out resized to n when its length differs; false, out
  /// unchanged, when i is out of range; false with out emptied when the matrix
  /// is invalid.
  bool GetRow(int i, std::vector<double>& out) const override;

  /// "KzSymMatrixData display start", the three counts, the packed triangle
  /// row by row (`DisplayDVTR`), "KzSymMatrixData display end".
  void Display() const override;

  // --- Blocks ---

  int GetNBlocks() const { return nBlocks; }
  int GetBlockSize() const { return blockSize; }
  /// Element (blockI * blockSize + i, blockJ * blockSize + j), read through the
  /// virtual GetElem; the missing value when it lies outside the matrix.
  double GetElem(int blockI, int blockJ, int i, int j) const;

  // --- Checked raw access ---

  /// Packed row i: the i + 1 elements (i, 0..i), contiguous, owned by the
  /// matrix, valid until it is resized. Null when i is out of range.
  const double* GetPackedRowPtr(int i) const {
    return (i >= 0 && i < nRows) ? RowData(i) : nullptr;
  }
  /// The packed storage.
  const std::vector<double>& AsVectorConst() const { return elements; }

  // --- Position arithmetic (size_t, no overflow for any int order) ---

  /// Position of the first element of row i: i(i+1)/2 (i >= 0).
  static std::size_t RowStart(int i) {
    assert(i >= 0);
    const std::size_t k = static_cast<std::size_t>(i);
    return k * (k + 1) / 2;
  }
  /// Position of element (i, j) with 0 <= j <= i: i(i+1)/2 + j.
  static std::size_t PackedPos(int i, int j) {
    assert(j >= 0 && j <= i);
    return RowStart(i) + static_cast<std::size_t>(j);
  }
  /// Number of stored elements of order n: n(n+1)/2 (0 for n <= 0).
  static std::size_t PackedSize(int n) { return n <= 0 ? 0 : RowStart(n); }

  // --- Unchecked access (0 <= i, j < n; asserted in debug) ---

  /// Element (i, j) with j <= i.
  double LowerAt(int i, int j) const {
    assert(i < nRows);
    return elements[PackedPos(i, j)];
  }
  double& LowerAt(int i, int j) {
    assert(i < nRows);
    return elements[PackedPos(i, j)];
  }
  /// Element (i, j) in either order.
  double At(int i, int j) const { return i >= j ? LowerAt(i, j) : LowerAt(j, i); }
  double& At(int i, int j) { return i >= j ? LowerAt(i, j) : LowerAt(j, i); }
  /// First element of packed row i (0 <= i <= n: i = n is one past the end).
  const double* RowData(int i) const {
    assert(i >= 0 && i <= nRows);
    return elements.data() + RowStart(i);
  }
  double* RowData(int i) {
    assert(i >= 0 && i <= nRows);
    return elements.data() + RowStart(i);
  }
  const double* Data() const { return elements.data(); }
  double* Data() { return elements.data(); }

 protected:
  /// Sizes the packed storage for order n: n > 0 resizes `elements` to
  /// n(n+1)/2, keeping the existing values (the leading block) and filling new
  /// ones with 0; n <= 0 empties it and sets n to 0. When the storage cannot
  /// be sized (`std::bad_alloc`, `std::length_error`) `elements` is left as it
  /// was and n is set to -1. Returns n >= 0.
  static bool ResizeNRows(std::vector<double>& elements, int& n);
  /// Makes this matrix invalid: order -1, 0 blocks of size 0, storage released.
  void SetInvalid();
  /// Order n as one block of size n (n < 0: order 0, 0 blocks of size 0),
  /// the leading block kept and new elements 0; invalid (and false) when the
  /// storage cannot be sized.
  bool ResizeOrder(int n);

  int nRows;
  int nBlocks;
  int blockSize;
  /// n(n+1)/2 values: the lower triangle by rows.
  std::vector<double> elements;
};

}  // namespace KzMath_1_2

#endif  // KZCOMMON12R_MATH_MATRIX_KZSYMMATRIXDATA_H
