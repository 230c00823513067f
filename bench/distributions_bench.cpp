// Distribution functions against R's standalone math library (Rmath, Debian
// r-mathlib) on the same inputs in the same run. Each benchmark times both
// loops in every iteration, reports this library's time and the counter
// `ratio` = (time of KzDistFun) / (time of Rmath) over the whole run.

#define MATHLIB_STANDALONE
#include <Rmath.h>
#undef beta
#undef gamma

#include <benchmark/benchmark.h>

#include <chrono>
#include <cmath>
#include <random>
#include <vector>

#include "KzDistFunAccess.h"
#include "kzcommon12r/math/stats/KzDistFun.h"

namespace {

using KzMath_1_2::KzDistFun;
using KzMath_1_2::KzDistFunAccess;
using Clock = std::chrono::steady_clock;

constexpr int kPoints = 4096;

struct Input {
  std::vector<double> x, a, b;
};

// Fixed-seed inputs: x uniform on [lo, hi], parameters cycling through pairs.
Input MakeInput(double lo, double hi, const std::vector<std::pair<double, double>>& params,
                unsigned seed) {
  std::mt19937_64 gen(seed);
  std::uniform_real_distribution<double> u(lo, hi);
  Input in;
  for (int i = 0; i < kPoints; ++i) {
    in.x.push_back(u(gen));
    const auto& p = params[static_cast<size_t>(i) % params.size()];
    in.a.push_back(p.first);
    in.b.push_back(p.second);
  }
  return in;
}

// Times `ours` and `peer` over the input in each iteration; the manual time is
// ours, the ratio counter compares the two over all iterations.
template <typename Ours, typename Peer>
void Paired(benchmark::State& state, const Input& in, Ours ours, Peer peer) {
  double tOurs = 0.0, tPeer = 0.0;
  for (auto _ : state) {
    const auto t0 = Clock::now();
    for (int i = 0; i < kPoints; ++i) benchmark::DoNotOptimize(ours(in, i));
    const auto t1 = Clock::now();
    for (int i = 0; i < kPoints; ++i) benchmark::DoNotOptimize(peer(in, i));
    const auto t2 = Clock::now();
    const double d1 = std::chrono::duration<double>(t1 - t0).count();
    const double d2 = std::chrono::duration<double>(t2 - t1).count();
    tOurs += d1;
    tPeer += d2;
    state.SetIterationTime(d1);
  }
  state.SetItemsProcessed(state.iterations() * kPoints);
  state.counters["ratio"] = tOurs / tPeer;
  state.counters["peer_ns"] = 1e9 * tPeer / (static_cast<double>(state.iterations()) * kPoints);
}

void BM_CdfStdNorm_vs_pnorm(benchmark::State& state) {
  const Input in = MakeInput(-8.0, 8.0, {{0, 0}}, 1u);
  Paired(
      state, in, [](const Input& d, int i) { return KzDistFun::CdfStdNorm(d.x[i]); },
      [](const Input& d, int i) { return pnorm(d.x[i], 0.0, 1.0, 1, 0); });
}

void BM_IdfStdNorm_vs_qnorm(benchmark::State& state) {
  // Three in four probabilities uniform on (0, 1), one in four 10^-U(1, 300).
  Input in = MakeInput(0.0, 1.0, {{0, 0}}, 2u);
  std::mt19937_64 gen(3u);
  std::uniform_real_distribution<double> e(1.0, 300.0);
  for (int i = 0; i < kPoints; i += 4) in.x[static_cast<size_t>(i)] = std::pow(10.0, -e(gen));
  for (double& p : in.x) {
    if (p == 0.0) p = 0.5;
  }
  Paired(
      state, in, [](const Input& d, int i) { return KzDistFun::IdfStdNorm(d.x[i]); },
      [](const Input& d, int i) { return qnorm(d.x[i], 0.0, 1.0, 1, 0); });
}

void BM_CdfT_vs_pt(benchmark::State& state) {
  const Input in = MakeInput(-6.0, 6.0, {{3, 0}, {7, 0}, {15, 0}, {40, 0}}, 4u);
  Paired(
      state, in, [](const Input& d, int i) { return KzDistFun::CdfT(d.x[i], d.a[i]); },
      [](const Input& d, int i) { return pt(d.x[i], d.a[i], 1, 0); });
}

void BM_CdfChi_vs_pchisq(benchmark::State& state) {
  Input in = MakeInput(0.2, 3.0, {{1, 0}, {4, 0}, {10, 0}, {50, 0}}, 5u);
  for (int i = 0; i < kPoints; ++i) in.x[i] *= in.a[i];
  Paired(
      state, in, [](const Input& d, int i) { return KzDistFun::CdfChi(d.x[i], d.a[i]); },
      [](const Input& d, int i) { return pchisq(d.x[i], d.a[i], 1, 0); });
}

void BM_CdfF_vs_pf(benchmark::State& state) {
  const Input in = MakeInput(0.1, 5.0, {{3, 10}, {5, 30}, {10, 10}, {2, 50}}, 6u);
  Paired(
      state, in, [](const Input& d, int i) { return KzDistFun::CdfF(d.x[i], d.a[i], d.b[i]); },
      [](const Input& d, int i) { return pf(d.x[i], d.a[i], d.b[i], 1, 0); });
}

void BM_IncBeta_vs_pbeta(benchmark::State& state) {
  const Input in = MakeInput(0.01, 0.99, {{0.5, 3}, {2, 5}, {10, 10}, {30, 4}}, 7u);
  Paired(
      state, in,
      [](const Input& d, int i) {
        long err;
        return KzDistFunAccess::Beta(d.x[i], d.a[i], d.b[i], err);
      },
      [](const Input& d, int i) { return pbeta(d.x[i], d.a[i], d.b[i], 1, 0); });
}

void BM_IdfChi_vs_qchisq(benchmark::State& state) {
  const Input in = MakeInput(0.001, 0.999, {{1, 0}, {4, 0}, {10, 0}, {50, 0}}, 8u);
  Paired(
      state, in, [](const Input& d, int i) { return KzDistFun::IdfChi(d.x[i], d.a[i]); },
      [](const Input& d, int i) { return qchisq(d.x[i], d.a[i], 1, 0); });
}

BENCHMARK(BM_CdfStdNorm_vs_pnorm)->UseManualTime();
BENCHMARK(BM_IdfStdNorm_vs_qnorm)->UseManualTime();
BENCHMARK(BM_CdfT_vs_pt)->UseManualTime();
BENCHMARK(BM_CdfChi_vs_pchisq)->UseManualTime();
BENCHMARK(BM_CdfF_vs_pf)->UseManualTime();
BENCHMARK(BM_IncBeta_vs_pbeta)->UseManualTime();
BENCHMARK(BM_IdfChi_vs_qchisq)->UseManualTime();

}  // namespace
