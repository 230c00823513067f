#ifndef KZCOMMON12R_MATH_MATRIX_KZRECTMATRIX_H
#define KZCOMMON12R_MATH_MATRIX_KZRECTMATRIX_H

#include <vector>

#include "kzcommon12r/kzcommon12r_export.h"
#include "kzcommon12r/math/matrix/KzRectMatrixData.h"

namespace KzMath_1_2 {

class IKzSymMatrix;
class KzBitSet;
class KzSparseVector;
class KzSymMatrix;

/// The dense m x n matrix: row-major storage of `KzRectMatrixData` plus the
/// arithmetic, copying, reshaping and linear-dependence operations of model
/// building.
///
/// Conventions: indices count from 0; ranges (first, last) are inclusive;
/// output vectors are resized by the callee. A refusal returns false, -1 or the
/// missing value and leaves every target unchanged; nothing throws for a bad
/// index. Index and length tests that cost O(1) are always made; only the O(n)
/// scans follow a `check` flag. Outputs may be the same object as an input
/// (`a.ComputeMatrixProduct(b, a)`, `a.CopyRows(a, 1, 2)`): the result is then
/// built in a temporary. Allocation failures propagate.
///
/// The interface operations that take `IKzRectMatrix` arguments for copies,
/// extraction and shifts keep their refusing defaults; the members of the same
/// names with `KzRectMatrix` arguments are the ones to call.
class KZ_EXPORT KzRectMatrix : public KzRectMatrixData {
 public:
  /// 0 x 0.
  KzRectMatrix();
  /// nRows x nCols, all elements 0; negative sizes become 0.
  KzRectMatrix(int nRows, int nCols);
  KzRectMatrix(const KzRectMatrix& other);
  KzRectMatrix(KzRectMatrix&& other) noexcept;
  KzRectMatrix& operator=(const KzRectMatrix& other);
  KzRectMatrix& operator=(KzRectMatrix&& other) noexcept;
  ~KzRectMatrix() override;

  // Keep the interface overloads visible beside the KzRectMatrix ones.
  using IKzRectMatrix::CopyColToCol;
  using IKzRectMatrix::CopyColToRow;
  using IKzRectMatrix::CopyRows;
  using IKzRectMatrix::CopyRowToRow;
  using IKzRectMatrix::CreateBlockDiagonal;
  using IKzRectMatrix::DotProductColCol;
  using IKzRectMatrix::DotProductRowRow;
  using IKzRectMatrix::ExpandSquare;
  using IKzRectMatrix::ExtractColumns;
  using IKzRectMatrix::ExtractRows;
  using IKzRectMatrix::ShiftColumns;
  using IKzRectMatrix::ShiftRows;
  using IKzRectMatrix::ComputeProductMatrixTrans;

  /// `kRectMatrix` (1).
  RectMatrixType GetMatrixType() const override;

  // --- Shape ---

  /// Sizes to nRows x nCols (negative sizes become 0) keeping the leading
  /// elements in storage order (no re-layout), new elements 0. Always true.
  bool Resize(int nRows, int nCols) override;
  /// `Resize`, then every element 0.
  void SetNRowsCols(int nRows, int nCols) override;
  /// Every element 0.
  void Clear() override;
  /// Appends a zero row; its index.
  int AddRow() override;
  /// Appends a row holding v (zeros elsewhere); its index. -1 (no row added)
  /// when v is invalid or its minimum dense size exceeds nCols.
  int AddRow(const KzSparseVector& v) override;
  /// Appends a zero column (rows re-laid out); the new number of columns.
  int AddColumn();
  /// Removes column c; false when c is out of range.
  bool DeleteOneCol(int c);
  /// Removes row r; false when r is out of range.
  bool DeleteOneRow(int r);
  /// In place: A becomes Aᵀ; nRows and nCols swap.
  void Transpose() override;
  /// This matrix becomes the outer product u vᵀ (|u| x |v|).
  void ComputeVecProduct(const std::vector<double>& u, const std::vector<double>& v);

  // --- Elements and rows ---

