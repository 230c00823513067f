// Dense symmetric and rectangular matrix kernels against BLAS level-2/3 peers
// on the same memory, in the same process and the same iteration:
//  - KzSymMatrix::UpdateXX (one case, packed order p) against DSPR ("U": the
//    packed upper triangle by columns is our lower triangle by rows);
//  - KzSymMatrix::ComputeSV against DSPMV;
//  - KzRectMatrix::ComputeMatrixProduct against DGEMM at 200 x 200.
// The peers are the reference BLAS and single-threaded OpenBLAS. They export
// the same Fortran names, so each is loaded by its own path with RTLD_LOCAL and
// called through dlsym. The reported time is ours; the counter "ratio" is our
// total time over the peer's (below 1: we are faster), "peer_ns" the peer's
// time per call. The OpenBLAS kernel in use is printed in the context
// ("symmatrix_openblas_core"); OPENBLAS_CORETYPE selects another one.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "kzcommon12r/math/matrix/KzRectMatrix.h"
#include "kzcommon12r/math/matrix/KzSymMatrix.h"
#include "BenchPeerLibrary.h"


namespace {

using KzMath_1_2::KzRectMatrix;
using KzMath_1_2::KzSymMatrix;

using DsprFn = void (*)(const char*, const int*, const double*, const double*, const int*, double*,
                        std::size_t);
using DspmvFn = void (*)(const char*, const int*, const double*, const double*, const double*,
                         const int*, const double*, double*, const int*, std::size_t);
using DgemmFn = void (*)(const char*, const char*, const int*, const int*, const int*,
                         const double*, const double*, const int*, const double*, const int*,
                         const double*, double*, const int*, std::size_t, std::size_t);

struct BlasLib {
  void* handle = nullptr;
  DsprFn dspr = nullptr;
  DspmvFn dspmv = nullptr;
  DgemmFn dgemm = nullptr;
};

BlasLib Load(const char* path) {
  BlasLib lib;
  lib.handle = kzbench::OpenPeer(path);
  lib.dspr = kzbench::PeerSymbol<DsprFn>(lib.handle, "dspr_");
  lib.dspmv = kzbench::PeerSymbol<DspmvFn>(lib.handle, "dspmv_");
  lib.dgemm = kzbench::PeerSymbol<DgemmFn>(lib.handle, "dgemm_");
  return lib;
}

struct Peers {
  BlasLib ref;
  BlasLib open;
  std::string openCore = "unknown";
};

const Peers& GetPeers() {
  static const Peers peers = [] {
    Peers p;
    p.ref = Load(KZ_REF_BLAS_SO);
    p.open = Load(KZ_OPENBLAS_SO);
    p.openCore = kzbench::UseOpenBlasSingleThreaded(p.open.handle);
    return p;
  }();
  return peers;
}

std::vector<double> Random(std::size_t n, unsigned seed) {
  std::mt19937 gen(seed);
  std::uniform_real_distribution<double> u(-1.0, 1.0);
  std::vector<double> v(n);
  for (double& x : v) x = u(gen);
  return v;
}

// Runs `ours` and `peer`, each `reps` times, in every iteration; manual time is
// ours per call, "ratio" ours over peer for the whole run.
template <class Ours, class Peer>
void Paired(benchmark::State& state, int reps, Ours&& ours, Peer&& peer) {
  double tOurs = 0.0, tPeer = 0.0;
  for (auto _ : state) {
    const auto t0 = std::chrono::steady_clock::now();
    for (int r = 0; r < reps; ++r) ours();
    const auto t1 = std::chrono::steady_clock::now();
    for (int r = 0; r < reps; ++r) peer();
    const auto t2 = std::chrono::steady_clock::now();
    const double a = std::chrono::duration<double>(t1 - t0).count();
    tOurs += a;
    tPeer += std::chrono::duration<double>(t2 - t1).count();
    state.SetIterationTime(a / reps);
  }
  state.counters["ratio"] = tPeer > 0.0 ? tOurs / tPeer : 0.0;
  state.counters["peer_ns"] =
      benchmark::Counter(tPeer * 1e9 / (static_cast<double>(state.iterations()) * reps));
}

const BlasLib& Peer(int which) { return which == 0 ? GetPeers().ref : GetPeers().open; }

// One case into a packed matrix of order p. Both sides update their own copy
// of the same matrix with the same row; a tiny weight keeps the values bounded.
void BM_UpdateXX(benchmark::State& state) {
  const int p = static_cast<int>(state.range(0));
  const BlasLib& lib = Peer(static_cast<int>(state.range(1)));
  KzSymMatrix ours(p);
  std::vector<double> theirs(ours.AsVectorConst());
  const std::vector<double> x = Random(static_cast<std::size_t>(p), 7);
  const double w = 1e-9;
  const int inc = 1;
  const int reps = p <= 20 ? 64 : p <= 100 ? 8 : 1;
  Paired(
      state, reps, [&] { ours.UpdateXX(x, w); benchmark::ClobberMemory(); },
      [&] { lib.dspr("U", &p, &w, x.data(), &inc, theirs.data(), 1); benchmark::ClobberMemory(); });
  state.SetItemsProcessed(state.iterations() * reps * static_cast<long>(p) * (p + 1) / 2);
}

void BM_ComputeSV(benchmark::State& state) {
  const int p = static_cast<int>(state.range(0));
  const BlasLib& lib = Peer(static_cast<int>(state.range(1)));
  KzSymMatrix s(p);
  const std::vector<double> packed = Random(KzSymMatrix::PackedSize(p), 8);
  std::copy(packed.begin(), packed.end(), s.Data());
  const std::vector<double> v = Random(static_cast<std::size_t>(p), 9);
  std::vector<double> y(static_cast<std::size_t>(p)), z(static_cast<std::size_t>(p));
  const double one = 1.0, zero = 0.0;
  const int inc = 1;
  const int reps = p <= 20 ? 64 : p <= 100 ? 8 : 1;
  Paired(
      state, reps, [&] { s.ComputeSV(v, y); benchmark::DoNotOptimize(y.data()); },
      [&] {
        lib.dspmv("U", &p, &one, packed.data(), v.data(), &inc, &zero, z.data(), &inc, 1);
        benchmark::DoNotOptimize(z.data());
      });
  state.SetItemsProcessed(state.iterations() * reps * static_cast<long>(p) * p);
}

void BM_MatrixProduct(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  const BlasLib& lib = Peer(static_cast<int>(state.range(1)));
  KzRectMatrix a(n, n), b(n, n), c;
  const std::vector<double> av = Random(static_cast<std::size_t>(n) * n, 10);
  const std::vector<double> bv = Random(static_cast<std::size_t>(n) * n, 11);
  std::copy(av.begin(), av.end(), a.Data());
  std::copy(bv.begin(), bv.end(), b.Data());
  std::vector<double> ref(static_cast<std::size_t>(n) * n);
  const double one = 1.0, zero = 0.0;
  Paired(
      state, 1, [&] { a.ComputeMatrixProduct(b, c); benchmark::DoNotOptimize(c.Data()); },
      [&] {
        // Row-major C = A B is column-major Cᵀ = Bᵀ Aᵀ.
        lib.dgemm("N", "N", &n, &n, &n, &one, b.Data(), &n, a.Data(), &n, &zero, ref.data(), &n,
                  1, 1);
        benchmark::DoNotOptimize(ref.data());
      });
  state.SetItemsProcessed(state.iterations() * static_cast<long>(n) * n * n);
}

// Second argument: 0 the reference BLAS, 1 OpenBLAS (one thread).
BENCHMARK(BM_UpdateXX)->ArgsProduct({{20, 100, 400}, {0, 1}})->UseManualTime();
BENCHMARK(BM_ComputeSV)->ArgsProduct({{20, 100, 400}, {0, 1}})->UseManualTime();
BENCHMARK(BM_MatrixProduct)->ArgsProduct({{200}, {0, 1}})->UseManualTime();

const bool kContext = [] {
  benchmark::AddCustomContext("symmatrix_openblas_core", GetPeers().openCore);
  return true;
}();

}  // namespace
