#ifndef KZ_TESTS_MATH_STATS_KZMEANSORACLE_H
#define KZ_TESTS_MATH_STATS_KZMEANSORACLE_H

// Oracles for the means and cross-products accumulators: a two-pass
// computation in long double (64-bit significand) of the weighted means and
// the (centred or raw) cross-products of a list of cases, a bit-exact snapshot
// of an accumulator, and random case lists from fixed seeds.

#include <gtest/gtest.h>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "kzcommon12r/math/stats/KzMeansXProdData.h"

namespace kztest {

struct WeightedCase {
  std::vector<double> x;
  double w;
};

/// Weighted means and packed cross-products, two passes in long double.
struct LongDoubleMoments {
  long double weight = 0;
  std::vector<long double> means;
  std::vector<long double> xprods;  // packed lower triangle by rows
};

inline LongDoubleMoments TwoPass(const std::vector<WeightedCase>& cases, int n, bool intercept) {
  const std::size_t ns = static_cast<std::size_t>(n);
  LongDoubleMoments m;
  m.means.assign(ns, 0.0L);
  m.xprods.assign(ns * (ns + 1) / 2, 0.0L);
  for (const auto& c : cases) {
    m.weight += c.w;
    for (std::size_t i = 0; i < ns; ++i) m.means[i] += static_cast<long double>(c.w) * c.x[i];
  }
  if (m.weight == 0) return m;
  for (auto& v : m.means) v /= m.weight;
  std::vector<long double> d(ns);
  for (const auto& c : cases) {
    for (std::size_t i = 0; i < ns; ++i) d[i] = intercept ? c.x[i] - m.means[i] : c.x[i];
    std::size_t k = 0;
    for (std::size_t j = 0; j < ns; ++j) {
      for (std::size_t l = 0; l <= j; ++l, ++k) m.xprods[k] += c.w * d[j] * d[l];
    }
  }
  return m;
}

/// Means within tol of the oracle relative to |mean| + sd of the variable, and
/// each cross-product within tol of sqrt(X_jj X_ll) (the scale of the entry).
inline ::testing::AssertionResult MomentsNear(const LongDoubleMoments& ref,
                                              const KzMath_1_2::KzMeansXProdData& acc,
                                              double tol) {
  const std::size_t n = ref.means.size();
  if (static_cast<std::size_t>(acc.GetNVars()) != n) {
    return ::testing::AssertionFailure() << "n " << acc.GetNVars() << " vs " << n;
  }
  const long double wErr = std::fabs(acc.GetNCases() - ref.weight);
  if (wErr > tol * std::fabs(ref.weight)) {
    return ::testing::AssertionFailure() << "W " << acc.GetNCases() << " vs "
                                         << static_cast<double>(ref.weight);
  }
  const auto& x = acc.GetXProds();
  auto diag = [&](std::size_t j) { return ref.xprods[j * (j + 1) / 2 + j]; };
  for (std::size_t i = 0; i < n; ++i) {
    const long double scale =
        std::fabs(ref.means[i]) + (ref.weight > 0 ? std::sqrt(std::fabs(diag(i)) / ref.weight) : 0);
    if (std::fabs(acc.GetMeans()[i] - ref.means[i]) > tol * scale) {
      return ::testing::AssertionFailure()
             << "mean " << i << ": " << acc.GetMeans()[i] << " vs "
             << static_cast<double>(ref.means[i]);
    }
  }
  std::size_t k = 0;
  for (std::size_t j = 0; j < n; ++j) {
    for (std::size_t l = 0; l <= j; ++l, ++k) {
      const long double scale = std::sqrt(std::fabs(diag(j) * diag(l)));
      const double got = x.GetElem(static_cast<int>(j), static_cast<int>(l));
      if (std::fabs(got - ref.xprods[k]) > tol * scale) {
        return ::testing::AssertionFailure() << "X(" << j << "," << l << "): " << got << " vs "
                                             << static_cast<double>(ref.xprods[k]);
      }
    }
  }
  return ::testing::AssertionSuccess();
}

/// Everything observable of an accumulator, doubles as bit patterns.
struct AccState {
  int n = 0;
  bool intercept = false;
  std::vector<std::uint64_t> bits;  // W, the means, the packed matrix

  explicit AccState(const KzMath_1_2::KzMeansXProdData& acc)
      : n(acc.GetNVars()), intercept(acc.IsIntercept()) {
    Push(acc.GetNCases());
    for (double m : acc.GetMeans()) Push(m);
    const auto& x = acc.GetXProds();
    bits.push_back(static_cast<std::uint64_t>(x.GetNRows()));
    for (double v : x.AsVectorConst()) Push(v);
  }
  bool operator==(const AccState& o) const {
    return n == o.n && intercept == o.intercept && bits == o.bits;
  }
  bool operator!=(const AccState& o) const { return !(*this == o); }

 private:
  void Push(double v) {
    std::uint64_t u;
    std::memcpy(&u, &v, sizeof u);
    bits.push_back(u);
  }
};

/// n variables around offset (spread ~1), weights uniform in [wLo, wHi] (1 when
/// wHi == 0).
inline std::vector<WeightedCase> RandomCases(std::uint64_t seed, int count, int n, double offset,
                                             double wLo, double wHi) {
  std::mt19937_64 gen(seed);
  std::uniform_real_distribution<double> u(-1.0, 1.0);
  std::uniform_real_distribution<double> uw(wLo, wHi);
  std::vector<WeightedCase> cases(static_cast<std::size_t>(count));
  for (auto& c : cases) {
    c.x.resize(static_cast<std::size_t>(n));
    double common = u(gen);  // correlated variables, as real data are
    for (int i = 0; i < n; ++i) c.x[static_cast<std::size_t>(i)] = offset * (i + 1) + u(gen) + common;
    c.w = wHi == 0.0 ? 1.0 : uw(gen);
  }
  return cases;
}

}  // namespace kztest

#endif  // KZ_TESTS_MATH_STATS_KZMEANSORACLE_H
