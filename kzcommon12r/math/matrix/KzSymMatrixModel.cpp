// Model-building helpers on a generalised inverse: the estimability matrix
// H = G M read from rows of the matrix into the columns of a rectangular
// matrix, and the check of a generalised inverse whose diagonal must not be
// negative (a negative variance means the inverse does not belong to a
// positive semidefinite matrix, usually after aliasing was misjudged).

#include <cstddef>
#include <vector>

#include "kzcommon12r/math/matrix/KzBitSet.h"
#include "kzcommon12r/math/matrix/KzRectMatrix.h"
#include "kzcommon12r/math/matrix/KzSymMatrix.h"

namespace KzMath_1_2 {

bool KzSymMatrix::ExtractH(int first, int last, const KzBitSet& sel, KzRectMatrix& h, int& col,
                           KzBitSet& used, int rows) const {
  const int n = nRows;
  if (rows < 0) rows = n;
  if (first < 0 || last < first || last >= n || rows > n) return false;
  if (used.Size() < n || sel.Size() < n || h.GetNRows() < rows) return false;
  int count = 0;
  for (int k = first; k <= last; ++k)
    if (sel.IsIn(k)) ++count;
  if (col < 0 || col > h.GetNCols() - count) return false;
  if (count == 0) return true;

  const int firstCol = col;
  int c = firstCol;
  std::vector<int> columnOf(static_cast<std::size_t>(n), -1);
  for (int k = first; k <= last; ++k) {
    if (!sel.IsIn(k)) continue;
    used.Set(k, true);
    for (int t = 0; t < rows; ++t) h.SetElem(t, c, At(k, t));
    columnOf[static_cast<std::size_t>(k)] = c;
    ++c;
  }
  // A selected parameter is estimable by itself: its row of H is the unit
  // row, whatever rounding left in the copied values.
  for (int k = 0; k < n && k < h.GetNRows(); ++k) {
    if (!sel.IsIn(k)) continue;
    h.ZeroOutRowPart(k, firstCol, c - 1);
    if (k >= first && k <= last) h.SetElem(k, columnOf[static_cast<std::size_t>(k)], 1.0);
  }
  // The argument is the scale that ColClean multiplies by 10000.
  for (int j = firstCol; j < c; ++j) h.ColClean(j, static_cast<double>(n) * 10000.0);
  col = c;
  return true;
}

bool KzSymMatrix::CheckGMG(const std::vector<double>& g, const KzBitSet& sel, KzSymMatrix& m,
                           KzBitSet& negative, bool& allRemoved, int& removed) const {
  const int n = nRows;
  if (n < 0 || g.size() != PackedSize(n) || sel.Size() < n || m.GetNRows() < n) return false;
  KzBitSet neg(n);
  int count = 0;
  int selected = 0;
  for (int i = 0; i < n; ++i) {
    if (!sel.IsIn(i)) continue;
    ++selected;
    if (g[PackedPos(i, i)] < 0.0) {
      neg.Set(i, true);
      m.ZeroOut(i);
      ++count;
    }
  }
  for (int i = 0; i < n; ++i) {
    if (!sel.IsIn(i) || neg.IsIn(i)) continue;
    if (m.LowerAt(i, i) <= 0.0) {
      m.ZeroOut(i);
      ++count;
    }
  }
  negative = neg;
  removed = count;
  allRemoved = count >= 1 && count == selected;
  return true;
}

}  // namespace KzMath_1_2
