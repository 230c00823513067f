// BLAS level-1 and LINPACK kernels against their peers in the same process:
// the reference BLAS and LAPACK, and single-threaded OpenBLAS. The peers export
// the same Fortran symbol names, so each is loaded by its own path with
// RTLD_LOCAL and called through dlsym. The reference BLAS is loaded before the
// reference LAPACK, whose libblas.so.3 dependency then binds to it (the plain
// name may point at OpenBLAS through Debian's alternatives).
//
// Each benchmark times our routine and the peer on the same input in the same
// iteration; the reported time is ours, the counter "ratio" is our total time
// over the peer's (below 1: we are faster). Run with OPENBLAS_NUM_THREADS=1.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "kzcommon12r/math/kernels/Blas1.h"
#include "kzcommon12r/math/kernels/Linpack.h"
#include "BenchPeerLibrary.h"


using KzMath_1_2::Blas1;
using KzMath_1_2::Linpack;

namespace {

using DdotFn = double (*)(const int*, const double*, const int*, const double*, const int*);
using DaxpyFn = void (*)(const int*, const double*, const double*, const int*, double*, const int*);
using DgetrfFn = void (*)(const int*, const int*, double*, const int*, int*, int*);
using DsptrfFn = void (*)(const char*, const int*, double*, int*, int*, std::size_t);

struct Peer {
  void* handle = nullptr;
  DdotFn ddot = nullptr;
  DaxpyFn daxpy = nullptr;
};

struct Peers {
  Peer ref;
  Peer open;
  DgetrfFn dgetrf = nullptr;
  DsptrfFn dsptrf = nullptr;
  std::string openCore;