  /// A(r, c) = x; false out of range.
  bool SetElem(int r, int c, double x) override;
  /// Row r becomes v, zeros elsewhere; false when r is out of range, v is
  /// invalid or v does not fit in nCols.
  bool SetRow(int r, const KzSparseVector& v) override;
  /// out = column c (sized nRows); false, out unchanged, when c is out of range.
  bool CopyColToVec(int c, std::vector<double>& out) const override;

  // --- Products ---

  /// out = A v; v needs at least nCols elements (only the first nCols are
  /// used); out sized nRows. v and out may be the same vector.
  bool ComputeRV(const std::vector<double>& v, std::vector<double>& out) const override;
  /// out = vᵀ A; v needs exactly nRows elements; out sized nCols. v and out may
  /// be the same vector.
  bool ComputeVR(const std::vector<double>& v, std::vector<double>& out) const override;
  /// out = A B; requires B.nRows = nCols; out sized nRows x B.nCols with
  /// `SetNRowsCols`. Each element sums A(r, k) B(k, c) for k = 0, 1, ... in
  /// order. out may be this matrix or B.
  bool ComputeMatrixProduct(const IKzRectMatrix& b, IKzRectMatrix& out) const override;
  /// out = A Bᵀ; requires B.nCols = nCols; out may be this matrix or B.
  bool ComputeProductMatrixTrans(const KzRectMatrix& b, KzRectMatrix& out) const;

  // --- Dot products and norms (missing for a bad index or unequal lengths) ---

  /// Column c1 . column c2.
  double DotProductCol(int c1, int c2) const override;
  /// Row r1 . row r2.
  double DotProductRows(int r1, int r2) const override;
  /// Column c of A . column cb of B (equal row counts).
  double DotProductColCol(int c, const KzRectMatrix& b, int cb) const;
  /// Row r of A . column cb of B (B.nRows = nCols); B any rectangular kind.
  double DotProductRowCol(int r, const IKzRectMatrix& b, int cb) const override;
  /// Row r of A . row rb of B (equal column counts).
  double DotProductRowRow(int r, const KzRectMatrix& b, int rb) const;
  /// Euclidean norm of column c by the scaled sum of squares (no overflow).
  double ColNorm(int c) const override;
  /// Euclidean norm of row r by the scaled sum of squares.
  double RowNorm(int r) const override;

  // --- Column and row edits ---

  /// Column c times s; false when c is out of range.
  bool ColScale(int c, double s) override;
  /// v[first + t] += w A(t, c) for t = 0..min(count, nRows)-1. Refused (v
  /// unchanged) when c is out of range, count < 1, first < 0 or v is shorter
  /// than first + min(count, nRows); with `check` also when count > nRows.
  bool IncrVecByColumn(int c, std::vector<double>& v, int first, int count, double w,
                       bool check) const override;
  /// Column c becomes 0.
  bool ZeroOutCol(int c) override;
  /// Row r, columns first..last (inclusive), become 0; false unless
  /// 0 <= first <= last < nCols and r is in range.
  bool ZeroOutRowPart(int r, int first, int last) override;
  /// Column c += f * column cs of src (same row count); src may be this matrix.
  bool AddToColumn(int c, const KzRectMatrix& src, int cs, double f);
  /// x added to every diagonal element; false unless the matrix is square.
  bool AddToDiagonal(double x);
  /// Cleans column c against t = 10000 * scale: the whole column is zeroed when
  /// its norm b is negligible (|b| < t 2^-52), otherwise each element with
  /// |a| / b < t 2^-52. False when c is out of range.
  bool ColClean(int c, double scale) override;

  // --- Copies, extraction, reshaping ---

