#ifndef KZCOMMON12R_MATH_MATRIX_IKZRECTMATRIX_H
#define KZCOMMON12R_MATH_MATRIX_IKZRECTMATRIX_H

#include <vector>

#include "kzcommon12r/kzcommon12r_export.h"

namespace KzMath_1_2 {

class KzSparseVector;

/// The abstract m x n matrix: dense (`KzRectMatrixData`,
/// `KzRectMatrix`) and sparse (`KzSparseRectMatrix`) storage are reached
/// through it.
///
/// Conventions of every operation: indices count from 0; ranges (first, last)
/// are inclusive; output vectors are resized by the callee; a refusal returns
/// false, -1 or the missing value (`KzCommon_1_2::KzMV::gMissingValue`) and
/// leaves every target unchanged; nothing throws for a bad index.
///
/// The operations are declared in the slot order of the Part's table. The
/// core (the type query to `GetCol`) has no default; every other operation has
/// a default body that refuses (false, -1, missing) or does nothing, as noted
/// "Default:" below, so a storage kind implements what makes sense for it and
/// a caller detects the rest by the refusal. Their meaning is that of the
/// fullest implementation, `KzRectMatrix`.
///
/// A derived class that overrides one overload of a name hides the others;
/// it adds `using IKzRectMatrix::Name;` to keep them visible.
///
/// Departure from the Part: `GetMatrixType`, `ShiftColumns` and `ShiftRows`
/// are const (they read this matrix only), so that they can be asked of a
/// const matrix.
class KZ_EXPORT IKzRectMatrix {
 public:
  /// The storage kind, returned by `GetMatrixType`.
  enum RectMatrixType {
    kRectMatrixData = 0,    ///< `KzRectMatrixData`
    kRectMatrix = 1,        ///< `KzRectMatrix`
    kSparseRectMatrix = 2,  ///< `KzSparseRectMatrix`
  };

  // Slot 0.
  virtual ~IKzRectMatrix();

  // --- Core (slots 1 to 7) ---

  /// The storage kind.
  virtual RectMatrixType GetMatrixType() const = 0;
  /// True when the counts are usable (nRows >= 0 and nCols >= 0).
  virtual bool IsValidMatrix() const = 0;
  virtual int GetNRows() const = 0;
  virtual int GetNCols() const = 0;
  /// Element (r, c); the missing value when r or c is outside the matrix.
  virtual double GetElem(int r, int c) const = 0;
  /// out = row r (out resized to nCols); false, out unchanged, when r is out of range.
  virtual bool GetRow(int r, std::vector<double>& out) const = 0;
  /// out = column c (out resized to nRows); false, out unchanged, when c is out of range.
  virtual bool GetCol(int c, std::vector<double>& out) const = 0;

  // --- Slots 8 to 46, with default bodies ---

