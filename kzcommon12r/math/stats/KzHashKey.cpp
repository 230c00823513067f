#include "kzcommon12r/math/stats/KzHashKey.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <string>
#include <utility>

#include "kzcommon12r/display/KzDisplay.h"

namespace KzMath_1_2 {

int KzHashKey::ADD_LOWER_BOUND = 0;

const int KzHashKey::PRIME_FACTOR[49] = {
    3,   5,   7,   11,  13,  17,  19,  23,  29,  31,  37,  41,  43,  47,  53,  59,  61,
    67,  71,  73,  79,  83,  89,  97,  101, 103, 107, 109, 113, 127, 131, 137, 139, 149,
    151, 157, 163, 167, 173, 179, 181, 191, 193, 197, 199, 211, 223, 227, 229};

namespace {

constexpr std::int64_t kElementBoundBase = 9377657;

std::unique_ptr<std::int32_t[]> NewElements(int n) {
  return n > 0 ? std::make_unique<std::int32_t[]>(static_cast<std::size_t>(n)) : nullptr;
}

}  // namespace

KzHashKey::KzHashKey() : m_length(0), m_hash(0) {}

KzHashKey::KzHashKey(int n) : m_elements(NewElements(n)), m_length(std::max(n, 0)), m_hash(0) {
  // Zero-filled elements get their true hash, so that a key the caller never
  // fills still compares consistently.
  UpdateHashCode();
}

KzHashKey::KzHashKey(const KzHashKey& other)
    : m_elements(NewElements(other.m_length)), m_length(other.m_length), m_hash(other.m_hash) {
  std::copy_n(other.m_elements.get(), m_length, m_elements.get());
}

KzHashKey& KzHashKey::operator=(const KzHashKey& other) {
  if (this == &other) return *this;
  if (m_length != other.m_length) {
    m_elements = NewElements(other.m_length);  // allocated before the old array goes
    m_length = other.m_length;
  }
  std::copy_n(other.m_elements.get(), m_length, m_elements.get());
  m_hash = other.m_hash;
  return *this;
}

KzHashKey::KzHashKey(KzHashKey&& other) noexcept
    : m_elements(std::move(other.m_elements)), m_length(other.m_length), m_hash(other.m_hash) {
  other.m_length = 0;
  other.m_hash = 0;
}

KzHashKey& KzHashKey::operator=(KzHashKey&& other) noexcept {
  if (this == &other) return *this;
  m_elements = std::move(other.m_elements);
  m_length = std::exchange(other.m_length, 0);
  m_hash = std::exchange(other.m_hash, 0);
  return *this;
}

KzHashKey::~KzHashKey() = default;

int KzHashKey::ComputeHashCode() const {
  // Unsigned arithmetic: the products are meant to wrap modulo 2^32, which
  // signed int arithmetic does not define.
  const std::uint32_t offset = static_cast<std::uint32_t>(ADD_LOWER_BOUND);
  std::uint32_t h = 0;
  int p = 0;
  for (int i = 0; i < m_length; ++i) {
    h ^= (offset + static_cast<std::uint32_t>(m_elements[i])) *
         static_cast<std::uint32_t>(PRIME_FACTOR[p]);
    if (++p == 49) p = 0;
  }
  return static_cast<int>(static_cast<std::int32_t>(h));
}

bool KzHashKey::operator==(const KzHashKey& other) const {
  return m_hash == other.m_hash && m_length == other.m_length &&
         std::equal(m_elements.get(), m_elements.get() + m_length, other.m_elements.get());
}

int KzHashKey::Mismatch(const KzHashKey& other) const {
  const int n = std::min(m_length, other.m_length);
  int i = 0;
  while (i < n && m_elements[i] == other.m_elements[i]) ++i;
  return i;
}

int KzHashKey::GetElementUpperBound() {
  const std::int64_t bound = kElementBoundBase - ADD_LOWER_BOUND;
  return bound > INT_MAX ? INT_MAX : static_cast<int>(bound);
}

void KzHashKey::Display() const {
  std::string line = "\t Key: ";
  char item[16];
  for (int i = 0; i < m_length; ++i) {
    std::snprintf(item, sizeof item, "  %d", static_cast<int>(m_elements[i]));
    line += item;
  }
  KzDisplay_1_2::DisplayText(1, line);
}

bool operator<(const KzHashKey& a, const KzHashKey& b) {
  const int n = a.GetLength();
  if (n != b.GetLength()) return n < b.GetLength();
  for (int i = 0; i < n; ++i)
    if (a[i] != b[i]) return a[i] < b[i];
  return false;
}

}  // namespace KzMath_1_2
