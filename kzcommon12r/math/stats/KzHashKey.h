#ifndef KZCOMMON12R_MATH_STATS_KZHASHKEY_H
#define KZCOMMON12R_MATH_STATS_KZHASHKEY_H

#include <cstdint>
#include <memory>

#include "kzcommon12r/kzcommon12r_export.h"

namespace KzMath_1_2 {

/// A fixed-length key of 32-bit integers (category codes, packed integers)
/// with a cached hash code, equality, a total order and a prefix-match count.
///
/// Hash: h = XOR over i of (offset + element_i) * PRIME_FACTOR[i mod 49],
/// computed modulo 2^32 and read as a signed 32-bit value; 0 for an empty key.
/// The offset is one process-wide setting (SetElementOffset), read when a hash
/// is computed. The cached hash changes only through UpdateHashCode, so a key
/// edited through operator[] must be updated before it is compared.
class KZ_EXPORT KzHashKey {
 public:
  /// The odd primes from 3 to 229, one multiplier per position modulo 49.
  static const int PRIME_FACTOR[49];

  /// No elements, hash 0.
  KzHashKey();
  /// `n` elements (none when n <= 0), all 0, with their hash; the caller fills
  /// the elements and calls UpdateHashCode.
  explicit KzHashKey(int n);
  /// Copies the elements and the cached hash.
  KzHashKey(const KzHashKey& other);
  /// Copies the elements and the cached hash; the array is reallocated only
  /// when the lengths differ. Self-assignment does nothing.
  KzHashKey& operator=(const KzHashKey& other);
  /// Takes the array; `other` becomes an empty key.
  KzHashKey(KzHashKey&& other) noexcept;
  KzHashKey& operator=(KzHashKey&& other) noexcept;
  ~KzHashKey();

  /// Element `i` (0 <= i < GetLength(), unchecked).
  std::int32_t& operator[](int i) { return m_elements[i]; }
  const std::int32_t& operator[](int i) const { return m_elements[i]; }

  int GetLength() const { return m_length; }
  /// The cached hash code.
  int GetHashcode() const { return m_hash; }
  /// Recomputes the cached hash from the elements and the current offset.
  void UpdateHashCode() { m_hash = ComputeHashCode(); }

  /// Equal cached hash codes, equal lengths and equal elements.
  bool operator==(const KzHashKey& other) const;
  bool operator!=(const KzHashKey& other) const { return !(*this == other); }

  /// The number of leading positions at which both keys agree (at most the
  /// shorter length; 0 when either key is empty).
  int Mismatch(const KzHashKey& other) const;

  /// Sets the process-wide element offset. Keys hashed before keep their
  /// cached codes: update them before comparing with keys hashed after.
  static void SetElementOffset(int offset) { ADD_LOWER_BOUND = offset; }
  static int GetElementOffset() { return ADD_LOWER_BOUND; }
  /// 9377657 - offset: the bound below which packed integers are kept. An
  /// offset below 9377657 - 2^31 + 1 would overflow and gives INT_MAX.
  static int GetElementUpperBound();

  /// One line: "\t Key: " then "  %d" per element.
  void Display() const;

 private:
  int ComputeHashCode() const;

  /// The element offset added to every element before hashing (0 at start).
  static int ADD_LOWER_BOUND;

  std::unique_ptr<std::int32_t[]> m_elements;
  int m_length;
  int m_hash;
};

/// A shorter key is less; keys of equal length compare lexicographically by
/// element. The cached hash plays no part.
KZ_EXPORT bool operator<(const KzHashKey& a, const KzHashKey& b);

}  // namespace KzMath_1_2

#endif  // KZCOMMON12R_MATH_STATS_KZHASHKEY_H