  Peers() {
    ref.handle = kzbench::OpenPeer(KZ_REF_BLAS_SO);
    ref.ddot = kzbench::PeerSymbol<DdotFn>(ref.handle, "ddot_");
    ref.daxpy = kzbench::PeerSymbol<DaxpyFn>(ref.handle, "daxpy_");
    void* lapack = kzbench::OpenPeer(KZ_REF_LAPACK_SO);
    dgetrf = kzbench::PeerSymbol<DgetrfFn>(lapack, "dgetrf_");
    dsptrf = kzbench::PeerSymbol<DsptrfFn>(lapack, "dsptrf_");
    open.handle = kzbench::OpenPeer(KZ_OPENBLAS_SO);
    open.ddot = kzbench::PeerSymbol<DdotFn>(open.handle, "ddot_");
    open.daxpy = kzbench::PeerSymbol<DaxpyFn>(open.handle, "daxpy_");
    openCore = kzbench::UseOpenBlasSingleThreaded(open.handle);
  }
};

Peers& GetPeers() {
  static Peers peers;
  return peers;
}

// Which libblas.so.3 the process mapped (the reference LAPACK's dependency).
std::string MappedBlas() {
  std::ifstream maps("/proc/self/maps");
  std::string line, found;
  while (std::getline(maps, line)) {
    const std::size_t p = line.find('/');
    if (p != std::string::npos && line.find("libblas.so") != std::string::npos) {
      const std::string path = line.substr(p);
      if (found.find(path) == std::string::npos) found += (found.empty() ? "" : " ") + path;
    }
  }
  return found;
}

std::vector<double> Random(std::size_t n, unsigned seed) {
  std::mt19937_64 gen(seed);
  std::uniform_real_distribution<double> u(-1.0, 1.0);
  std::vector<double> v(n);
  for (double& x : v) x = u(gen);
  return v;
}

using Clock = std::chrono::steady_clock;

// Runs `ours` and `peer` (each `reps` times) in every iteration; the manual
// time is that of our batch of `reps` calls, "ns_per_call" and "peer_ns_per_call"
// the mean single-call times, "ratio" ours/peer over the whole run.
template <typename Ours, typename Theirs>
void Paired(benchmark::State& state, int reps, Ours&& ours, Theirs&& peer) {
  double tOurs = 0.0, tPeer = 0.0;
  for (auto _ : state) {
    const auto t0 = Clock::now();
    for (int r = 0; r < reps; ++r) ours();
    const auto t1 = Clock::now();
    for (int r = 0; r < reps; ++r) peer();
    const auto t2 = Clock::now();
    const double a = std::chrono::duration<double>(t1 - t0).count();
    tOurs += a;
    tPeer += std::chrono::duration<double>(t2 - t1).count();
    state.SetIterationTime(a);
  }
  const double calls = static_cast<double>(state.iterations()) * reps;
  state.counters["ratio"] = tPeer > 0.0 ? tOurs / tPeer : 0.0;
  state.counters["ns_per_call"] = tOurs * 1e9 / calls;
  state.counters["peer_ns_per_call"] = tPeer * 1e9 / calls;
}

// Enough calls per batch (about 1e5 elements) to dwarf the clock reads.
int RepsFor(long n) { return n >= 100000 ? 1 : static_cast<int>(100000 / n); }

void DDotAgainst(benchmark::State& state, const Peer& peer) {
  const int n = static_cast<int>(state.range(0));
  std::vector<double> x = Random(static_cast<std::size_t>(n), 1u);
  std::vector<double> y = Random(static_cast<std::size_t>(n), 2u);
  const int one = 1;
  Paired(
      state, RepsFor(n),
      [&] { benchmark::DoNotOptimize(Blas1::DDot(n, x.data(), 1, y.data(), 1)); },
      [&] { benchmark::DoNotOptimize(peer.ddot(&n, x.data(), &one, y.data(), &one)); });
  state.SetItemsProcessed(state.iterations() * n * RepsFor(n));
}

void DaxpyAgainst(benchmark::State& state, const Peer& peer) {
  const int n = static_cast<int>(state.range(0));
  std::vector<double> x = Random(static_cast<std::size_t>(n), 3u);
  std::vector<double> y = Random(static_cast<std::size_t>(n), 4u);
  const int one = 1;
  // a and -a alternate so y stays bounded over many repetitions.
  double a = 1e-3;
  Paired(
      state, RepsFor(n),
      [&] {
        a = -a;
        Blas1::Daxpy(n, a, x.data(), 1, y.data(), 1);
        benchmark::ClobberMemory();
      },
      [&] {
        a = -a;
        peer.daxpy(&n, &a, x.data(), &one, y.data(), &one);
        benchmark::ClobberMemory();
      });
  state.SetItemsProcessed(state.iterations() * n * RepsFor(n));
}

void BM_DDot_vsReference(benchmark::State& state) { DDotAgainst(state, GetPeers().ref); }
void BM_DDot_vsOpenBLAS(benchmark::State& state) {
  state.SetLabel("OpenBLAS core " + GetPeers().openCore);
  DDotAgainst(state, GetPeers().open);
}
void BM_Daxpy_vsReference(benchmark::State& state) { DaxpyAgainst(state, GetPeers().ref); }
void BM_Daxpy_vsOpenBLAS(benchmark::State& state) {
  state.SetLabel("OpenBLAS core " + GetPeers().openCore);
  DaxpyAgainst(state, GetPeers().open);
}

// Dgefa against reference LAPACK dgetrf: both factor a fresh copy of the same
// random matrix (the O(n^2) copy is in both timings).
void BM_Dgefa_vsDgetrf(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  std::vector<double> a0 = Random(static_cast<std::size_t>(n) * n, 5u);
  std::vector<double> a(a0.size());
  std::vector<int> piv(static_cast<std::size_t>(n));
  const DgetrfFn dgetrf = GetPeers().dgetrf;
  Paired(
      state, 1,
      [&] {
        a = a0;
        benchmark::DoNotOptimize(Linpack::Dgefa(a.data(), n, n, piv.data()));
      },
      [&] {
        a = a0;
        int info = 0;
        dgetrf(&n, &n, a.data(), &n, piv.data(), &info);
        benchmark::DoNotOptimize(info);
      });
}

// Dspfa against reference LAPACK dsptrf ("U", the same packed memory).
void BM_Dspfa_vsDsptrf(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  std::vector<double> a0 = Random(static_cast<std::size_t>(n) * (n + 1) / 2, 6u);
  std::vector<double> a(a0.size());
  std::vector<int> piv(static_cast<std::size_t>(n));
  const DsptrfFn dsptrf = GetPeers().dsptrf;
  Paired(
      state, 1,
      [&] {
        a = a0;
        benchmark::DoNotOptimize(Linpack::Dspfa(a.data(), n, piv.data()));
      },
      [&] {
        a = a0;
        int info = 0;
        dsptrf("U", &n, a.data(), piv.data(), &info, 1);
        benchmark::DoNotOptimize(info);
      });
}

BENCHMARK(BM_DDot_vsReference)->Arg(1000)->Arg(1000000)->UseManualTime();
BENCHMARK(BM_DDot_vsOpenBLAS)->Arg(1000)->Arg(1000000)->UseManualTime();
BENCHMARK(BM_Daxpy_vsReference)->Arg(1000)->Arg(1000000)->UseManualTime();
BENCHMARK(BM_Daxpy_vsOpenBLAS)->Arg(1000)->Arg(1000000)->UseManualTime();
BENCHMARK(BM_Dgefa_vsDgetrf)
    ->Arg(50)
    ->Arg(200)
    ->Arg(500)
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Dspfa_vsDsptrf)
    ->Arg(50)
    ->Arg(200)
    ->Arg(500)
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond);

// Names the peers' libraries in the benchmark context.
const bool kContext = [] {
  benchmark::AddCustomContext("openblas_core", GetPeers().openCore);
  benchmark::AddCustomContext("reference_lapack_blas", MappedBlas());
  return true;
}();

}  // namespace
