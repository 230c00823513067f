#include "support/KzTestCompare.h"

#include <cmath>
#include <cstdio>

#include "kzcommon12r/common/KzMV.h"

namespace kztest {

namespace {

std::string Show(double x) {
  if (KzCommon_1_2::KzMV::IsMissing(x)) return "missing";
  char buf[40];
  std::snprintf(buf, sizeof buf, "%.17g", x);
  return buf;
}

}  // namespace

bool RelClose(double expected, double actual, double tol, std::string* why) {
  auto fail = [&](const std::string& reason) {
    if (why) *why = reason;
    return false;
  };
  using KzCommon_1_2::KzMV;
  if (KzMV::IsMissing(expected) || KzMV::IsMissing(actual))
    return KzMV::IsMissing(expected) == KzMV::IsMissing(actual) ? true
                                                                 : fail("only one is missing");
  if (std::isnan(expected) || std::isnan(actual))
    return std::isnan(expected) && std::isnan(actual) ? true : fail("only one is NaN");
  if (std::isinf(expected) || std::isinf(actual))
    return expected == actual ? true : fail("infinities differ");
  const double diff = std::fabs(actual - expected);
  const double scale = std::fmax(std::fabs(actual), std::fabs(expected));
  if (scale < std::numeric_limits<double>::min()) {
    return diff <= tol ? true : fail("subnormal values differ");
  }
  if (diff <= tol * scale) return true;
  char buf[80];
  std::snprintf(buf, sizeof buf, "relative difference %.3g exceeds %.3g", diff / scale, tol);
  return fail(buf);
}

::testing::AssertionResult AssertRelClose(const char* eExpr, const char* aExpr,
                                          const char* tolExpr, double expected, double actual,
                                          double tol) {
  std::string why;
  if (RelClose(expected, actual, tol, &why)) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure()
         << aExpr << " = " << Show(actual) << " is not within " << tolExpr << " of " << eExpr
         << " = " << Show(expected) << ": " << why;
}

::testing::AssertionResult AssertVecRelClose(const char* eExpr, const char* aExpr,
                                             const char* tolExpr,
                                             const std::vector<double>& expected,
                                             const std::vector<double>& actual, double tol) {
  if (expected.size() != actual.size())
    return ::testing::AssertionFailure() << aExpr << " has " << actual.size() << " elements, "
                                         << eExpr << " has " << expected.size();
  for (size_t i = 0; i < expected.size(); ++i) {
    std::string why;
    if (!RelClose(expected[i], actual[i], tol, &why))
      return ::testing::AssertionFailure()
             << aExpr << "[" << i << "] = " << Show(actual[i]) << " is not within " << tolExpr
             << " of " << eExpr << "[" << i << "] = " << Show(expected[i]) << ": " << why;
  }
  return ::testing::AssertionSuccess();
}

}  // namespace kztest
