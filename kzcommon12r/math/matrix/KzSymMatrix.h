#ifndef KZCOMMON12R_MATH_MATRIX_KZSYMMATRIX_H
#define KZCOMMON12R_MATH_MATRIX_KZSYMMATRIX_H

#include <vector>

#include "kzcommon12r/kzcommon12r_export.h"
#include "kzcommon12r/math/matrix/KzSymMatrixData.h"

namespace KzMath_1_2 {

class IKzRectMatrix;
class KzBitSet;
class KzRectMatrix;

/// The dense symmetric matrix of order n, stored as the packed lower triangle
/// of `KzSymMatrixData` (element (i, j), j <= i, at i(i+1)/2 + j): cross-product
/// accumulation, reshaping, extraction, products with vectors, rectangular and
/// symmetric matrices, traces, and the partial inner products ("walks") on
/// which the factorisations and the block-diagonal algebra are built.
///
/// Conventions: indices count from 0; n is the order; L is the lower triangle
/// that the matrix holds after a Cholesky factorisation (the walk helpers read
/// it, they never factor). A refusal returns false, -1 or the missing value and
/// leaves every target unchanged; nothing throws for a bad index. O(1) index and
/// length tests are always made; only O(n) scans follow a `check` flag. Outputs
/// may be the same object as an input (`s.ComputeSV(v, v)`,
/// `s.ExtractSubmatrix(rows, s)`): the result is then built in a temporary.
/// An allocation failure while sizing the packed storage makes the matrix
/// invalid (order -1) and the sizing operation false.
class KZ_EXPORT KzSymMatrix : public KzSymMatrixData {
 public:
  /// Order 0.
  KzSymMatrix();
  /// Order n (negative n gives 0), one block, all elements 0.
  explicit KzSymMatrix(int n);
  /// Order nBlocks * blockSize, all elements 0; order 0 when either is <= 0.
  KzSymMatrix(int nBlocks, int blockSize);
  KzSymMatrix(const KzSymMatrix& other);
  KzSymMatrix(KzSymMatrix&& other) noexcept;
  KzSymMatrix& operator=(const KzSymMatrix& other);
  KzSymMatrix& operator=(KzSymMatrix&& other) noexcept;
  ~KzSymMatrix() override;

  // The interface overloads that this class leaves at their defaults stay
  // visible beside the members with KzSymMatrix and KzRectMatrix arguments.
  using IKzSymMatrix::ComputeLSLTrans;
  using IKzSymMatrix::ComputeRByRTrans;
  using IKzSymMatrix::ComputeRowDotProductS;
  using IKzSymMatrix::ComputeRS;
  using IKzSymMatrix::ComputeRSRTrans;
  using IKzSymMatrix::ComputeRTransByR;
  using IKzSymMatrix::ComputeSS;
  using IKzSymMatrix::ComputeSTransS;
  using IKzSymMatrix::ComputeVSV;
  using IKzSymMatrix::CopyRowToRColumn;
  using IKzSymMatrix::ExtractFirstNRows;
  using IKzSymMatrix::ReplaceFirstRows;
  using IKzSymMatrix::TraceOfProduct;
  using IKzSymMatrix::TraceOfProductOfThree;
  using IKzSymMatrix::SetElem;

  /// `kSymMatrix` (0).
  SymMatrixType GetType() const override;

  // ===== Shape =====

  /// Order n as one block (n < 0 gives 0); the leading min(old, new) block is
  /// kept, new elements 0. False (matrix invalid) when allocation fails.
  bool Resize(int n) override;
  /// `Resize`, then every element 0.
  bool SetNRows(int n) override;
  /// nBlocks = k, blockSize = n / k; false when k <= 0, n <= 0 or k does not
  /// divide n.
  bool SetNBlocks(int k);
  /// Takes over the counts and elements of `data`.
  void SetData(const KzSymMatrixData& data);
  /// Becomes v vᵀ of order |v|; false when allocation fails.
  bool SetToVV(const std::vector<double>& v);
  /// Every element 0.
  void Clear() override;
  /// Removes row and column i; the order drops by one (one block).
  bool DeleteOneRow(int i);
  /// out = order mask.Size() (all 0), then row and column k of this matrix at
  /// the k-th flagged position; placement stops at this matrix's order. out may
  /// be this matrix.
  void Expand(const KzBitSet& mask, KzSymMatrix& out) const;
  /// For B (p x n, n >= 1): out = [[S, Bᵀ], [B, 0]] of order n + p.
  bool ExpandSym(const KzRectMatrix& b, KzSymMatrix& out) const;
  /// The same bordered matrix as a full (n+p) x (n+p) rectangle.
  bool ExpandSymToRect(const KzRectMatrix& b, KzRectMatrix& out) const;

