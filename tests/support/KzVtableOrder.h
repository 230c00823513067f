#ifndef KZ_TESTS_SUPPORT_KZVTABLEORDER_H
#define KZ_TESTS_SUPPORT_KZVTABLEORDER_H

// The order of virtual operations in a vtable, read from pointers to member
// functions. Defined on the Itanium C++ ABI only (x86): test code guards its
// use with KZ_TEST_VTABLE_ORDER.

#if defined(__x86_64__) || defined(__i386__)
#define KZ_TEST_VTABLE_ORDER 1

#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>
#include <vector>

namespace kztest {

// Itanium C++ ABI: a pointer to a virtual member function holds 1 plus the
// function's offset in the vtable, in bytes. Returns the vtable index, or -1
// for a non-virtual function.
template <class PMF>
long VIndex(PMF pmf) {
  static_assert(sizeof(PMF) == 2 * sizeof(std::ptrdiff_t), "Itanium member pointer");
  std::ptrdiff_t raw[2];
  std::memcpy(raw, &pmf, sizeof raw);
  if ((raw[0] & 1) == 0) return -1;  // not virtual
  return static_cast<long>((raw[0] - 1) / static_cast<std::ptrdiff_t>(sizeof(void*)));
}

// The slot order, index k holding slot k + 1; the destructor's two Itanium
// entries are slot 0.
inline void ExpectTableOrder(const std::vector<long>& indices) {
  for (std::size_t k = 0; k < indices.size(); ++k)
    EXPECT_EQ(indices[k], static_cast<long>(k) + 2) << "table slot " << k + 1;
}

}  // namespace kztest

#endif

#endif  // KZ_TESTS_SUPPORT_KZVTABLEORDER_H