  /// Column c of this matrix into column `to` of dst (equal row counts).
  bool CopyColToCol(int c, int to, KzRectMatrix& dst) const;
  /// Column c of src becomes row r of this matrix (src.nRows = nCols).
  bool CopyColToRow(const KzRectMatrix& src, int c, int r);
  /// This matrix becomes columns first..first+count-1 of src (count >= 0).
  bool CopyColumns(const KzRectMatrix& src, int first, int count);
  /// This matrix becomes rows first..first+count-1 of src (count >= 0).
  bool CopyRows(const KzRectMatrix& src, int first, int count);
  /// Row r of this matrix into row `to` of dst (equal column counts).
  bool CopyRowToRow(int r, int to, KzRectMatrix& dst) const;
  /// out = the listed columns in the listed order, out-of-range indices skipped;
  /// the number kept. out may be this matrix.
  int ExtractColumns(const std::vector<int>& cols, KzRectMatrix& out) const;
  /// out = the listed rows in the listed order, out-of-range indices skipped;
  /// the number kept. out may be this matrix.
  int ExtractRows(const std::vector<int>& rows, KzRectMatrix& out) const;
  /// out = nRows x (nCols + k): k zero columns, then this matrix. False when
  /// k < 0 or this matrix is empty.
  bool ShiftColumns(int k, KzRectMatrix& out) const;
  /// out = (nRows + k) x nCols: k zero rows, then this matrix.
  bool ShiftRows(int k, KzRectMatrix& out) const;
  /// out = (k m) x (k n) block-diagonal with k copies of this matrix; k >= 1.
  bool CreateBlockDiagonal(int k, KzRectMatrix& out) const;
  /// For this n x n and B p x n: out = [A Bᵀ; B 0], (n+p) x (n+p).
  bool ExpandSquare(const KzRectMatrix& b, KzRectMatrix& out) const;
  /// out = mask.Size() x nCols (byRows) or nRows x mask.Size(): the rows
  /// (columns) of this matrix in order at the flagged positions, zeros
  /// elsewhere; placement stops when this matrix has no more rows (columns).
  /// out may be this matrix.
  void Expand(const KzBitSet& mask, bool byRows, KzRectMatrix& out) const;
  /// Appends the rows of B; false, no change, when the column counts differ.
  bool ExpandRectangular(KzRectMatrix& b);

  // --- Tests ---

  /// Column c is exactly 0; false for a bad index or an empty matrix.
  bool IsColZero(int c) const override;
  /// Row r is exactly 0; false for a bad index or an empty matrix.
  bool IsRowZero(int r) const override;
  /// Exactly one of the columns flagged in `cols` (columns beyond its size
  /// count as flagged) is non-zero in row r; pos = that column, else -1.
  bool IsRowZeroButOne(int r, const KzBitSet& cols, int& pos) const;
  /// The first column with |A(r, c)| > tol; -1 when none, r is out of range
  /// or tol <= 0.
  int FindFirstNonZeroInRow(int r, double tol) const;
  /// Column elimination on row r: pivot = FindFirstNonZeroInRow(r, tol) (false
  /// when -1); column c -= A(r, c) / A(r, pivot) * column pivot for every other
  /// c, so that row r becomes zero outside the pivot; then the pivot column is
  /// zeroed.
  bool ZeroOutPivotRow(int r, double tol, int& pivot);
  /// Rows a and b extended by ea and eb are multiples: a = g b to 2^-52
  /// relative to max(|a|, |ea|); ratio = g on success.
  bool IsERowMultipleOfAnother(int a, int b, double ea, double eb, double& ratio) const;

  // --- Linear dependence and solving ---

  /// Rows are constraints over the columns: a column that is the only
  /// non-excluded non-zero of some row is redundant. result = current AND
  /// not-redundant (nCols flags; columns beyond current's size start true);
  /// returns the number of flagged columns that are not entirely zero.
  int CheckAddColRedundancies(const KzBitSet& current, KzBitSet& result) const;
  /// Rows of L (this matrix) are linear functions of the parameters; H has
  /// nCols rows and one column per parameter flagged in `cols` (the m-th
  /// flagged parameter k_m in column m). True when every row l of non-zero
  /// norm b satisfies sum_j (sum_m l_(k_m) H(j, m) / b - l_j / b)² <= tol²;
  /// rows of zero norm are skipped. Refused (false) when L is empty, tol <= 0,
  /// cols.Size() < nCols, H.nRows != nCols or H has fewer columns than the
  /// parameters flagged among the first nCols.
  bool IsEstimable(const KzRectMatrix& h, const KzBitSet& cols, double tol) const;
  /// Solves A x = b through LINPACK DGECO/DGESL on a copy; false (x unchanged)
  /// when A is not square and non-empty, |b| != n, tol < 0, or the reciprocal
  /// condition estimate is <= tol.
  bool SolveLinearSquare(const std::vector<double>& b, std::vector<double>& x, double tol) const;
  /// tr = trace of (the k x k block of A at (start, start)) times S (order k);
  /// a diagonal S uses only the block's diagonal. False when start < 0, the
  /// matrix is not square or start + k > n.
  bool TraceOfProductSubMatSym(int start, const IKzSymMatrix& s, double& tr) const;