  /// Appends a row holding v (zeros elsewhere); its index, or -1 when v does
  /// not fit in nCols or is invalid. Default: -1.
  virtual int AddRow(const KzSparseVector& v);
  /// Appends a zero row; its index. Default: -1.
  virtual int AddRow();
  /// Every element 0. Default: nothing.
  virtual void Clear();
  /// Zeroes column c, or its elements that are negligible relative to its
  /// norm (tolerance 10000 * tol * 2^-52). Default: false.
  virtual bool ColClean(int c, double tol);
  /// Euclidean norm of column c. Default: missing.
  virtual double ColNorm(int c) const;
  /// Column c times s. Default: false.
  virtual bool ColScale(int c, double s);
  /// out = A B (B.nRows = nCols). Default: false.
  virtual bool ComputeMatrixProduct(const IKzRectMatrix& b, IKzRectMatrix& out) const;
  /// out = A Bᵀ. Default: false.
  virtual bool ComputeProductMatrixTrans(const IKzRectMatrix& b, IKzRectMatrix& out) const;
  /// out = A v (v has at least nCols elements; out sized nRows). Default: false.
  virtual bool ComputeRV(const std::vector<double>& v, std::vector<double>& out) const;
  /// out = vᵀ A (v has exactly nRows elements; out sized nCols). Default: false.
  virtual bool ComputeVR(const std::vector<double>& v, std::vector<double>& out) const;
  /// Column c of this matrix into column `to` of dst. Default: false.
  virtual bool CopyColToCol(int c, int to, IKzRectMatrix& dst) const;
  /// Column c of src into row r of this matrix (lengths must match). Default: false.
  virtual bool CopyColToRow(const IKzRectMatrix& src, int c, int r);
  /// out = column c (out sized nRows). Default: false.
  virtual bool CopyColToVec(int c, std::vector<double>& out) const;
  /// This matrix becomes rows first..first+count-1 of src. Default: false.
  virtual bool CopyRows(const IKzRectMatrix& src, int first, int count);
  /// Row r of this matrix into row `to` of dst. Default: false.
  virtual bool CopyRowToRow(int r, int to, IKzRectMatrix& dst) const;
  /// out = block-diagonal matrix of nBlocks copies of this one. Default: false.
  virtual bool CreateBlockDiagonal(int nBlocks, IKzRectMatrix& out) const;
  /// Column c1 . column c2. Default: missing.
  virtual double DotProductCol(int c1, int c2) const;
  /// Column c of this matrix . column cb of B. Default: missing.
  virtual double DotProductColCol(int c, const IKzRectMatrix& b, int cb) const;
  /// Row r1 . row r2. Default: 0.
  virtual double DotProductRows(int r1, int r2) const;
  /// Row r of this matrix . column cb of B. Default: missing.
  virtual double DotProductRowCol(int r, const IKzRectMatrix& b, int cb) const;
  /// Row r of this matrix . row rb of B. Default: missing.
  virtual double DotProductRowRow(int r, const IKzRectMatrix& b, int rb) const;
  /// For this n x n and B p x n: out = [A Bᵀ; B 0]. Default: false.
  virtual bool ExpandSquare(const IKzRectMatrix& b, IKzRectMatrix& out) const;
  /// out = the listed columns in order (out-of-range ones skipped); the number
  /// kept. Default: -1.
  virtual int ExtractColumns(const std::vector<int>& cols, IKzRectMatrix& out) const;
  /// out = the listed rows in order (out-of-range ones skipped); the number
  /// kept. Default: -1.
  virtual int ExtractRows(const std::vector<int>& rows, IKzRectMatrix& out) const;
  /// v[first + t] += w * A(t, c) for t = 0..count-1; `check` adds the O(n)
  /// tests of `KzRectMatrix`. Default: false.
  virtual bool IncrVecByColumn(int c, std::vector<double>& v, int first, int count, double w,
                               bool check) const;
  /// Column c is exactly 0. Default: true.
  virtual bool IsColZero(int c) const;
  /// Row r is exactly 0. Default: true.
  virtual bool IsRowZero(int r) const;
  /// Sizes to nRows x nCols keeping the leading elements in storage order.
  /// Default: false.
  virtual bool Resize(int nRows, int nCols);
  /// Euclidean norm of row r. Default: missing.
  virtual double RowNorm(int r) const;
  /// Element (r, c) = x; false out of range. Default: false.
  virtual bool SetElem(int r, int c, double x);
  /// Row r becomes v, zeros elsewhere. Default: false.
  virtual bool SetRow(int r, const KzSparseVector& v);
  /// Sizes to nRows x nCols, then every element 0. Default: nothing.
  virtual void SetNRowsCols(int nRows, int nCols);
  /// out = this matrix behind k zero columns. Default: false.
  virtual bool ShiftColumns(int k, IKzRectMatrix& out) const;
  /// out = this matrix below k zero rows. Default: false.
  virtual bool ShiftRows(int k, IKzRectMatrix& out) const;
  /// In place; nRows and nCols swap. Default: nothing.
  virtual void Transpose();
  /// Column c becomes 0. Default: false.
  virtual bool ZeroOutCol(int c);
  /// Row r, columns first..last, become 0. Default: false.
  virtual bool ZeroOutRowPart(int r, int first, int last);
  /// Diagnostic display. Default: nothing.
  virtual void Display() const;
  /// Full display at 17 digits. Default: nothing.
  virtual void DisplayF() const;

 protected:
  IKzRectMatrix() = default;
  // Copy and move only through a derived class: no slicing through the interface.
  IKzRectMatrix(const IKzRectMatrix&) = default;
  IKzRectMatrix(IKzRectMatrix&&) = default;
  IKzRectMatrix& operator=(const IKzRectMatrix&) = default;
  IKzRectMatrix& operator=(IKzRectMatrix&&) = default;
};

}  // namespace KzMath_1_2

#endif  // KZCOMMON12R_MATH_MATRIX_IKZRECTMATRIX_H
