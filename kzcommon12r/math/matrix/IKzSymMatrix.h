#ifndef KZCOMMON12R_MATH_MATRIX_IKZSYMMATRIX_H
#define KZCOMMON12R_MATH_MATRIX_IKZSYMMATRIX_H

#include <vector>

#include "kzcommon12r/kzcommon12r_export.h"

namespace KzMath_1_2 {

class IKzRectMatrix;
class KzBitSet;
class KzRectMatrix;
class KzSymMatrix;

/// The abstract symmetric n x n matrix: dense packed
/// (`KzSymMatrixData`, `KzSymMatrix`), diagonal (`KzDiagMatrix`) and
/// block-diagonal (`KzSymBlockDiagMatrix`) storage are reached through it.
///
/// Conventions of every operation: indices count from 0; n is the order; L
/// is the lower-triangular Cholesky factor (M = L Lᵀ) that the LT operations
/// leave in, or read from, the matrix itself; d is a vector of n reference
/// values against which pivots are judged (a pivot is accepted when it exceeds
/// eps * d[i]); output vectors are resized by the callee; a refusal returns
/// false, -1 or the missing value (`KzCommon_1_2::KzMV::gMissingValue`) and
/// leaves every target unchanged; redundant (aliased) rows are reported, never
/// treated as failure; nothing throws for a bad index.
///
/// The operations are declared in the slot order of the Part's table. The
/// core (the type query to `GetRow`) has no default; every other operation has
/// a default body that refuses (false, -1, missing) or does nothing, as noted
/// "Default:" below. Their meaning is that of the fullest implementation:
/// `KzSymMatrix` (Parts 6.5 and 6.8), with the diagonal and block-diagonal
/// variants in Parts 6.6 and 7.2.
///
/// A derived class that overrides one overload of a name hides the others;
/// it adds `using IKzSymMatrix::Name;` to keep them visible.
///
/// Departure from the Part: `GetType`, `MaxMinDiag` and `MaxMinDiagOffDiag`
/// are const (they read this matrix only), so that they can be asked of a
/// const matrix (`ComputeGSG` tests the kind of its const argument).
class KZ_EXPORT IKzSymMatrix {
 public:
  /// The storage kind, returned by `GetType`.
  enum SymMatrixType {
    kSymMatrix = 0,           ///< `KzSymMatrix`
    kSymMatrixData = 1,       ///< `KzSymMatrixData`
    kDiagMatrix = 2,          ///< `KzDiagMatrix`
    kSymBlockDiagMatrix = 3,  ///< `KzSymBlockDiagMatrix`
  };

  // Slot 0.
  virtual ~IKzSymMatrix();

  // --- Core (slots 1 to 6) ---

  /// The storage kind.
  virtual SymMatrixType GetType() const = 0;
  /// The order n (-1 for an invalid matrix).
  virtual int GetNRows() const = 0;
  /// True when the matrix is usable (n >= 0 and its storage sized).
  virtual bool IsValidMatrix() const = 0;
  /// Element (i, j) = (j, i); the missing value when i or j is outside 0..n-1.
  virtual double GetElem(int i, int j) const = 0;
  /// out = the diagonal (resized to n); emptied for an invalid matrix.
  virtual void GetDiagonal(std::vector<double>& out) const = 0;
  /// out = the full row i (resized to n); false, out unchanged, when i is out of range.
  virtual bool GetRow(int i, std::vector<double>& out) const = 0;

  // --- Slots 7 to 81, with default bodies ---

