#ifndef KZ_BENCH_BENCHPAIRED_H
#define KZ_BENCH_BENCHPAIRED_H

// Paired timing of our routine and its peer on the same input in the same
// iteration, for benchmarks whose calls overwrite their input.

#include <benchmark/benchmark.h>

#include <chrono>

namespace kzbench {

using Clock = std::chrono::steady_clock;

inline double Seconds(Clock::time_point a, Clock::time_point b) {
  return std::chrono::duration<double>(b - a).count();
}

/// Each iteration restores both inputs (untimed), then times ours and the peer
/// on the same values. The manual time is ours; the counter "ratio" is our
/// total time over the peer's (below 1: we are faster), "peer_ns" the peer's
/// time per call.
template <class Reset, class Ours, class Theirs>
void Paired(benchmark::State& state, Reset&& reset, Ours&& ours, Theirs&& theirs) {
  double tOurs = 0.0, tPeer = 0.0;
  for (auto _ : state) {
    reset();
    const auto t0 = Clock::now();
    ours();
    benchmark::ClobberMemory();
    const auto t1 = Clock::now();
    theirs();
    benchmark::ClobberMemory();
    const auto t2 = Clock::now();
    tOurs += Seconds(t0, t1);
    tPeer += Seconds(t1, t2);
    state.SetIterationTime(Seconds(t0, t1));
  }
  state.counters["ratio"] = tPeer > 0.0 ? tOurs / tPeer : 0.0;
  state.counters["peer_ns"] = tPeer * 1e9 / static_cast<double>(state.iterations());
}

}  // namespace kzbench

#endif  // KZ_BENCH_BENCHPAIRED_H
