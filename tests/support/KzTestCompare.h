#ifndef KZ_TESTS_SUPPORT_KZTESTCOMPARE_H
#define KZ_TESTS_SUPPORT_KZTESTCOMPARE_H

// Comparisons for numerical results that understand the missing value, NaN,
// infinities and subnormals.

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

namespace kztest {

constexpr double kEps = std::numeric_limits<double>::epsilon();

/// The tolerance ladder: named multiples of the machine epsilon.
enum class Tol { k2Eps = 2, k16Eps = 16, k256Eps = 256, k4096Eps = 4096, k65536Eps = 65536 };
inline double ToDouble(Tol t) { return static_cast<double>(t) * kEps; }

/// True when `actual` agrees with `expected` to relative tolerance `tol`:
/// missing matches only missing, NaN only NaN, an infinity only the same
/// infinity; otherwise |a - e| <= tol * max(|a|, |e|), and two values both
/// below the smallest normal double count as equal when |a - e| <= tol.
bool RelClose(double expected, double actual, double tol, std::string* why = nullptr);

/// gtest predicate-format: EXPECT_PRED_FORMAT3(kztest::AssertRelClose, e, a, tol).
::testing::AssertionResult AssertRelClose(const char* eExpr, const char* aExpr,
                                          const char* tolExpr, double expected, double actual,
                                          double tol);

/// Element-wise RelClose of two vectors of the same length.
::testing::AssertionResult AssertVecRelClose(const char* eExpr, const char* aExpr,
                                             const char* tolExpr,
                                             const std::vector<double>& expected,
                                             const std::vector<double>& actual, double tol);

}  // namespace kztest

#define KZ_EXPECT_REL(expected, actual, tol) \
  EXPECT_PRED_FORMAT3(::kztest::AssertRelClose, expected, actual, tol)
#define KZ_ASSERT_REL(expected, actual, tol) \
  ASSERT_PRED_FORMAT3(::kztest::AssertRelClose, expected, actual, tol)
#define KZ_EXPECT_VEC_REL(expected, actual, tol) \
  EXPECT_PRED_FORMAT3(::kztest::AssertVecRelClose, expected, actual, tol)

#endif  // KZ_TESTS_SUPPORT_KZTESTCOMPARE_H
