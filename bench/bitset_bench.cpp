// Bit-set counting against a plain std::vector<bool> count, the peer every
// caller would otherwise write.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <random>
#include <vector>

#include "kzcommon12r/math/matrix/KzBitSet.h"

namespace {

std::vector<bool> RandomFlags(int n) {
  std::mt19937 gen(20261207u);
  std::vector<bool> flags(static_cast<size_t>(n));
  for (int i = 0; i < n; ++i) flags[static_cast<size_t>(i)] = (gen() & 1u) != 0;
  return flags;
}

void BM_KzBitSetInSet(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  const std::vector<bool> flags = RandomFlags(n);
  KzMath_1_2::KzBitSet set(n);
  for (int i = 0; i < n; ++i) set.Set(i, flags[static_cast<size_t>(i)]);
  for (auto _ : state) benchmark::DoNotOptimize(set.InSet());
  state.SetItemsProcessed(state.iterations() * n);
}

void BM_PeerVectorBoolCount(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  const std::vector<bool> flags = RandomFlags(n);
  for (auto _ : state) benchmark::DoNotOptimize(std::count(flags.begin(), flags.end(), true));
  state.SetItemsProcessed(state.iterations() * n);
}

BENCHMARK(BM_KzBitSetInSet)->RangeMultiplier(8)->Range(64, 1 << 18);
BENCHMARK(BM_PeerVectorBoolCount)->RangeMultiplier(8)->Range(64, 1 << 18);

}  // namespace