  // ===== Extraction =====

  /// out (a full `KzSymMatrix`, `GetType()` = 0) = the listed rows and
  /// columns; every index must lie in 0..n-1 and the list be strictly
  /// increasing. out may be this matrix.
  bool ExtractSubmatrix(const std::vector<int>& indices, IKzSymMatrix& out) const override;
  /// out = the leading block of order n - 1 (order 0 for n <= 1).
  void ExtractFirstNRows(KzSymMatrix& out) const;
  /// The leading k x k block = that of S; refused when k < 1 or an order < k.
  bool ReplaceFirstRows(const KzSymMatrix& s, int k);
  /// out (order size) += the diagonal block at (start, start).
  bool ExtractDiagBlock(int start, int size, KzSymMatrix& out) const;
  /// out (order size + 1) += the diagonal block at (start, start), bordered by
  /// the last row's columns start..start+size-1 and the last diagonal element;
  /// requires start + size < n.
  bool ExtractBlockAndLastRow(int start, int size, KzSymMatrix& out) const;
  /// out (rows x cols) += M(row0 + j, col0 + k); the block must lie in the lower
  /// triangle (col0 + cols <= row0 + 1) and row0 + rows <= n.
  bool ExtractBlockInLowTriangular(int row0, int col0, int rows, int cols,
                                   KzRectMatrix& out) const;
  /// out[0..count) = M(n-1, first..first+count-1); out grown to count when
  /// shorter; requires first >= 0, count >= 1, first + count <= n.
  bool ExtractPartOfLastRow(int first, int count, std::vector<double>& out) const;
  /// M(row, first + t), t = 0..L-1 (L = last - first + 1), into out[t·stride]
  /// (stride >= 0) or out[|stride|·(L-1) - t·|stride|] (stride < 0); out grown
  /// to |stride|·(L-1) + 1 when shorter. False when row, first or last is
  /// outside the matrix or first > last.
  bool GetPCol(int row, int first, int last, std::vector<double>& out, int stride) const;

  // ===== Elements, rows, diagonal =====

  /// M(i, j) = M(j, i) = x; false out of range.
  bool SetElem(int i, int j, double x) override;
  /// Packed position k = x (0 <= k < n(n+1)/2); false out of range.
  bool SetElem(int k, double x);
  /// Row and column i = row[0..n); false when i is out of range or |row| < n.
  bool PutRow(int i, const std::vector<double>& row) override;
  /// Row and column i, the diagonal included, = x.
  bool SetRowColToConst(int i, double x) override;
  /// Row and column i = 0.
  bool ZeroOut(int i) override;
  /// Zeroes every row and column whose flag is false; false when kept.Size() < n.
  bool ZeroOutRedundant(const KzBitSet& kept);
  /// For r > 0: every off-diagonal |m_ij| <= r sqrt(|m_ii| |m_jj|) becomes 0.
  void ZeroOutNonDiag(double r) override;
  /// For r > 0: row i is zeroed when the running maximum a of |m_kk|, k <= i, is
  /// 0 or |m_ii| / a < r.
  void ZeroOutRowsForSmallDiag(double r);
  /// With a = the largest diagonal value: each diagonal b <= 0 or b / a <= r
  /// becomes a. False when r < 0, n = 0 or a is not > 0.
  bool ReplaceDiagZeroes(double r);
  /// x added to every diagonal element.
  void AddToDiagonal(double x) override;
  /// x added to diagonal elements first..last; false unless 0 <= first <= last < n.
  bool AddToDiagonalPart(int first, int last, double x);
  /// M = -M.
  void ChangeSign() override;
  /// M = x M.
  void MultiplyByNumber(double x) override;
  /// Off-diagonal elements >= 1 become 1 - delta, <= -1 become -(1 - delta);
  /// false unless 0 <= delta < 1.
  virtual bool AdjustOffDiagCorr(double delta);
  /// The extremes of the diagonal; untouched when n = 0.
  void MaxMinDiag(double& max, double& min) const override;
  /// The extremes of the diagonal and of the off-diagonal elements; the
  /// off-diagonal pair stays at -DBL_MAX, +DBL_MAX for n = 1; untouched for n = 0.
  void MaxMinDiagOffDiag(double& maxD, double& minD, double& maxO, double& minO) const override;
  /// out = the diagonal (resized to n), each element below lo replaced by repl.
  void GetNCheckDiagonal(std::vector<double>& out, double lo, double repl) const override;
  /// Row i is exactly zero in the columns flagged in cols (columns beyond its
  /// size are not flagged); false when i is out of range.
  bool IsZeroRow(int i, const KzBitSet& cols) const override;
  /// For every i with this(i, i) <= 0 or other(i, i) <= 0, row and column i are
  /// zeroed in both; false when the orders differ.
  bool SetCovarZeros(KzSymMatrix& other);

