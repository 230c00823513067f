#include "kzcommon12r/math/stats/KzPackedInt.h"

#include <algorithm>
#include <climits>
#include <cstddef>
#include <cstdint>

#include "kzcommon12r/display/KzDisplay.h"
#include "kzcommon12r/math/stats/KzHashKey.h"

namespace KzMath_1_2 {

KzPackedInt::KzPackedInt() : m_n(0), m_lower(0), m_nUnits(0) {}

KzPackedInt::KzPackedInt(int n, int lowerBound, const std::vector<int>& nDiff)
    : m_n(0), m_lower(0), m_nUnits(0) {
  SetForSequence(n, lowerBound, nDiff);
}

KzPackedInt::KzPackedInt(const KzPackedInt& other) = default;
KzPackedInt& KzPackedInt::operator=(const KzPackedInt& other) = default;
KzPackedInt::~KzPackedInt() = default;

bool KzPackedInt::SetForSequence(int n, int lowerBound, const std::vector<int>& nDiff) {
  m_lower = lowerBound;
  m_nUnits = 0;
  m_unit.clear();
  m_products.clear();
  bool ok = n > 0 && nDiff.size() >= static_cast<std::size_t>(n);
  for (int i = 0; ok && i < n; ++i)
    ok = nDiff[i] >= 1 && std::int64_t{lowerBound} + nDiff[i] - 1 <= INT_MAX;
  if (!ok) {
    m_n = 0;
    m_nDiff.clear();
    return false;
  }
  m_n = n;
  m_nDiff.assign(nDiff.begin(), nDiff.begin() + n);
  m_unit.resize(static_cast<std::size_t>(n));
  m_products.resize(static_cast<std::size_t>(n));

  // A position joins the current unit while the unit's product stays within
  // the bound: ln(nDiff_i) + ln(product) <= ln(bound), decided here exactly on
  // the integers (the product stays below 2^62) rather than on rounded sums
  // of logarithms.
  const std::int64_t bound = KzHashKey::GetElementUpperBound();
  int unit = 0;
  std::int64_t product = 1;
  for (int i = 0; i < n; ++i) {
    if (product * m_nDiff[i] > bound) {
      ++unit;
      product = m_nDiff[i];
    } else {
      product *= m_nDiff[i];
    }
    m_unit[i] = unit;
    // At most max(bound, nDiff_i), both ints.
    m_products[i] = static_cast<int>(product);
  }
  m_nUnits = unit + 1;
  return true;
}

int KzPackedInt::GetNDiffVal(int i) const { return (i >= 0 && i < m_n) ? m_nDiff[i] : -1; }

bool KzPackedInt::Pack(const std::vector<int>& values, std::vector<int>& packed, bool check) const {
  if (values.size() < static_cast<std::size_t>(m_n)) return false;
  if (check) {
    for (int i = 0; i < m_n; ++i) {
      const std::int64_t offset = std::int64_t{values[i]} - m_lower;
      if (offset < 0 || offset >= m_nDiff[i]) return false;
    }
  }
  if (packed.size() != static_cast<std::size_t>(m_nUnits))
    packed.resize(static_cast<std::size_t>(m_nUnits));
  std::fill(packed.begin(), packed.end(), 0);  // an empty unit packs to 0
  // Modulo 2^32: exact for in-range values (every unit stays below 2^31),
  // defined for unchecked out-of-range ones.
  std::uint32_t sum = 0;
  for (int i = 0; i < m_n; ++i) {
    const std::uint32_t offset =
        static_cast<std::uint32_t>(values[i]) - static_cast<std::uint32_t>(m_lower);
    if (StartsUnit(i)) {
      sum = offset;
    } else {
      sum += offset * static_cast<std::uint32_t>(m_products[i - 1]);
    }
    if (i + 1 == m_n || StartsUnit(i + 1))
      packed[m_unit[i]] = static_cast<int>(static_cast<std::int32_t>(sum));
  }
  return true;
}

bool KzPackedInt::Unpack(std::vector<int>& values, const std::vector<int>& packed) const {
  if (packed.size() < static_cast<std::size_t>(m_nUnits)) return false;
  // Each unit's last position carries the unit's full product.
  for (int i = 0; i < m_n; ++i) {
    if (i + 1 < m_n && !StartsUnit(i + 1)) continue;
    const int f = packed[m_unit[i]];
    if (f < 0 || f >= m_products[i]) return false;
  }
  if (values.size() < static_cast<std::size_t>(m_n)) values.resize(static_cast<std::size_t>(m_n));
  int f = 0;
  for (int i = m_n - 1; i >= 0; --i) {
    if (i + 1 == m_n || StartsUnit(i + 1)) f = packed[m_unit[i]];
    if (StartsUnit(i)) {
      values[i] = f + m_lower;
    } else {
      // f >= 0, so the quotient is the floor; it is below nDiff_i and the
      // value fits an int (checked by the setup).
      const int divisor = m_products[i - 1];
      values[i] = f / divisor + m_lower;
      f %= divisor;
    }
  }
  return true;
}

void KzPackedInt::Display() const {
  using namespace KzDisplay_1_2;
  DisplayText(1, "KzPackedInt display start");
  DisplayI("The sequence size", m_n);
  DisplayI("The lower bound", m_lower);
  DisplayIV("The vector of numbers of different values", m_nDiff);
  DisplayI("The number of packed storage units", m_nUnits);
  DisplayIV("The vector of packed storage unit indices", m_unit);
  DisplayIV("The vector of products", m_products);
  DisplayText(1, "KzPackedInt display end");
}

}  // namespace KzMath_1_2
