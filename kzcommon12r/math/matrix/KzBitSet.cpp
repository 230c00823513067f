#include "kzcommon12r/math/matrix/KzBitSet.h"

#include <algorithm>

#include "kzcommon12r/display/KzDisplay.h"

namespace KzMath_1_2 {

KzBitSet::KzBitSet() = default;

KzBitSet::KzBitSet(int n) : fbVec(n > 0 ? static_cast<size_t>(n) : 0, false) {}

KzBitSet::KzBitSet(const KzBitSet& other) = default;

KzBitSet& KzBitSet::operator=(const KzBitSet& other) = default;

KzBitSet::~KzBitSet() = default;

void KzBitSet::Resize(int n, bool value) {
  fbVec.assign(n > 0 ? static_cast<size_t>(n) : 0, value);
}

int KzBitSet::Append(bool value) {
  fbVec.push_back(value);
  return Size();
}

void KzBitSet::Clear() { std::fill(fbVec.begin(), fbVec.end(), false); }

bool KzBitSet::Set(int i, bool value) {
  if (i < 0 || i >= Size()) return false;
  fbVec[static_cast<size_t>(i)] = value;
  return true;
}

bool KzBitSet::SetRange(int first, int last, bool value) {
  if (first < 0 || last < first || last >= Size()) return false;
  std::fill(fbVec.begin() + first, fbVec.begin() + last + 1, value);
  return true;
}

bool KzBitSet::SetSubset(std::vector<int> indices, bool value) {
  const int n = Size();
  for (int i : indices)
    if (i < 0 || i >= n) return false;
  for (int i : indices) fbVec[static_cast<size_t>(i)] = value;
  return true;
}

int KzBitSet::CountTrue(int first, int count) const {
  return static_cast<int>(std::count(fbVec.begin() + first, fbVec.begin() + first + count, true));
}

int KzBitSet::InRange(int first, int last) const {
  if (first < 0 || last < first || last >= Size()) return -1;
  return CountTrue(first, last - first + 1);
}

int KzBitSet::InRangeS(int start, int count) const {
  // Compared as count > Size() - start so that a huge count cannot overflow.
  if (start < 0 || count < 0 || start > Size() || count > Size() - start) return -1;
  return CountTrue(start, count);
}

int KzBitSet::InSet() const { return CountTrue(0, Size()); }

void KzBitSet::Negate() { fbVec.flip(); }

void KzBitSet::DoAND(const KzBitSet& a, const KzBitSet& b) {
  const size_t m = std::min(a.fbVec.size(), b.fbVec.size());
  std::vector<bool> result(m);
  for (size_t i = 0; i < m; ++i) result[i] = a.fbVec[i] && b.fbVec[i];
  fbVec.swap(result);
}

void KzBitSet::DoOR(const KzBitSet& a, const KzBitSet& b) {
  const size_t m = std::min(a.fbVec.size(), b.fbVec.size());
  std::vector<bool> result(m);
  for (size_t i = 0; i < m; ++i) result[i] = a.fbVec[i] || b.fbVec[i];
  fbVec.swap(result);
}

KzBitSet KzBitSet::GetSubset(int first, int last) {
  KzBitSet subset;
  first = std::max(first, 0);
  last = std::min(last, Size() - 1);
  if (last < first) return subset;
  subset.fbVec.assign(fbVec.begin() + first, fbVec.begin() + last + 1);
  return subset;
}

bool KzBitSet::IsNewFalse(const KzBitSet& other, int n) const {
  const int m = std::min(n, Size());
  for (int i = 0; i < m; ++i)
    if (fbVec[static_cast<size_t>(i)] && !other.IsIn(i)) return true;
  return false;
}

void KzBitSet::Display() const {
  KzDisplay_1_2::DisplayText(1, "KzBitSet display start");
  KzDisplay_1_2::DisplayBV("fbVec", fbVec);
  KzDisplay_1_2::DisplayText(1, "KzBitSet display end");
}

}  // namespace KzMath_1_2
