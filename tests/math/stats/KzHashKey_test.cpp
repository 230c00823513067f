#include "kzcommon12r/math/stats/KzHashKey.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <random>
#include <utility>
#include <vector>

#include "KzHashKeyTestSupport.h"
#include "support/KzDisplayCapture.h"

using KzMath_1_2::KzHashKey;
using kztest::ElementOffsetScope;
using kztest::MakeKey;
using Elements = std::vector<std::int32_t>;

namespace {

// The odd primes in order, by trial division.
std::vector<std::int64_t> OddPrimes(int count) {
  std::vector<std::int64_t> primes;
  for (std::int64_t p = 3; static_cast<int>(primes.size()) < count; p += 2) {
    bool prime = true;
    for (std::int64_t d = 3; d * d <= p && prime; d += 2) prime = p % d != 0;
    if (prime) primes.push_back(p);
  }
  return primes;
}

// The hash from its definition, in 64-bit arithmetic reduced modulo 2^32.
int OracleHash(const Elements& v, int offset, const std::vector<std::int64_t>& primes) {
  std::uint64_t h = 0;
  for (std::size_t i = 0; i < v.size(); ++i) {
    const std::uint64_t term =
        static_cast<std::uint64_t>((std::int64_t{offset} + v[i]) * primes[i % 49]);
    h ^= term & 0xFFFFFFFFu;
  }
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(h));
}

TEST(KzHashKey, HashMatchesItsDefinition) {
  const std::vector<std::int64_t> primes = OddPrimes(49);
  ASSERT_EQ(primes.back(), 229);
  for (int i = 0; i < 49; ++i) EXPECT_EQ(KzHashKey::PRIME_FACTOR[i], primes[i]) << i;

  // Hand values: 1*3 ^ 2*5; 101*3 ^ 102*5; with wrap-around,
  // (2^31 - 1)*3 = 2147483645 and -2^31*5 = 2^31 (mod 2^32), XOR -3.
  EXPECT_EQ(MakeKey({}).GetHashcode(), 0);
  EXPECT_EQ(MakeKey({1, 2}).GetHashcode(), 9);
  EXPECT_EQ(MakeKey({INT32_MAX, INT32_MIN}).GetHashcode(), -3);
  {
    ElementOffsetScope offset(100);
    EXPECT_EQ(MakeKey({1, 2}).GetHashcode(), 209);
  }

  // Random keys past the 49-prime cycle, elements and offsets over the whole range.
  std::mt19937 rng(20240521);
  std::uniform_int_distribution<std::int32_t> anyInt(INT32_MIN, INT32_MAX);
  for (int offset : {0, 100, -7, INT_MAX, INT_MIN}) {
    ElementOffsetScope scope(offset);
    for (int length = 0; length <= 120; length += 7) {
      Elements v(static_cast<std::size_t>(length));
      for (auto& x : v) x = anyInt(rng);
      EXPECT_EQ(MakeKey(v).GetHashcode(), OracleHash(v, offset, primes))
          << "offset " << offset << ", length " << length;
    }
  }
}

TEST(KzHashKey, OrderEqualityAndPrefixMatchAgreeWithVectors) {
  // Every key of length 0 to 3 over {-1, 0, 1}; oracle: length first, then
  // lexicographic order of the elements.
  std::vector<Elements> all;
  for (int length = 0, count = 1; length <= 3; ++length, count *= 3)
    for (int code = 0; code < count; ++code) {
      Elements v;
      for (int i = 0, c = code; i < length; ++i, c /= 3) v.push_back(c % 3 - 1);
      all.push_back(v);
    }
  ASSERT_EQ(all.size(), 40u);
  for (const Elements& a : all) {
    const KzHashKey ka = MakeKey(a);
    for (const Elements& b : all) {
      const KzHashKey kb = MakeKey(b);
      const bool less = a.size() != b.size() ? a.size() < b.size() : a < b;
      const std::size_t n = std::min(a.size(), b.size());
      const auto prefix = std::mismatch(a.begin(), a.begin() + n, b.begin()).first - a.begin();
      ASSERT_EQ(ka < kb, less) << ::testing::PrintToString(a) << " < "
                               << ::testing::PrintToString(b);
      ASSERT_EQ(ka == kb, a == b);
      ASSERT_EQ(ka.Mismatch(kb), prefix);
    }
  }
}

TEST(KzHashKey, CachedHashChangesOnlyOnUpdate) {
  KzHashKey key = MakeKey({4, 5, 6});
  const KzHashKey fresh = MakeKey({4, 9, 6});
  key[1] = 9;
  EXPECT_FALSE(key == fresh);                // same elements, stale hash
  EXPECT_FALSE(key < fresh || fresh < key);  // the order ignores the hash
  key.UpdateHashCode();
  EXPECT_TRUE(key == fresh);

  // The offset enters the hash and the element bound.
  EXPECT_EQ(KzHashKey::GetElementOffset(), 0);
  EXPECT_EQ(KzHashKey::GetElementUpperBound(), 9377657);
  ElementOffsetScope offset(100);
  EXPECT_EQ(KzHashKey::GetElementUpperBound(), 9377557);
  EXPECT_FALSE(MakeKey({4, 9, 6}) == fresh);
  EXPECT_TRUE(MakeKey({}) == MakeKey({}));
  KzHashKey::SetElementOffset(INT_MIN);
  EXPECT_EQ(KzHashKey::GetElementUpperBound(), INT_MAX);  // 9377657 + 2^31 does not fit
}

TEST(KzHashKey, CopiesAreDeepAndMovesEmptyTheSource) {
  const KzHashKey a = MakeKey({1, 2, 3});
  KzHashKey b(a), c = MakeKey({5});
  b[0] = 7;
  c = a;  // other length: reallocated
  EXPECT_TRUE(c == a);
  c = b;  // same length: copied in place, the stale hash with it
  EXPECT_TRUE(a[0] == 1 && c[0] == 7 && c.GetHashcode() == a.GetHashcode());
  KzHashKey d(std::move(c));
  EXPECT_TRUE(d.GetLength() == 3 && c.GetLength() == 0);  // NOLINT(bugprone-use-after-move)
  EXPECT_EQ(KzHashKey(-4).GetLength(), 0);
  EXPECT_TRUE(KzHashKey(2) == MakeKey({0, 0}));
}

TEST(KzHashKey, DisplayLayout) {
  kztest::DisplayCapture capture;
  MakeKey({1, -22, 333}).Display();
  MakeKey({}).Display();
  EXPECT_EQ(capture.Text(), "\n\t Key:   1  -22  333\n\t Key: ");
}

}  // namespace