  /// x added to every diagonal element. Default: nothing.
  virtual void AddToDiagonal(double x);
  /// M = -M. Default: nothing.
  virtual void ChangeSign();
  /// inv = generalised inverse through LTChol(d, eps); the rank, and minPivot =
  /// the smallest diagonal element of L. Default: minPivot = missing, -1.
  virtual int CholInverse(const std::vector<double>& d, double eps, IKzSymMatrix& inv,
                          double& minPivot) const;
  /// As above; `kept` flags the accepted rows. Default: -1.
  virtual int CholInverse(const std::vector<double>& d, double eps, IKzSymMatrix& inv,
                          KzBitSet& kept) const;
  /// As above, rank only. Default: -1.
  virtual int CholInverse(const std::vector<double>& d, double eps, IKzSymMatrix& inv) const;
  /// Every element 0. Default: nothing.
  virtual void Clear();
  /// M += a X for a symmetric X of the same order. Default: false.
  virtual bool ComputeAXpY(double a, const IKzSymMatrix& x);
  /// det[0] * 10^det[1] = det M (1 <= |det[0]| < 10, or (0, 0)); det points to
  /// two doubles. Default: false.
  virtual bool ComputeDeterminant(double eps, double* const det) const;
  /// Row i . row j, the (i, j) element of M². Default: missing.
  virtual double ComputeDotProduct2Rows(int i, int j) const;
  /// out = A M A, M given by its packed storage m. Default: false.
  virtual bool ComputeGMG(const std::vector<double>& m, KzSymMatrix& out) const;
  /// work = M A N + N A M (packed), out = A work A. Default: false.
  virtual bool ComputeGMGNG(const IKzSymMatrix& m, const IKzSymMatrix& nn, IKzSymMatrix& out,
                            std::vector<double>& work) const;
  /// out = A S A. Default: false.
  virtual bool ComputeGSG(const IKzSymMatrix& s, IKzSymMatrix& out) const;
  /// out = L A Lᵀ, L the lower triangle held in l. Default: false.
  virtual bool ComputeLSLTrans(const IKzSymMatrix& l, IKzSymMatrix& out) const;
  /// out = Bᵀ A B, B block-diagonal with k copies of the triangle held in l.
  /// Default: false.
  virtual bool ComputeLTransSL(const IKzSymMatrix& l, IKzSymMatrix& out, int k) const;
  /// out = Lᵀ R over k blocks. Default: false.
  virtual bool ComputeLTransR(const KzRectMatrix& r, KzRectMatrix& out, int k) const;
  /// out = Lᵀ v, v sparse (positions idx). Default: false.
  virtual bool ComputeLTransV(const std::vector<int>& idx, const std::vector<double>& v,
                              std::vector<double>& out) const;
  /// out = Lᵀ v. Default: false.
  virtual bool ComputeLTransV(const std::vector<double>& v, std::vector<double>& out) const;
  /// out = L v, v sparse (positions idx). Default: false.
  virtual bool ComputeLV(const std::vector<int>& idx, const std::vector<double>& v,
                         std::vector<double>& out) const;
  /// out = L v. Default: false.
  virtual bool ComputeLV(const std::vector<double>& v, std::vector<double>& out) const;
  /// M = R Rᵀ. Default: false.
  virtual bool ComputeRByRTrans(const IKzRectMatrix& r);
  /// Row i of M . column k of the symmetric matrix whose packed storage is v.
  /// Default: missing.
  virtual double ComputeRowDotProductS(int i, const std::vector<double>& v, int k) const;
  /// Row i of M . column k of S. Default: missing.
  virtual double ComputeRowDotProductS(int i, const IKzSymMatrix& s, int k) const;
  /// out = R S. Default: false.
  virtual bool ComputeRS(const IKzRectMatrix& r, IKzRectMatrix& out) const;
  /// out = R S Rᵀ. Default: false.
  virtual bool ComputeRSRTrans(const IKzRectMatrix& r, IKzSymMatrix& out) const;
  /// M = Rᵀ R. Default: false.
  virtual bool ComputeRTransByR(const IKzRectMatrix& r);
  /// out = Rᵀ S. Default: false.
  virtual bool ComputeRTransS(const IKzRectMatrix& r, IKzRectMatrix& out) const;
  /// out = Rᵀ S R. Default: false.
  virtual bool ComputeRTransSR(const IKzRectMatrix& r, IKzSymMatrix& out) const;
  /// out = Rᵀ S v. Default: false.
  virtual bool ComputeRTransSV(const IKzRectMatrix& r, const std::vector<double>& v,
                               std::vector<double>& out) const;
  /// Row i of M . the n elements of v read with stride k. Default: missing.
  virtual double ComputeRVD(int i, const double* v, int k) const;
  /// The same on a vector (|v| >= stride * n). Default: missing.
  virtual double ComputeRVD(int i, const std::vector<double>& v, int k) const;
  /// out = S T as a rectangular matrix. Default: false.
  virtual bool ComputeSS(const IKzSymMatrix& s, IKzRectMatrix& out) const;
  /// out = S S. Default: nothing.
  virtual void ComputeSTransS(IKzSymMatrix& out) const;
  /// out[0..k-1] = leading k x k block of S times v[0..k-1]. Default: false.
  virtual bool ComputeSV(int k, const std::vector<double>& v, std::vector<double>& out) const;
  /// out = S v. Default: false.
  virtual bool ComputeSV(const std::vector<double>& v, std::vector<double>& out) const;
  /// rᵀ S r for row `row` of R. Default: missing.
  virtual double ComputeVSV(const IKzRectMatrix& r, int row) const;
  /// vᵀ S v. Default: missing.
  virtual double ComputeVSV(const std::vector<double>& v) const;
  /// Element (i, j) of S T S over the leading k rows and columns, T given by
  /// its packed storage t. Default: missing.
  virtual double ComputeVSW(const std::vector<double>& t, int i, int j, int k) const;
  /// vᵀ S w, v and w read from raw arrays with strides sv and sw. Default: missing.
  virtual double ComputeVSW(const double* v, int sv, const double* w, int sw) const;
  /// vᵀ S w. Default: missing.
  virtual double ComputeVSW(const std::vector<double>& v, const std::vector<double>& w) const;
  /// Sum over i < min(n, nw), j < min(n, nv) of w_i S(i, j) v_j. Default: missing.
  virtual double ComputeVSWParts(const double* v, int nv, const double* w, int nw) const;
  /// The same on vectors. Default: missing.
  virtual double ComputeVSWParts(const std::vector<double>& v, int nv, const std::vector<double>& w,
                                 int nw) const;
  /// First k elements of row i into column c of r. Default: false.
  virtual bool CopyRowToRColumn(int i, IKzRectMatrix& r, int c, int k) const;
  /// out = the leading block of order n-1. Default: nothing.
  virtual void ExtractFirstNRows(IKzSymMatrix& out) const;
  /// out = the listed rows and columns (increasing indices). Default: false.
  virtual bool ExtractSubmatrix(const std::vector<int>& rows, IKzSymMatrix& out) const;
  /// out = the diagonal, values below lo replaced by repl. Default: nothing.
  virtual void GetNCheckDiagonal(std::vector<double>& out, double lo, double repl) const;
  /// v[first + t] += w * M(i, t) for t = 0..count-1; `check` adds the O(n)
  /// tests. Default: false.
  virtual bool IncrVecByRow(int i, std::vector<double>& v, int first, int count, double w,
                            bool check) const;
  /// Row i is zero in the columns flagged in cols. Default: false.
  virtual bool IsZeroRow(int i, const KzBitSet& cols) const;
  /// In place M -> L with d = the diagonal checked against eps; the number of
  /// redundant rows, minPivot = the smallest diagonal element of L. Default: -1.
  virtual int LTChol(double eps, double& minPivot, bool check);
  /// In place M -> L; `kept` flags the accepted rows; the number of redundant
  /// rows. Default: -1.
  virtual int LTChol(const std::vector<double>& d, double eps, KzBitSet& kept, bool check);
  /// In place M -> L; the number of redundant rows. Default: -1.
  virtual int LTChol(const std::vector<double>& d, double eps, bool check);
  /// On a matrix holding L: the number of zero pivots; job % 10 != 0: det[0],
  /// det[1] = det L as mantissa and decimal exponent; job / 10 != 0: L -> L⁻¹
  /// in place. Default: -1.
  virtual int LTDetInverse(double* const det, int job);
  /// On a matrix holding L: M -> M⁻¹ (generalised). Default: LTDetInverse(det,
  /// 10) with a two-element det; false when that is negative, otherwise
  /// LTLTransL() and true.
  virtual bool LTInverse();
  /// L -> L Lᵀ. Default: nothing.
  virtual void LTLLTrans();
  /// W -> Wᵀ W. Default: nothing.
  virtual void LTLTransL();
  /// M -> L, then x solves M x = b (zero pivots give 0); the number of
  /// redundant rows. Default: -1.
  virtual int LTSolve(const std::vector<double>& b, double eps, std::vector<double>& x);
  /// On a matrix holding L: x solves L Lᵀ x = b. Default: -1.
  virtual int LTSubstitute(const std::vector<double>& b, std::vector<double>& x) const;
  /// The extremes of the diagonal. Default: both set to the missing value.
  virtual void MaxMinDiag(double& max, double& min) const;
  /// The extremes of the diagonal and of the off-diagonal elements. Default:
  /// all four set to the missing value.
  virtual void MaxMinDiagOffDiag(double& maxD, double& minD, double& maxO, double& minO) const;
  /// M = x M. Default: nothing.
  virtual void MultiplyByNumber(double x);
  /// Row and column i = row (|row| >= n). Default: false.
  virtual bool PutRow(int i, const std::vector<double>& row);
  /// The leading k x k block = that of S. Default: false.
  virtual bool ReplaceFirstRows(const IKzSymMatrix& s, int k);
  /// Order n, leading block kept, new elements 0. Default: false.
  virtual bool Resize(int n);
  /// Element (i, j) and (j, i) = x. Default: false.
  virtual bool SetElem(int i, int j, double x);
  /// Order n, every element 0. Default: false.
  virtual bool SetNRows(int n);
  /// Row and column i, the diagonal included, = x. Default: false.
  virtual bool SetRowColToConst(int i, double x);
  /// The sweep operator on pivot k, forward or reverse as `swept` says.
  /// Default: false.
  virtual bool Sweep(int k, double eps, const std::vector<double>& d, KzBitSet& swept, bool check);
  /// Sum of the diagonal. Default: 0.
  virtual double Trace() const;
  /// trace(M S). Default: missing.
  virtual double TraceOfProduct(const IKzSymMatrix& s) const;
  /// trace(M S T). Default: missing.
  virtual double TraceOfProductOfThree(const IKzSymMatrix& s, const IKzSymMatrix& t) const;
  /// M += w x xᵀ (|x| = n, w > 0). Default: false.
  virtual bool UpdateXX(const std::vector<double>& x, double w);
  /// M += w x xᵀ for x given by its first k (index, value) pairs. Default: false.
  virtual bool UpdateXXSparse(int k, const std::vector<int>& idx, const std::vector<double>& x,
                              double w);
  /// Row and column i = 0. Default: false.
  virtual bool ZeroOut(int i);
  /// Off-diagonal elements with |m_ij| <= x sqrt(|m_ii m_jj|) = 0. Default: nothing.
  virtual void ZeroOutNonDiag(double x);
  /// Diagnostic display. Default: nothing.
  virtual void Display() const;
  /// Full display at 17 digits. Default: nothing.
  virtual void DisplayF() const;

 protected:
  IKzSymMatrix() = default;
  // Copy and move only through a derived class: no slicing through the interface.
  IKzSymMatrix(const IKzSymMatrix&) = default;
  IKzSymMatrix(IKzSymMatrix&&) = default;
  IKzSymMatrix& operator=(const IKzSymMatrix&) = default;
  IKzSymMatrix& operator=(IKzSymMatrix&&) = default;
};

}  // namespace KzMath_1_2

#endif  // KZCOMMON12R_MATH_MATRIX_IKZSYMMATRIX_H
