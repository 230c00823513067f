#include "kzcommon12r/math/matrix/KzRectMatrixData.h"

#include <algorithm>
#include <string>
#include <utility>

#include "kzcommon12r/display/KzDisplay.h"

namespace KzMath_1_2 {

KzRectMatrixData::KzRectMatrixData() : nRows(0), nCols(0) {}

KzRectMatrixData::KzRectMatrixData(int nRows, int nCols)
    : nRows(std::max(nRows, 0)),
      nCols(std::max(nCols, 0)),
      elements(ElementCount(nRows, nCols), 0.0) {}

KzRectMatrixData::KzRectMatrixData(const KzRectMatrixData& other) = default;

// The interface base holds no state: nothing to take from `other`.
KzRectMatrixData::KzRectMatrixData(KzRectMatrixData&& other) noexcept
    : nRows(std::exchange(other.nRows, 0)),
      nCols(std::exchange(other.nCols, 0)),
      elements(std::move(other.elements)) {
  other.elements.clear();
}

// The element vector is copied before the counts change, so a failed copy
// (allocation) leaves this matrix as it was.
KzRectMatrixData& KzRectMatrixData::operator=(const KzRectMatrixData& other) {
  if (this != &other) {
    elements = other.elements;
    nRows = other.nRows;
    nCols = other.nCols;
  }
  return *this;
}

KzRectMatrixData& KzRectMatrixData::operator=(KzRectMatrixData&& other) noexcept {
  if (this != &other) {
    elements = std::move(other.elements);
    other.elements.clear();
    nRows = std::exchange(other.nRows, 0);
    nCols = std::exchange(other.nCols, 0);
  }
  return *this;
}

KzRectMatrixData::~KzRectMatrixData() = default;

IKzRectMatrix::RectMatrixType KzRectMatrixData::GetMatrixType() const { return kRectMatrixData; }

bool KzRectMatrixData::GetRow(int r, std::vector<double>& out) const {
  if (r < 0 || r >= nRows) return false;
  const std::size_t n = static_cast<std::size_t>(nCols);
  if (out.size() != n) out.resize(n);
  std::copy_n(RowData(r), n, out.begin());
  return true;
}

bool KzRectMatrixData::GetCol(int c, std::vector<double>& out) const {
  if (c < 0 || c >= nCols) return false;
  const std::size_t m = static_cast<std::size_t>(nRows);
  const std::size_t stride = static_cast<std::size_t>(nCols);
  if (out.size() != m) out.resize(m);
  const double* p = elements.data() + c;
  for (std::size_t r = 0; r < m; ++r, p += stride) out[r] = *p;
  return true;
}

void KzRectMatrixData::Display() const {
  using namespace KzDisplay_1_2;
  DisplayText(1, "KzRectMatrixData display start");
  DisplayI("Number of rows", nRows);
  DisplayI("Number of columns", nCols);
  if (nCols > 0) {
    for (int r = 0; r < nRows; ++r)
      DisplayDA("row  " + std::to_string(r) + ": ", RowData(r), nCols, false);
  }
  DisplayText(1, "KzRectMatrixData display end");
}

}  // namespace KzMath_1_2