  // ===== Traces =====

  /// Sum of the diagonal.
  double Trace() const override;
  /// trace(M S); missing when the orders differ, 0 for n = 0.
  double TraceOfProduct(const KzSymMatrix& s) const;
  /// trace(M S T); missing when the orders differ.
  double TraceOfProductOfThree(const KzSymMatrix& s, const KzSymMatrix& t) const;
  /// tr = trace of (the block of M of order k at (start, start)) times S (order
  /// k); a diagonal S uses the block's diagonal. False when start < 0 or
  /// start + k > n.
  bool TraceOfProductSubMatSym(int start, const IKzSymMatrix& s, double& tr) const;

  // ===== Accumulation of cross-products =====

  /// M += w x xᵀ (rows with x_i = 0 skipped); requires |x| = n and w > 0. The
  /// element order is that of BLAS DSPR: M(i, j) += x_j (w x_i).
  bool UpdateXX(const std::vector<double>& x, double w) override;
  /// The same for a finite weight of any sign.
  bool UpdateXXPosNegW(const std::vector<double>& x, double w);
  /// The same restricted to elements whose row and column are both flagged;
  /// requires |x| = n, kept.Size() >= n and w > 0.
  bool UpdateXXNonRedun(const std::vector<double>& x, const KzBitSet& kept, double w);
  /// M(idx[i], idx[j]) += w x_i x_j over the first k (index, value) pairs (indices
  /// increasing), j = 0, 1, ... up to the first index exceeding idx[i]. Indices
  /// below 0 (the missing-category code) or past n-1 are skipped. Requires
  /// k >= 0, |idx| >= k, |x| >= k and w > 0.
  bool UpdateXXSparse(int k, const std::vector<int>& idx, const std::vector<double>& x,
                      double w) override;
  /// The same with every index shifted by offset (0 <= offset < n): an update of
  /// the trailing corner block at (offset, offset).
  bool UpdateXXCornerSparse(int k, const std::vector<int>& idx, const std::vector<double>& x,
                            double w, int offset);
  /// M += w [A B]ᵀ [A B]; requires equal row counts, n = a.nCols + b.nCols, w > 0.
  bool UpdateXXMat2(const KzRectMatrix& a, const KzRectMatrix& b, double w);
  /// Becomes R Rᵀ (order r.nRows).
  bool ComputeRByRTrans(const KzRectMatrix& r);
  /// Becomes Rᵀ R (order r.nCols).
  bool ComputeRTransByR(const KzRectMatrix& r);
  /// M += a X for any symmetric kind X of the same order.
  bool ComputeAXpY(double a, const IKzSymMatrix& x) override;

  // ===== Products with vectors =====

