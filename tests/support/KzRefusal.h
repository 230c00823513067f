#ifndef KZ_TESTS_SUPPORT_KZREFUSAL_H
#define KZ_TESTS_SUPPORT_KZREFUSAL_H

// "Unchanged on refusal": snapshot every target of a call, make the call, and
// check that it returned its failure value and that no target changed.
//
//   KZ_EXPECT_REFUSED(false, m.GetRow(7, out), m, out);
//   KZ_EXPECT_REFUSED(kMiss, v.InnerProductWithPart(dense, -1), dense);
//   KZ_EXPECT_UNCHANGED(s.Clear(), s);      // a call that returns nothing
//
// A snapshot is taken with `StateOf` when an overload exists for the target
// (doubles are then compared bit for bit: NaN equals NaN, -0 differs from +0,
// and a matrix is compared through its kind, counts and every element), and
// otherwise by copying the target and comparing with ==. Classes of later
// Parts add their `StateOf` overloads to this header, above `HasStateOf`.

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <tuple>
#include <type_traits>
#include <utility>
#include <vector>

namespace KzMath_1_2 {
class IKzRectMatrix;
class IKzSymMatrix;
class KzBitSet;
class KzRectMatrixData;
class KzSymMatrixData;
}  // namespace KzMath_1_2

namespace kztest {

/// The observable state of an object: counts (sizes, kinds, flags) and values,
/// the values compared bit for bit.
struct State {
  std::vector<long long> counts;
  std::vector<double> values;

  bool operator==(const State& other) const;
  bool operator!=(const State& other) const { return !(*this == other); }
  /// Where `after` first differs from this state, in words.
  std::string FirstDifference(const State& after) const;
};

State StateOf(double x);
State StateOf(const std::vector<double>& v);
State StateOf(const std::vector<int>& v);
State StateOf(const KzMath_1_2::KzBitSet& s);
/// Kind, validity, counts and every element through GetElem.
State StateOf(const KzMath_1_2::IKzRectMatrix& m);
/// Kind, validity, order and every element of the lower triangle through GetElem.
State StateOf(const KzMath_1_2::IKzSymMatrix& m);
/// Kind, counts and the raw row-major storage.
State StateOf(const KzMath_1_2::KzRectMatrixData& m);
/// Kind, order, block counts and the raw packed storage.
State StateOf(const KzMath_1_2::KzSymMatrixData& m);

namespace detail {

template <class T, class = void>
struct HasStateOf : std::false_type {};
template <class T>
struct HasStateOf<T, std::void_t<decltype(StateOf(std::declval<const T&>()))>> : std::true_type {};

template <class T>
auto Snapshot(const T& target) {
  if constexpr (HasStateOf<T>::value) {
    return StateOf(target);
  } else {
    return T(target);
  }
}

template <class S>
std::string Difference(const S& before, const S& after) {
  if constexpr (std::is_same_v<S, State>) {
    return before.FirstDifference(after);
  } else {
    return "was " + ::testing::PrintToString(before) + ", now " + ::testing::PrintToString(after);
  }
}

template <class S>
bool Same(const S& before, const S& after) {
  return before == after;
}

// Results: doubles bit for bit (so the missing value, NaN and infinities are
// each matched exactly), everything else with ==.
template <class E, class R>
bool SameResult(const E& expected, const R& result) {
  if constexpr (std::is_floating_point_v<E> && std::is_floating_point_v<R>) {
    const double e = static_cast<double>(expected);
    const double r = static_cast<double>(result);
    std::uint64_t eb, rb;
    std::memcpy(&eb, &e, sizeof eb);
    std::memcpy(&rb, &r, sizeof rb);
    return eb == rb || (e != e && r != r);
  } else {
    return expected == result;
  }
}

template <class Tuple, std::size_t... I>
void CompareSnapshots(const Tuple& before, const Tuple& after, const char* targetsText,
                      std::string& why, std::index_sequence<I...>) {
  auto one = [&](std::size_t index, const auto& b, const auto& a) {
    if (Same(b, a)) return;
    why += "target " + std::to_string(index + 1) + " of (" + targetsText +
           ") changed: " + Difference(b, a) + "; ";
  };
  (one(I, std::get<I>(before), std::get<I>(after)), ...);
}

}  // namespace detail

/// Calls `call`, which must return `failure`, and checks that no target changed.
template <class E, class F, class... T>
::testing::AssertionResult RefusedUnchanged(const char* callText, const char* targetsText,
                                            const E& failure, F&& call, const T&... targets) {
  const auto before = std::make_tuple(detail::Snapshot(targets)...);
  const auto result = call();
  const auto after = std::make_tuple(detail::Snapshot(targets)...);
  std::string why;
  if (!detail::SameResult(failure, result))
    why += "returned " + ::testing::PrintToString(result) + " instead of the failure value " +
           ::testing::PrintToString(failure) + "; ";
  detail::CompareSnapshots(before, after, targetsText, why, std::index_sequence_for<T...>{});
  if (why.empty()) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << callText << ": " << why;
}

/// Calls `call` and checks that no target changed (for calls that return nothing).
template <class F, class... T>
::testing::AssertionResult LeftUnchanged(const char* callText, const char* targetsText, F&& call,
                                         const T&... targets) {
  const auto before = std::make_tuple(detail::Snapshot(targets)...);
  call();
  const auto after = std::make_tuple(detail::Snapshot(targets)...);
  std::string why;
  detail::CompareSnapshots(before, after, targetsText, why, std::index_sequence_for<T...>{});
  if (why.empty()) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << callText << ": " << why;
}

}  // namespace kztest

/// EXPECT that `call` returns `failure` and leaves every listed target unchanged.
#define KZ_EXPECT_REFUSED(failure, call, ...) \
  EXPECT_TRUE(::kztest::RefusedUnchanged(     \
      #call, #__VA_ARGS__, failure, [&] { return (call); }, __VA_ARGS__))
/// EXPECT that `call` leaves every listed target unchanged.
#define KZ_EXPECT_UNCHANGED(call, ...) \
  EXPECT_TRUE(::kztest::LeftUnchanged( \
      #call, #__VA_ARGS__, [&] { (void)(call); }, __VA_ARGS__))

#endif  // KZ_TESTS_SUPPORT_KZREFUSAL_H
