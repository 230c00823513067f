// Symmetric matrix of m x m symmetric blocks of one order b, stored as the
// packed lower triangle of blocks, and its copy into one packed matrix.

#include "kzcommon12r/math/matrix/KzSymBlockMatrix.h"

#include <algorithm>
#include <climits>
#include <new>
#include <stdexcept>
#include <utility>

#include "kzcommon12r/display/KzDisplay.h"

namespace KzMath_1_2 {

using namespace KzDisplay_1_2;

KzSymBlockMatrix::KzSymBlockMatrix() : nBlockRows(0), blockOrder(0) {}

KzSymBlockMatrix::KzSymBlockMatrix(int m, int b) : nBlockRows(0), blockOrder(0) {
  SetNRows(m, b);
}

KzSymBlockMatrix::KzSymBlockMatrix(const KzSymBlockMatrix& other)
    : nBlockRows(other.nBlockRows), blockOrder(other.blockOrder) {
  try {
    blocks = other.blocks;
  } catch (const std::bad_alloc&) {
    SetFailed();
    return;
  }
  for (const KzSymMatrix& blk : blocks)
    if (!blk.IsValidMatrix()) {
      SetFailed();
      return;
    }
}

KzSymBlockMatrix& KzSymBlockMatrix::operator=(const KzSymBlockMatrix& other) {
  if (this != &other) {
    KzSymBlockMatrix copy(other);
    nBlockRows = copy.nBlockRows;
    blockOrder = copy.blockOrder;
    blocks.swap(copy.blocks);
  }
  return *this;
}

KzSymBlockMatrix::~KzSymBlockMatrix() = default;

void KzSymBlockMatrix::SetFailed() {
  nBlockRows = -1;
  blockOrder = -1;
  std::vector<KzSymMatrix>().swap(blocks);
}

bool KzSymBlockMatrix::ResizeNRows(std::vector<KzSymMatrix>& blocks, int& m) {
  const std::size_t count = m > 0 ? BlockPos(m - 1, m - 1) + 1 : 0;
  try {
    blocks.resize(count);
  } catch (const std::bad_alloc&) {
    m = -1;
  } catch (const std::length_error&) {
    m = -1;
  }
  if (m >= 0)
    for (const KzSymMatrix& blk : blocks)
      if (!blk.IsValidMatrix()) m = -1;
  if (m < 0) std::vector<KzSymMatrix>().swap(blocks);
  return m >= 0;
}

bool KzSymBlockMatrix::SetNRows(int m, int b) {
  m = std::max(m, 0);
  b = std::max(b, 0);
  // The whole must be representable as one KzSymMatrix.
  if (static_cast<long long>(m) * b > INT_MAX) {
    SetFailed();
    return false;
  }
  if (!ResizeNRows(blocks, m)) {
    SetFailed();
    return false;
  }
  for (KzSymMatrix& blk : blocks)
    if (!blk.SetNRows(b)) {
      SetFailed();
      return false;
    }
  nBlockRows = m;
  blockOrder = b;
  return true;
}

void KzSymBlockMatrix::Clear() {
  for (KzSymMatrix& blk : blocks) blk.Clear();
}

KzSymMatrix& KzSymBlockMatrix::GetElemSSRef(int i, int j) {
  if (i < 0 || j < 0 || i >= nBlockRows || j >= nBlockRows ||
      blocks.size() <= BlockPos(std::max(i, j), std::min(i, j))) {
    // Whatever an earlier caller wrote into the scratch block is dropped.
    outOfRange.SetNRows(0);
    return outOfRange;
  }
  return blocks[BlockPos(std::max(i, j), std::min(i, j))];
}

int KzSymBlockMatrix::CopyToSymMatrix(KzSymMatrix& out) const {
  const int m = nBlockRows;
  const int b = blockOrder;
  // Blocks are reached by reference, so their order is checked here rather
  // than trusted: a block of another order would be read past its end.
  bool ok = IsValidStruct() && blocks.size() == (m > 0 ? BlockPos(m - 1, m - 1) + 1 : 0);
  for (std::size_t k = 0; ok && k < blocks.size(); ++k)
    ok = blocks[k].IsValidMatrix() && blocks[k].GetNRows() == b;
  if (!ok) {
    out.SetNRows(0);
    return -1;
  }
  const int n = m * b;
  // out may be one of the blocks: the copy is then built apart.
  const bool aliased = !blocks.empty() && &out >= blocks.data() && &out < blocks.data() + blocks.size();
  if (aliased) {
    KzSymMatrix whole;
    const int rc = CopyToSymMatrix(whole);
    out = std::move(whole);
    return rc;
  }
  if (out.GetNRows() != n && !out.SetNRows(n)) {
    out.SetNRows(0);
    return -1;
  }
  if (m == 1) {
    out = blocks[0];
    if (!out.IsValidMatrix()) {
      out.SetNRows(0);
      return -1;
    }
    return n;
  }
  for (int i = 0; i < m; ++i)
    for (int k = 0; k < b; ++k) {
      double* row = out.RowData(i * b + k);
      for (int j = 0; j < i; ++j) {
        // Off-diagonal block: the whole symmetric row k.
        const KzSymMatrix& blk = blocks[BlockPos(i, j)];
        double* dst = row + static_cast<std::size_t>(j) * b;
        const double* lower = blk.RowData(k);
        std::copy(lower, lower + k + 1, dst);
        for (int l = k + 1; l < b; ++l) dst[l] = blk.LowerAt(l, k);
      }
      // Diagonal block: its packed row k.
      const double* lower = blocks[BlockPos(i, i)].RowData(k);
      std::copy(lower, lower + k + 1, row + static_cast<std::size_t>(i) * b);
    }
  return n;
}

void KzSymBlockMatrix::Display() const {
  DisplayText(1, "KzSymBlockMatrix display start");
  DisplayI("The number of rows in the KzSymBlockMatrix", nBlockRows);
  DisplayI("The number of rows in each KZMATH_NAMESPACE::KzSymMatrix matrix", blockOrder);
  for (int i = 0; i < nBlockRows; ++i)
    for (int j = 0; j <= i; ++j) {
      if (blocks.size() <= BlockPos(i, j)) break;
      DisplayText(1, "");
      DisplayI("Row number in the KzSymBlockMatrix", i);
      DisplayI("Column number in the KzSymBlockMatrix", j);
      DisplayText(1, "KZMATH_NAMESPACE::KzSymMatrix matrix:");
      blocks[BlockPos(i, j)].Display();
    }
  DisplayText(1, "KzSymBlockMatrix display end");
}

}  // namespace KzMath_1_2