  /// out = S v (out sized n); requires |v| >= n (the first n are used). v and
  /// out may be the same vector.
  bool ComputeSV(const std::vector<double>& v, std::vector<double>& out) const override;
  /// out[0..k) = (leading k x k block of S) v[0..k); out grown to k when shorter;
  /// refused when k < 0, k > n or |v| < k.
  bool ComputeSV(int k, const std::vector<double>& v, std::vector<double>& out) const override;
  /// vᵀ S v; missing unless |v| = n.
  double ComputeVSV(const std::vector<double>& v) const override;
  /// rᵀ S r for row `row` of R (R.nCols = n); missing otherwise.
  double ComputeVSV(const KzRectMatrix& r, int row) const;
  /// sqrt(vᵀ S v); missing when |v| != n or the form is negative or NaN.
  double SquareRootVSV(const std::vector<double>& v) const;
  /// vᵀ S w; missing unless |v| = |w| = n.
  double ComputeVSW(const std::vector<double>& v, const std::vector<double>& w) const override;
  /// vᵀ S w, v[t] = p[t·sp], w[t] = q[t·sq], t < n; missing for a null array or
  /// a stride < 1 (the arrays carry no length: the caller guarantees them).
  double ComputeVSW(const double* p, int sp, const double* q, int sq) const override;
  /// Element (i, j) of S T S over the leading k rows and columns of S, T given by
  /// its packed storage t of order k; missing when |t| < k(k+1)/2, i or j is
  /// outside 0..k-1 or k > n.
  double ComputeVSW(const std::vector<double>& t, int i, int j, int k) const override;
  /// Sum over i < min(n, nw), j < min(n, nv) of w_i S(i, j) v_j; missing for a
  /// null array or a negative count.
  double ComputeVSWParts(const double* v, int nv, const double* w, int nw) const override;
  /// The same on vectors; missing when |v| < nv or |w| < nw.
  double ComputeVSWParts(const std::vector<double>& v, int nv, const std::vector<double>& w,
                         int nw) const override;
  /// Row i of S times v[0], v[k], ..., v[(n-1)k]; missing for i out of range, a
  /// null v or k < 0.
  double ComputeRVD(int i, const double* v, int k) const override;
  /// The same on a vector; missing also when the walk leaves v.
  double ComputeRVD(int i, const std::vector<double>& v, int k) const override;
  /// Row i of S times the sparse vector given by its first k (idx, p) pairs;
  /// indices outside 0..n-1 are skipped; missing when i is out of range, k < 0
  /// or either vector is shorter than k.
  double ComputeRVD(int i, const std::vector<int>& idx, const std::vector<double>& p, int k) const;
  /// Row i of S . column k of the symmetric matrix of order n whose packed
  /// storage is v; missing for a bad index or |v| < n(n+1)/2.
  double ComputeRowDotProductS(int i, const std::vector<double>& v, int k) const override;
  /// Row i of S . column k of T (same order).
  double ComputeRowDotProductS(int i, const KzSymMatrix& t, int k) const;
  /// Row i . row j (element (i, j) of S²).
  double ComputeDotProduct2Rows(int i, int j) const override;
  /// out = L v (L the lower triangle held here); |v| >= n; out sized n.
  bool ComputeLV(const std::vector<double>& v, std::vector<double>& out) const override;
  /// out = L v for v sparse: pairs (idx[t], v[t]), t < |idx|; refused when
  /// |v| < |idx| or an index is outside 0..n-1.
  bool ComputeLV(const std::vector<int>& idx, const std::vector<double>& v,
                 std::vector<double>& out) const override;
  /// out = Lᵀ v; |v| >= n; out sized n.
  bool ComputeLTransV(const std::vector<double>& v, std::vector<double>& out) const override;
  /// out = Lᵀ v for v sparse (as `ComputeLV`).
  bool ComputeLTransV(const std::vector<int>& idx, const std::vector<double>& v,
                      std::vector<double>& out) const override;
  /// v[first + t] += w M(i, t), t < min(count, n). Refused when i is out of range,
  /// count < 1, first < 0 or v is too short; with `check` also when count > n.
  bool IncrVecByRow(int i, std::vector<double>& v, int first, int count, double w,
                    bool check) const override;
  /// Column c of r, rows 0..k-1 = M(i, 0..k-1); k <= n and k <= r.nRows.
  bool CopyRowToRColumn(int i, KzRectMatrix& r, int c, int k) const;

  // ===== Products with matrices =====

