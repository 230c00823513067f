// Weighted category counts.

#include "kzcommon12r/math/stats/KzCatStats.h"

#include <climits>
#include <cmath>
#include <cstddef>
#include <new>
#include <stdexcept>

#include "kzcommon12r/common/KzMV.h"
#include "kzcommon12r/display/KzDisplay.h"

namespace KzMath_1_2 {

using KzCommon_1_2::KzMV;

KzCatStats::KzCatStats() = default;
KzCatStats::KzCatStats(const KzCatStats& other) = default;
KzCatStats& KzCatStats::operator=(const KzCatStats& other) = default;
KzCatStats::~KzCatStats() = default;

bool KzCatStats::Update(double category, double weight) {
  // Category codes are non-negative ints: anything else (the missing value,
  // NaN, infinities, values beyond INT_MAX) has no code and would otherwise be
  // an undefined conversion or a vector of billions of counts.
  if (KzMV::IsMissing(category) || !(category >= 0.0) ||
      !(category < static_cast<double>(INT_MAX) + 1.0)) {
    return false;
  }
  if (KzMV::IsMissing(weight) || !std::isfinite(weight)) return false;
  const std::size_t code = static_cast<std::size_t>(category);
  if (code >= m_counts.size()) {
    try {
      m_counts.resize(code + 1, 0.0);
    } catch (const std::bad_alloc&) {
      return false;
    } catch (const std::length_error&) {
      return false;
    }
  }
  m_counts[code] += weight > 0.0 ? weight : 1.0;
  return true;
}

void KzCatStats::Pool(const KzCatStats& other) {
  const std::size_t size = other.m_counts.size();
  if (m_counts.size() < size) m_counts.resize(size, 0.0);
  for (std::size_t i = 0; i < size; ++i) m_counts[i] += other.m_counts[i];
}

unsigned KzCatStats::GetNCategories(bool all) const {
  if (all) return static_cast<unsigned>(m_counts.size());
  unsigned nonZero = 0;
  for (double c : m_counts) {
    if (c != 0.0) ++nonZero;
  }
  return nonZero;
}

double KzCatStats::GetSumCounts() const {
  double sum = 0.0;
  for (double c : m_counts) sum += c;
  return sum;
}

double KzCatStats::GetCatCount(unsigned c) const {
  return c < m_counts.size() ? m_counts[c] : 0.0;
}

void KzCatStats::Display() const {
  KzDisplay_1_2::DisplayText(1, "KzCatStats");
  KzDisplay_1_2::DisplayDV("Category counts", m_counts, false);
}

}  // namespace KzMath_1_2
