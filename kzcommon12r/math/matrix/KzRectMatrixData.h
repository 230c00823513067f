#ifndef KZCOMMON12R_MATH_MATRIX_KZRECTMATRIXDATA_H
#define KZCOMMON12R_MATH_MATRIX_KZRECTMATRIXDATA_H

#include <cassert>
#include <cstddef>
#include <vector>

#include "kzcommon12r/common/KzMV.h"
#include "kzcommon12r/kzcommon12r_export.h"
#include "kzcommon12r/math/matrix/IKzRectMatrix.h"

namespace KzMath_1_2 {

/// Dense row-major storage of an m x n matrix: element (r, c) sits
/// at position r * nCols + c of one contiguous vector. It implements the core
/// of `IKzRectMatrix`; `KzRectMatrix` adds the arithmetic.
///
/// Two kinds of access:
///  - checked (the interface operations, `GetRowPtr`, `GetColPtr`): every
///    index is tested, a bad one gives the missing value, false or null;
///  - unchecked (`At`, `RowData`, `Data`), inline, for the inner loops of the
///    matrix classes once the operation has checked its arguments at its
///    entry. Their preconditions are asserted in debug builds only.
///
/// Sizes and positions are computed in `size_t`: nRows * nCols may exceed the
/// `int` range. Allocation failures (`std::bad_alloc`, `std::length_error`)
/// propagate, as the Part says for rectangular storage.
class KZ_EXPORT KzRectMatrixData : public IKzRectMatrix {
 public:
  /// 0 x 0.
  KzRectMatrixData();
  /// nRows x nCols, all elements 0; a negative size is taken as 0.
  KzRectMatrixData(int nRows, int nCols);
  KzRectMatrixData(const KzRectMatrixData& other);
  /// Leaves `other` 0 x 0.
  KzRectMatrixData(KzRectMatrixData&& other) noexcept;
  KzRectMatrixData& operator=(const KzRectMatrixData& other);
  /// Leaves `other` 0 x 0 (unless it is this matrix).
  KzRectMatrixData& operator=(KzRectMatrixData&& other) noexcept;
  ~KzRectMatrixData() override;

  // --- IKzRectMatrix core ---

  /// `kRectMatrixData` (0).
  RectMatrixType GetMatrixType() const override;
  /// nRows >= 0 and nCols >= 0.
  bool IsValidMatrix() const override { return nRows >= 0 && nCols >= 0; }
  int GetNRows() const override { return nRows; }
  int GetNCols() const override { return nCols; }
  /// Element (r, c); the missing value when r or c is outside the matrix.
  double GetElem(int r, int c) const override {
    return InRange(r, c) ? At(r, c) : KzCommon_1_2::KzMV::gMissingValue;
  }
  /// out = row r, out resized to nCols when its length differs; false, out
  /// unchanged, when r is out of range.
  bool GetRow(int r, std::vector<double>& out) const override;
  /// out = column c, out resized to nRows when its length differs; false, out
  /// unchanged, when c is out of range.
  bool GetCol(int c, std::vector<double>& out) const override;

  /// "KzRectMatrixData display start", the counts, one "row  r: " array per
  /// row (when nCols > 0), "KzRectMatrixData display end".
  void Display() const override;

  // --- Checked raw access ---

  /// Row r: nCols contiguous elements, owned by the matrix, valid until it is
  /// resized. Null when r is out of range or the row is empty.
  const double* GetRowPtr(int r) const {
    return (r >= 0 && r < nRows && nCols > 0) ? RowData(r) : nullptr;
  }
  /// Element (0, c); successive elements of the column lie nCols apart. Null
  /// when c is out of range or the column is empty.
  const double* GetColPtr(int c) const {
    return (c >= 0 && c < nCols && nRows > 0) ? elements.data() + c : nullptr;
  }
  /// The element storage, row-major.
  const std::vector<double>& AsVectorConst() const { return elements; }

  // --- Unchecked access (0 <= r < nRows, 0 <= c < nCols; asserted in debug) ---

  /// Position of element (r, c) in the storage: r * nCols + c.
  std::size_t Pos(int r, int c) const {
    return static_cast<std::size_t>(r) * static_cast<std::size_t>(nCols) +
           static_cast<std::size_t>(c);
  }
  double At(int r, int c) const {
    assert(InRange(r, c));
    return elements[Pos(r, c)];
  }
  double& At(int r, int c) {
    assert(InRange(r, c));
    return elements[Pos(r, c)];
  }
  /// First element of row r (0 <= r <= nRows: r = nRows is one past the end).
  const double* RowData(int r) const {
    assert(r >= 0 && r <= nRows);
    return elements.data() + static_cast<std::size_t>(r) * static_cast<std::size_t>(nCols);
  }
  double* RowData(int r) {
    assert(r >= 0 && r <= nRows);
    return elements.data() + static_cast<std::size_t>(r) * static_cast<std::size_t>(nCols);
  }
  const double* Data() const { return elements.data(); }
  double* Data() { return elements.data(); }
  /// True when (r, c) lies inside the matrix.
  bool InRange(int r, int c) const { return r >= 0 && r < nRows && c >= 0 && c < nCols; }

 protected:
  /// nRows * nCols in size_t (0 for negative counts).
  static std::size_t ElementCount(int nRows, int nCols) {
    return (nRows <= 0 || nCols <= 0)
               ? 0
               : static_cast<std::size_t>(nRows) * static_cast<std::size_t>(nCols);
  }

  int nRows;
  int nCols;
  /// nRows * nCols values, row-major.
  std::vector<double> elements;
};

}  // namespace KzMath_1_2

#endif  // KZCOMMON12R_MATH_MATRIX_KZRECTMATRIXDATA_H