  /// out = R S (R any rectangular kind with n columns).
  bool ComputeRS(const KzRectMatrix& r, KzRectMatrix& out) const;
  /// out = R S Rᵀ (R with n columns).
  bool ComputeRSRTrans(const KzRectMatrix& r, KzSymMatrix& out) const;
  /// out = Rᵀ S (R with n rows); out must be a `KzRectMatrix`.
  bool ComputeRTransS(const IKzRectMatrix& r, IKzRectMatrix& out) const override;
  /// out = Rᵀ S R (R with n rows); out must be a full `KzSymMatrix`.
  bool ComputeRTransSR(const IKzRectMatrix& r, IKzSymMatrix& out) const override;
  /// out = Rᵀ S v (R with n rows, |v| >= n). v and out may be the same vector.
  bool ComputeRTransSV(const IKzRectMatrix& r, const std::vector<double>& v,
                       std::vector<double>& out) const override;
  /// out = S T (n x n rectangle); T of order n.
  bool ComputeSS(const KzSymMatrix& t, KzRectMatrix& out) const;
  /// out = S S.
  void ComputeSTransS(KzSymMatrix& out) const;
  /// out = A M A, M the symmetric matrix whose packed storage is m; out given
  /// order n. A shorter m is refused; a longer m is used for its first
  /// n(n+1)/2 values and the result is false (the product is still formed).
  bool ComputeGMG(const std::vector<double>& m, KzSymMatrix& out) const override;
  /// out = A S A for S of any symmetric kind of order n; out must be a full
  /// `KzSymMatrix`. out may be this matrix or S.
  bool ComputeGSG(const IKzSymMatrix& s, IKzSymMatrix& out) const override;
  /// work = M A N + N A M (packed, grown to n(n+1)/2), out = A work A; m, nn
  /// and out full `KzSymMatrix` objects, m and nn of order n.
  bool ComputeGMGNG(const IKzSymMatrix& m, const IKzSymMatrix& nn, IKzSymMatrix& out,
                    std::vector<double>& work) const override;
  /// out = L A Lᵀ, L the lower triangle held in l (order k <= n); out of order
  /// k. out may be this matrix or l.
  bool ComputeLSLTrans(const KzSymMatrix& l, KzSymMatrix& out) const;
  /// out = Bᵀ A B, B block-diagonal with k copies of the lower triangle held in
  /// l (full or diagonal kind); k >= 1, k times l's order = n; out a full
  /// `KzSymMatrix`.
  bool ComputeLTransSL(const IKzSymMatrix& l, IKzSymMatrix& out, int k) const override;
  /// out (order p, cleared) = Aᵀ S B + Bᵀ S A for A and B of n rows and the same
  /// p >= 1 columns. out may be this matrix.
  bool ComputeRSRTrans2(const KzRectMatrix& a, const KzRectMatrix& b, KzSymMatrix& out) const;
  /// out (order p, cleared) = Vᵀ M R + Rᵀ M V, V the n x p block of s at rows
  /// a.., columns b.. (p = r.nCols, r with n rows); the block must lie in s's
  /// lower triangle (a + 1 >= b + p). out may be this matrix or s.
  bool ComputeRSRTrans2(const KzSymMatrix& s, int a, int b, const KzRectMatrix& r,
                        KzSymMatrix& out) const;
  /// This matrix becomes Rᵀ S R (order p), R the block of rows a..a+count-1 and
  /// columns b..b+p-1 of the packed lower triangle v (a + 1 >= b + p, |v| >=
  /// (a+count)(a+count+1)/2); S of order count, full or diagonal kind.
  bool ComputeRTransSymR(const std::vector<double>& v, int count, int p, int a, int b,
                         const IKzSymMatrix& s);

  // ===== Walks: partial inner products with L and with vectors =====
  // Growing walk from `start` with increment `incr`: w_t = start + t·incr +
  // t(t-1)/2 (down a column of a packed triangle). Delayed walk: m unit steps
  // from `start`, then increments incr, incr+1, ... (a packed row up to the
  // diagonal, then down the column). Each returns false, outputs unchanged,
  // for a bad argument or a walk that leaves its vector.

