// Eigenvalues and eigenvectors of a symmetric matrix H or of the generalised
// problem H x = λ E x: set-up of the problem, reduction of a generalised
// problem through the Cholesky factor of E, the computation's driver, sorting
// and display. The numerical steps (Householder tridiagonalisation, QL
// iteration, back-transformation) are in KzEigenValuesTridiag.cpp.
//
// Reduction (Martin and Wilkinson, "Reduction of the symmetric eigenproblem
// Ax = λBx and related problems to standard form", Numer. Math. 11, 1968):
// with E = L Lᵀ, H x = λ E x becomes M y = λ y, M = L⁻¹ H L⁻ᵀ, y = Lᵀ x. For a
// semi-definite E the factor is found with redundancy detection and L⁻¹ is its
// generalised inverse (zero rows and columns for the redundant rows), so M is
// the reduced problem of the non-redundant rows bordered by zeros.

#include "kzcommon12r/math/matrix/KzEigenValues.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

#include "kzcommon12r/display/KzDisplay.h"

namespace KzMath_1_2 {

using namespace KzDisplay_1_2;

namespace {

constexpr double kDefaultTolerance = 1e-12;
constexpr int kDefaultMaxIter = 30;

// A tolerance is relative: at 1 or above every pivot of E would be refused and
// every off-diagonal element of the tridiagonal matrix neglected.
bool UsableTolerance(double t) { return t > 0.0 && t < 1.0; }

bool AllFinite(const KzSymMatrixData& m) {
  for (double x : m.AsVectorConst())
    if (!std::isfinite(x)) return false;
  return true;
}

}  // namespace

KzEigenValues::KzEigenValues() : KzEigenValues(kDefaultTolerance, kDefaultMaxIter) {}

KzEigenValues::KzEigenValues(double tolerance, int maxIter)
    : nRows(0),
      tolerance(UsableTolerance(tolerance) ? tolerance : kDefaultTolerance),
      maxIter(maxIter > 0 ? maxIter : kDefaultMaxIter),
      computeVectors(false),
      rankE(0),
      validE(false),
      nComputed(0) {}

KzEigenValues::KzEigenValues(const KzSymMatrix& H, double tolerance, int maxIter)
    : KzEigenValues(tolerance, maxIter) {
  SetHMatrix(H);
}

KzEigenValues::KzEigenValues(const KzSymMatrix& H, const KzSymMatrix& E, double tolerance,
                             int maxIter)
    : KzEigenValues(H, tolerance, maxIter) {
  SetEMatrix(E);
}

KzEigenValues::KzEigenValues(const KzEigenValues& other) = default;
KzEigenValues::KzEigenValues(KzEigenValues&& other) noexcept = default;
KzEigenValues& KzEigenValues::operator=(const KzEigenValues& other) = default;
KzEigenValues& KzEigenValues::operator=(KzEigenValues&& other) noexcept = default;
KzEigenValues::~KzEigenValues() = default;

bool KzEigenValues::SetTolerance(double t) {
  if (!UsableTolerance(t)) return false;
  tolerance = t;
  ClearResults();
  return true;
}

bool KzEigenValues::SetMaxIter(int m) {
  if (m <= 0) return false;
  maxIter = m;
  ClearResults();
  return true;
}

void KzEigenValues::ClearResults() {
  fmOrthInfo.SetNRows(0);
  fvDiag3.clear();
  fvSubdiag3.clear();
  fvEigenVal.clear();
  nComputed = 0;
  fmEigenVectors.SetNRowsCols(0, 0);
  fvEigPairs.clear();
}

void KzEigenValues::ClearE() {
  eMatrix.SetNRows(0);
  fvEDiag.clear();
  cholE.SetNRows(0);
  invCholE.SetNRows(0);
  fmVHV.SetNRows(0);
  rankE = 0;
  validE = false;
}

bool KzEigenValues::FormReducedMatrix() {
  return hMatrix.ComputeLSLTrans(invCholE, fmVHV) && fmVHV.GetNRows() == nRows;
}

void KzEigenValues::SetHMatrix(const KzSymMatrix& H) {
  hMatrix = H;
  nRows = hMatrix.GetNRows();
  ClearResults();
  // M depends on H: form it again from the stored inverse factor, or drop an E
  // that no longer fits, rather than keep M of the previous H.
  if (validE && !(invCholE.GetNRows() == nRows && FormReducedMatrix())) ClearE();
}

bool KzEigenValues::SetEMatrix(const KzSymMatrix& E) {
  ClearResults();
  if (E.GetNRows() != nRows || !E.IsValidMatrix() || !AllFinite(E)) {
    ClearE();
    return false;
  }
  eMatrix = E;
  cholE = E;
  E.GetDiagonal(fvEDiag);
  const int rc = cholE.LTChol(fvEDiag, tolerance, false);
  rankE = rc >= 0 ? nRows - rc : 0;
  if (rankE > 0) {
    invCholE = cholE;
    double det[2] = {0.0, 0.0};
    if (invCholE.LTDetInverse(det, 10) >= 0 && FormReducedMatrix()) {
      validE = true;
      return true;
    }
  }
  ClearE();
  return false;
}

int KzEigenValues::Compute(std::vector<double>& values) {
  const int r = ComputeAll();
  if (r > 0) values = fvEigenVal;
  return r;
}

int KzEigenValues::Compute(std::vector<double>& values, KzRectMatrix& vectors) {
  computeVectors = true;
  const int r = ComputeAll();
  if (r > 0) {
    values = fvEigenVal;
    vectors = fmEigenVectors;
  }
  return r;
}

int KzEigenValues::ComputeAll() {
  ClearResults();
  const int n = nRows;
  if (n <= 0 || hMatrix.GetNRows() != n) return -2;
  // Not-finite input: no eigenvalue can be trusted. The reduction would
  // otherwise treat a row whose scale is NaN as already reduced and report
  // finite values.
  if (!AllFinite(validE ? fmVHV : hMatrix)) return 0;
  TriDiag();
  if (!computeVectors) fmOrthInfo.SetNRows(0);
  const int t = EigenValuesTQLI();
  const int r = t == 0 ? n : t - 1;
  if (computeVectors && fmEigenVectors.GetNRows() == n) {
    // Whenever vectors were accumulated they are transformed back, whichever
    // Compute asked, so that later GetSorted calls return vectors of H (or M).
    BackTransVectors();
    // Rows of eigenvalues that did not converge hold partial rotations: zero
    // them, as their values are.
    const int first = std::max(nComputed, 0);
    if (first < n)
      std::fill(fmEigenVectors.RowData(first), fmEigenVectors.RowData(n), 0.0);
  }
  if (r > 0) {
    fvEigenVal.assign(static_cast<std::size_t>(n), 0.0);
    std::copy(fvDiag3.begin(), fvDiag3.begin() + r, fvEigenVal.begin());
  }
  return r;
}

void KzEigenValues::SortPairs(std::vector<std::pair<double, int>>& pairs, bool descending) {
  std::stable_sort(pairs.begin(), pairs.end(),
                   [](const std::pair<double, int>& a, const std::pair<double, int>& b) {
                     return a.first < b.first;
                   });
  // Decreasing order: the increasing one reversed, so equal values stand in
  // reverse order of their position.
  if (descending) std::reverse(pairs.begin(), pairs.end());
}

int KzEigenValues::GetSorted(std::vector<double>& values, bool descending) {
  int r;
  if (!fvEigenVal.empty()) {
    r = nComputed;
    if (r <= 0) return r;
    values = fvEigenVal;
  } else {
    r = Compute(values);
  }
  if (r > 0) {
    // Only the computed values are ordered; the zeros standing for the others
    // stay behind them.
    std::vector<std::pair<double, int>> pairs(static_cast<std::size_t>(r));
    for (int i = 0; i < r; ++i) pairs[static_cast<std::size_t>(i)] = {values[static_cast<std::size_t>(i)], i};
    SortPairs(pairs, descending);
    for (int i = 0; i < r; ++i) values[static_cast<std::size_t>(i)] = pairs[static_cast<std::size_t>(i)].first;
  }
  return r;
}

int KzEigenValues::GetSorted(std::vector<double>& values, KzRectMatrix& vectors,
                             bool descending) {
  int r;
  if (fmEigenVectors.GetNRows() == 0) {
    r = Compute(values, vectors);
  } else {
    r = nComputed;
    if (r > 0) values = fvEigenVal;
  }
  if (r <= 0) return r;
  const int n = nRows;
  fvEigPairs.resize(static_cast<std::size_t>(r));
  for (int i = 0; i < r; ++i)
    fvEigPairs[static_cast<std::size_t>(i)] = {values[static_cast<std::size_t>(i)], i};
  SortPairs(fvEigPairs, descending);
  values.resize(static_cast<std::size_t>(n));
  for (int i = 0; i < r; ++i) values[static_cast<std::size_t>(i)] = fvEigPairs[static_cast<std::size_t>(i)].first;
  if (vectors.GetNRows() != n || vectors.GetNCols() != n) vectors.SetNRowsCols(n, n);
  for (int i = 0; i < n; ++i)
    fmEigenVectors.CopyRowToRow(i < r ? fvEigPairs[static_cast<std::size_t>(i)].second : i, i,
                                vectors);
  return r;
}

void KzEigenValues::Display() const {
  DisplayText(1, "KzEigenValues display start");
  DisplayI("Number of rows", nRows);
  DisplayD("Tolerance", tolerance);
  DisplayI("Maximum number of iterations", maxIter);
  DisplayB("Compute eigenvectors indicator", computeVectors);
  DisplayText(1, "Matrix H:");
  hMatrix.Display();
  if (eMatrix.GetNRows() <= 0) {
    DisplayText(1, "Matrix E is identity");
  } else {
    DisplayText(1, "Matrix E:");
    eMatrix.Display();
    DisplayDV("fvEDiag", fvEDiag, false);
    DisplayText(1, "Chol(E):");
    cholE.Display();
    DisplayText(1, "Gen.Inverse of Chol(E):");
    invCholE.Display();
    DisplayText(1, "fmVHV:");
    fmVHV.Display();
    DisplayI("Rank of the E matrix", rankE);
  }
  if (fmOrthInfo.GetNRows() > 0) {
    DisplayText(1, "fmOrthInfo:");
    fmOrthInfo.Display();
    DisplayText(1, "");
  }
  if (!fvDiag3.empty()) DisplayDV("fvDiag3", fvDiag3, false);
  if (!fvSubdiag3.empty()) DisplayDV("fvSubdiag3", fvSubdiag3, false);
  DisplayI("Number of computed eigenvalues", nComputed);
  if (!fvEigenVal.empty()) DisplayDV("fvEigenVal", fvEigenVal, false);
  if (fmEigenVectors.GetNRows() > 0) {
    DisplayText(1, "fmEigenVectors:");
    fmEigenVectors.Display();
    DisplayText(1, "");
  }
  if (!fvEigPairs.empty()) DisplayVPDI("fvEigPairs", fvEigPairs);
  DisplayText(1, "KzEigenValues display end");
}

}  // namespace KzMath_1_2