  // --- Display ---

  /// The `KzRectMatrixData` display.
  void Display() const override;
  /// "KzRectMatrix full matrix display start", the counts, each row at 17
  /// digits one value a line, "KzRectMatrix display end".
  void DisplayF() const override;

  // --- Rank, projection and least squares ---
  // Redundant (aliased) rows or columns are found by a tolerance-tested
  // Cholesky factorisation of the cross-product matrix; a pivot counts as zero
  // when it falls below tol² times its initial sum of squares.

  /// nonRedundant flags the rows (byRows) or columns that are linearly
  /// independent of the earlier ones; returns the number of redundant ones,
  /// -1 (nothing changed) when tol < 0 or NaN.
  int FindRedundancies(double tol, KzBitSet& nonRedundant, bool byRows);
  /// indices = the non-redundant rows or columns in increasing order; their
  /// number, -1 (indices unchanged) when tol < 0 or NaN.
  int FindNonRedunIndices(double tol, std::vector<int>& indices, bool byRows);
  /// out = the non-redundant rows or columns (FindNonRedunIndices); their
  /// number, -1 (nothing changed) when tol < 0. out may be this matrix.
  int ExtractFullRank(double tol, KzRectMatrix& out, std::vector<int>& indices, bool byRows);
  /// This matrix Y (n x p) -> its residual after projection on the columns of
  /// X (n x q), through a sweep of the cross-product matrix of [X | Y] with
  /// tolerance tol: xKept flags the columns of X used, yKept the columns of Y
  /// whose residual sum of squares exceeds tol times the initial one. False
  /// (nothing changed) when X.nRows != n, n, p or q is 0, or tol <= 0.
  bool ResidOfOrthProjection(const KzRectMatrix& x, double tol, KzBitSet& xKept,
                             KzBitSet& yKept);
  /// x = a least-squares solution of A x = b: a square matrix is first solved
  /// directly (SolveLinearSquare with rcond threshold tol; returns 0), otherwise
  /// the normal equations through the generalised inverse (LTSolve of Aᵀ A
  /// with tolerance tol; returns its redundant count). -1 (x unchanged) when
  /// the matrix is empty, tol <= 0 or |b| != nRows.
  int EstimateLinearGI(const std::vector<double>& b, std::vector<double>& x, double tol) const;
  /// Householder QR: with m = max(nRows, nCols), k = min(nRows, nCols) and A
  /// (transposed when wide) m x k: A = q[:, 0..k) R, q (m x m) orthogonal,
  /// R upper triangular with R(i,i) >= 0 held in r (order k; R(i,j), j >= i,
  /// at r's (i, j), mirrored below). False for an empty matrix or a failed
  /// resize (r and q unchanged). q may be this matrix.
  bool QRDecompositionH(KzSymMatrix& r, KzRectMatrix& q) const;
  /// tr = trace(A S) = sum_i row i of A . row i of S; false unless A is square
  /// of S's order.
  bool TraceOfProductSqS(const KzSymMatrix& s, double& tr) const;
  /// This matrix (resized to c x c when needed) = R1ᵀ W R2, W the window of S
  /// at rows and columns sOff..sOff+sSize-1, R1 and R2 the sSize rows from
  /// off1 and off2 of r1 and r2, which have the same column count c. False
  /// (nothing changed) for a negative offset or size, a range past a matrix or
  /// unequal column counts. r1 or r2 may be this matrix.
  bool ComputeR1TransSR2(const KzRectMatrix& r1, int off1, const KzRectMatrix& r2, int off2,
                         const KzSymMatrix& s, int sOff, int sSize);
  /// A -= f S over the full matrix; false unless A is square of S's order.
  bool SubtractSymMatrix(const KzSymMatrix& s, double f);

 private:
  void Swap(KzRectMatrix& other) noexcept;
};

}  // namespace KzMath_1_2

#endif  // KZCOMMON12R_MATH_MATRIX_KZRECTMATRIX_H