  /// r = sum_{t<n} M(i, t) v[w_t]; incr >= 1.
  bool ComputeDotColVecIIncrPart(int i, const std::vector<double>& v, int start, int incr,
                                 double& r) const;
  /// r = sum_{t=i}^{n-1} L(t, i) v[w_t] (walk of n positions from row 0).
  bool ComputeDotLColVecIIncrPart(int i, const std::vector<double>& v, int start, int incr,
                                  double& r) const;
  /// r = sum_{t=i}^{n-1} L(t, i) v[w_{t-i}] (walk of n - i positions from row i).
  bool ComputeDotLColVecIIncrDiag(int i, const std::vector<double>& v, int start, int incr,
                                  double& r) const;
  /// r = sum_{t=i}^{n-1} L(t, i) v[s + t]; |v| >= s + n.
  bool ComputeDotLColVecPart(int i, const std::vector<double>& v, int s, double& r) const;
  /// r = sum_{t=0}^{i} L(i, t) v[s + t]; |v| >= s + i + 1.
  bool ComputeDotLRowVecPart(int i, const std::vector<double>& v, int s, double& r) const;
  /// v[dst..dst+n) = Lᵀ v[src..src+n); the two ranges must not overlap.
  bool ComputeVecPartByL(std::vector<double>& v, int src, int dst) const;
  /// v[dst..dst+n) = Lᵀ x, x read along the growing walk; the walk must not
  /// reach into the target.
  bool ComputeVecIIncPartByL(std::vector<double>& v, int start, int incr, int dst) const;
  /// r = sum_{t<n} M(i, t) v[p_t] along the delayed walk; m >= 0, incr >= 1.
  bool DotRowVecDelayedIIncrPart(int i, const std::vector<double>& v, int start, int m,
                                 int incr, double& r) const;
  /// r = sum_{t=i}^{n-1} L(t, i) v[p_t] (positions advance from t = 0).
  bool DotLColVecDelayedIIncrPart(int i, const std::vector<double>& v, int start, int m,
                                  int incr, double& r) const;
  /// r = sum_{t=i}^{n-1} L(t, i) s(row, col + t); row, col inside s and col + n <=
  /// s's order.
  bool DotLColRowPart(int i, const KzSymMatrix& s, int row, int col, double& r) const;
  /// r = sum_{t=i+1}^{n-1} M(t, i) v[t]; |v| = n.
  bool DotProdColBelowDiagBackVec(int i, const std::vector<double>& v, double& r) const;
  /// r = sum_{t=0}^{i-1} M(i, t) v[t]; |v| = n.
  bool DotProdRowBeforeDiagFrontVec(int i, const std::vector<double>& v, double& r) const;
  /// r = sum_{t<count} Λ(i + t, i) M(row, col + t), Λ the packed lower triangle l.
  bool DotProductLColRowPart(int i, const std::vector<double>& l, int count, int row, int col,
                             double& r) const;
  /// M viewed as k diagonal blocks of order d = n / k, l the packed factor of one
  /// block: r = sum_{t<d-q} Λ(q + t, q) M(row, i + t), q = i mod d.
  bool DotProductLBlockColRow(int i, const std::vector<double>& l, int k, int row,
                              double& r) const;
  /// out[t] = sum_{j<m} M(row0 + t, col0 + j) v[j], t < count; the block lies in
  /// the lower triangle (col0 + m <= row0 + 1); out grown to count.
  bool SubSymRectV(int count, int m, int row0, int col0, const std::vector<double>& v,
                   std::vector<double>& out) const;
  /// out[j] = sum_{t<count} M(row0 + t, col0 + j) v[t], j < m; out grown to m.
  bool SubSymRectTV(int count, int m, int row0, int col0, const std::vector<double>& v,
                    std::vector<double>& out) const;
  /// out[j] = sum_{t<count} M(a + j, a + t) v[t], j < count; out grown to count.
  bool SubSymSV(int count, int a, const std::vector<double>& v, std::vector<double>& out) const;

  // ===== Bilinear forms over blocks and walked vectors (missing on refusal) =====

  /// sum_{i,j<count} w[ws + i] M(first + i, first + j) v[vs + j]: the diagonal
  /// block of order count at (first, first) against parts of v and w.
  double ComputeVSSubWParts(int first, int count, const std::vector<double>& v, int vs,
                            const std::vector<double>& w, int ws) const;
  /// sum_{i<rows, j<cols} w_i M(row0 + i, col0 + j) v_j: any block of the matrix.
  double ComputeVSymSubW(int row0, int col0, int rows, int cols, const std::vector<double>& v,
                         const std::vector<double>& w) const;
  /// sum_{i,j<n} v[g_i] M(i, j) w[ws + j·stride], g the growing walk from start
  /// with increment incr (incr >= 1, stride >= 0).
  double ComputeViiSW(const std::vector<double>& v, int start, int incr,
                      const std::vector<double>& w, int ws, int stride) const;
  /// sum_{i,j<n} v[vs + i·stride] M(i, j) w[g_j], g the growing walk.
  double ComputeVSWii(const std::vector<double>& v, int vs, int stride,
                      const std::vector<double>& w, int start, int incr) const;
  /// vᵀ B w for diagonal block b (0 <= b < nBlocks) of order blockSize;
  /// |v|, |w| >= blockSize.
  double ComputeBlockVSW(int b, const std::vector<double>& v, const std::vector<double>& w) const;
  /// vᵀ B v for diagonal block b.
  double ComputeBlockVSV(int b, const std::vector<double>& v) const;

  // ===== Display =====

  /// "KzSymMatrix full matrix display start", the order, each full row at 17
  /// digits, "KzSymMatrix display end".
  void DisplayF() const override;

 private:
  friend class KzSparseVector;
  void Swap(KzSymMatrix& other) noexcept;
  /// M(i, j) += x_j (w x_i) for the rows of x, skipping x_i = 0, over n rows.
  void AddWeightedOuter(const double* x, double w);
};

}  // namespace KzMath_1_2

#endif  // KZCOMMON12R_MATH_MATRIX_KZSYMMATRIX_H
