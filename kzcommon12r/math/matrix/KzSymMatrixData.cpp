#include "kzcommon12r/math/matrix/KzSymMatrixData.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <new>
#include <stdexcept>
#include <utility>

#include "kzcommon12r/display/KzDisplay.h"

namespace KzMath_1_2 {

KzSymMatrixData::KzSymMatrixData() : nRows(0), nBlocks(0), blockSize(0) {}

KzSymMatrixData::KzSymMatrixData(int n) : nRows(0), nBlocks(0), blockSize(0) { ResizeOrder(n); }

KzSymMatrixData::KzSymMatrixData(int nBlocks, int blockSize) : nRows(0), nBlocks(0), blockSize(0) {
  if (nBlocks <= 0 || blockSize <= 0) return;
  const std::int64_t order = static_cast<std::int64_t>(nBlocks) * blockSize;
  if (order > INT_MAX) {
    SetInvalid();  // an order that an int cannot hold
    return;
  }
  if (ResizeOrder(static_cast<int>(order))) {
    this->nBlocks = nBlocks;
    this->blockSize = blockSize;
  }
}

KzSymMatrixData::KzSymMatrixData(const KzSymMatrixData& other) = default;

// The interface base holds no state: nothing to take from `other`.
KzSymMatrixData::KzSymMatrixData(KzSymMatrixData&& other) noexcept
    : nRows(std::exchange(other.nRows, 0)),
      nBlocks(std::exchange(other.nBlocks, 0)),
      blockSize(std::exchange(other.blockSize, 0)),
      elements(std::move(other.elements)) {
  other.elements.clear();
}

// The element vector is copied before the counts change, so a failed copy
// (allocation) leaves this matrix as it was.
KzSymMatrixData& KzSymMatrixData::operator=(const KzSymMatrixData& other) {
  if (this != &other) {
    elements = other.elements;
    nRows = other.nRows;
    nBlocks = other.nBlocks;
    blockSize = other.blockSize;
  }
  return *this;
}

KzSymMatrixData& KzSymMatrixData::operator=(KzSymMatrixData&& other) noexcept {
  if (this != &other) {
    elements = std::move(other.elements);
    other.elements.clear();
    nRows = std::exchange(other.nRows, 0);
    nBlocks = std::exchange(other.nBlocks, 0);
    blockSize = std::exchange(other.blockSize, 0);
  }
  return *this;
}

KzSymMatrixData::~KzSymMatrixData() = default;

IKzSymMatrix::SymMatrixType KzSymMatrixData::GetType() const { return kSymMatrixData; }

void KzSymMatrixData::GetDiagonal(std::vector<double>& out) const {
  if (nRows < 0) {
    out.clear();
    return;
  }
  const std::size_t n = static_cast<std::size_t>(nRows);
  if (out.size() != n) out.resize(n);
  // The diagonal element (i, i) sits at i(i+1)/2 + i; the next one i + 2 further.
  std::size_t pos = 0;
  for (std::size_t i = 0; i < n; ++i) {
    out[i] = elements[pos];
    pos += i + 2;
  }
}

bool KzSymMatrixData::GetRow(int i, std::vector<double>& out) const {
  // An invalid matrix has no rows at all: the output is emptied, like
  // GetDiagonal's, so that no caller goes on with a stale row.
  if (nRows < 0) {
    out.clear();
    return false;
  }
  if (i < 0 || i >= nRows) return false;
  const std::size_t n = static_cast<std::size_t>(nRows);
  const std::size_t row = static_cast<std::size_t>(i);
  if (out.size() != n) out.resize(n);
  // Columns 0..i: the contiguous packed row.
  std::copy_n(RowData(i), row + 1, out.begin());
  // Columns i+1..n-1: down column i, from (i+1, i) at RowStart(i+1) + i, each
  // step one row longer than the last.
  std::size_t pos = RowStart(i) + row + (row + 1);
  for (std::size_t t = row + 1; t < n; ++t) {
    out[t] = elements[pos];
    pos += t + 1;
  }
  return true;
}

double KzSymMatrixData::GetElem(int blockI, int blockJ, int i, int j) const {
  const std::int64_t r = static_cast<std::int64_t>(blockI) * blockSize + i;
  const std::int64_t c = static_cast<std::int64_t>(blockJ) * blockSize + j;
  if (r < 0 || c < 0 || r >= nRows || c >= nRows) return KzCommon_1_2::KzMV::gMissingValue;
  return GetElem(static_cast<int>(r), static_cast<int>(c));
}

void KzSymMatrixData::Display() const {
  using namespace KzDisplay_1_2;
  DisplayText(1, "KzSymMatrixData display start");
  DisplayI("The number of rows", nRows);
  DisplayI("The number of blocks", nBlocks);
  DisplayI("The block size", blockSize);
  DisplayDVTR("Lower triangular", elements, nRows);
  DisplayText(1, "KzSymMatrixData display end");
}

bool KzSymMatrixData::ResizeNRows(std::vector<double>& elements, int& n) {
  if (n <= 0) {
    elements.clear();
    n = 0;
    return true;
  }
  try {
    // PackedSize cannot overflow size_t for an int n; a size beyond
    // max_size() throws std::length_error, a failed allocation
    // std::bad_alloc, and either leaves `elements` as it was.
    elements.resize(PackedSize(n), 0.0);
  } catch (const std::bad_alloc&) {
    n = -1;
  } catch (const std::length_error&) {
    n = -1;
  }
  return n >= 0;
}

void KzSymMatrixData::SetInvalid() {
  nRows = -1;
  nBlocks = 0;
  blockSize = 0;
  std::vector<double>().swap(elements);
}

bool KzSymMatrixData::ResizeOrder(int n) {
  if (n < 0) {
    elements.clear();
    nRows = 0;
    nBlocks = 0;
    blockSize = 0;
    return true;
  }
  int order = n;
  if (!ResizeNRows(elements, order)) {
    SetInvalid();
    return false;
  }
  nRows = order;
  nBlocks = 1;
  blockSize = order;
  return true;
}

}  // namespace KzMath_1_2
