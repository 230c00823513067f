#ifndef KZ_TESTS_MATH_STATS_KZHASHKEYTESTSUPPORT_H
#define KZ_TESTS_MATH_STATS_KZHASHKEYTESTSUPPORT_H

#include <cstdint>
#include <vector>

#include "kzcommon12r/math/stats/KzHashKey.h"

namespace kztest {

/// A key holding `v`, hashed.
inline KzMath_1_2::KzHashKey MakeKey(const std::vector<std::int32_t>& v) {
  KzMath_1_2::KzHashKey key(static_cast<int>(v.size()));
  for (int i = 0; i < key.GetLength(); ++i) key[i] = v[i];
  key.UpdateHashCode();
  return key;
}

/// Sets the process-wide element offset for one scope and restores it after.
class ElementOffsetScope {
 public:
  explicit ElementOffsetScope(int offset) : m_saved(KzMath_1_2::KzHashKey::GetElementOffset()) {
    KzMath_1_2::KzHashKey::SetElementOffset(offset);
  }
  ~ElementOffsetScope() { KzMath_1_2::KzHashKey::SetElementOffset(m_saved); }
  ElementOffsetScope(const ElementOffsetScope&) = delete;
  ElementOffsetScope& operator=(const ElementOffsetScope&) = delete;

 private:
  int m_saved;
};

}  // namespace kztest

#endif  // KZ_TESTS_MATH_STATS_KZHASHKEYTESTSUPPORT_H
