// Packed symmetric factorisations against LAPACK on the same memory, in the
// same process and the same iteration:
//  - KzSymMatrix::LTChol against DPPTRF('U') at p = 50, 200, 500 (the packed
//    upper triangle by columns is our lower triangle by rows);
//  - SweepOnMany over all pivots (p = 200) against DPPTRF (p = 200);
//  - CholInverse against DPPTRF + DPPTRI;
//  - LTSolve against DPPSV (one right-hand side).
// Peers: the reference LAPACK on the reference BLAS, and single-threaded
// OpenBLAS. They export the same Fortran names, so each is loaded by its own
// path with RTLD_LOCAL and called through dlsym; the reference BLAS is loaded
// before the reference LAPACK so that LAPACK's libblas.so.3 binds to it (the
// plain name resolves to OpenBLAS through Debian's alternatives). The reported
// time is ours per call; "ratio" is our time over the peer's (below 1: we are
// faster) and "peer_ns" the peer's time per call. The OpenBLAS kernel is printed
// in the context ("factor_openblas_core"); OPENBLAS_CORETYPE selects another.
#include <benchmark/benchmark.h>
#include <dlfcn.h>

#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "kzcommon12r/math/matrix/KzBitSet.h"
#include "kzcommon12r/math/matrix/KzSymMatrix.h"
#include "BenchPaired.h"
#include "BenchPeerLibrary.h"

namespace {

using KzMath_1_2::KzBitSet;
using KzMath_1_2::KzSymMatrix;

constexpr const char* kRefBlas = KZ_REF_BLAS_SO;
constexpr const char* kRefLapack = KZ_REF_LAPACK_SO;
constexpr const char* kOpenBlas = KZ_OPENBLAS_SO;

using PackedFn = void (*)(const char*, const int*, double*, int*, std::size_t);
using PpsvFn = void (*)(const char*, const int*, const int*, double*, double*, const int*, int*,
                        std::size_t);

struct Lapack {
  PackedFn pptrf = nullptr;
  PackedFn pptri = nullptr;
  PpsvFn ppsv = nullptr;
  std::string blasFile;  // where the library's DDOT comes from
};

Lapack Bind(void* h) {
  Lapack l;
  l.pptrf = kzbench::PeerSymbol<PackedFn>(h, "dpptrf_");
  l.pptri = kzbench::PeerSymbol<PackedFn>(h, "dpptri_");
  l.ppsv = kzbench::PeerSymbol<PpsvFn>(h, "dppsv_");
  Dl_info info;
  void* ddot = dlsym(h, "ddot_");
  if (ddot != nullptr && dladdr(ddot, &info) != 0 && info.dli_fname != nullptr)
    l.blasFile = info.dli_fname;
  return l;
}

struct Peers {
  Lapack ref, open;
  std::string openCore = "unknown";
};

const Peers& GetPeers() {
  static const Peers peers = [] {
    Peers p;
    kzbench::OpenPeer(kRefBlas);  // first: the reference LAPACK's libblas.so.3 binds to it
    p.ref = Bind(kzbench::OpenPeer(kRefLapack));
    void* ob = kzbench::OpenPeer(kOpenBlas);
    p.open = Bind(ob);
    p.openCore = kzbench::UseOpenBlasSingleThreaded(ob);
    benchmark::AddCustomContext("factor_openblas_core", p.openCore);
    benchmark::AddCustomContext("factor_ref_lapack_blas", p.ref.blasFile);
    return p;
  }();
  return peers;
}

const Lapack& Peer(int which) { return which == 0 ? GetPeers().ref : GetPeers().open; }

// Loaded before the run starts, so that the context lines are printed.
const bool kPeersLoaded = (GetPeers(), true);

// Packed C Cᵀ / p + I: positive definite, well conditioned, fixed seed.
std::vector<double> SpdPacked(int p, unsigned seed) {
  std::mt19937 gen(seed);
  std::uniform_real_distribution<double> u(-1.0, 1.0);
  std::vector<double> c(static_cast<std::size_t>(p) * p);
  for (double& x : c) x = u(gen);
  std::vector<double> a(static_cast<std::size_t>(p) * (p + 1) / 2);
  std::size_t pos = 0;
  for (int i = 0; i < p; ++i)
    for (int j = 0; j <= i; ++j) {
      double s = 0.0;
      for (int k = 0; k < p; ++k) s += c[static_cast<std::size_t>(i) * p + k] * c[static_cast<std::size_t>(j) * p + k];
      a[pos++] = s / p + (i == j ? 1.0 : 0.0);
    }
  return a;
}

KzSymMatrix SymOf(const std::vector<double>& packed, int p) {
  KzSymMatrix m(p);
  std::size_t pos = 0;
  for (int i = 0; i < p; ++i)
    for (int j = 0; j <= i; ++j) m.SetElem(i, j, packed[pos++]);
  return m;
}

using kzbench::Paired;

// Args: p, peer (0 reference LAPACK, 1 OpenBLAS).
void BM_LTChol(benchmark::State& state) {
  const int p = static_cast<int>(state.range(0));
  const Lapack& lib = Peer(static_cast<int>(state.range(1)));
  const std::vector<double> a0 = SpdPacked(p, 11);
  const KzSymMatrix m0 = SymOf(a0, p);
  std::vector<double> d;
  m0.GetDiagonal(d);
  KzSymMatrix m;
  std::vector<double> ap;
  int info = 0, rc = 0;
  Paired(
      state, [&] { m = m0; ap = a0; }, [&] { rc = m.LTChol(d, 1e-12, false); },
      [&] { lib.pptrf("U", &p, ap.data(), &info, 1); });
  if (rc != 0 || info != 0) state.SkipWithError("factorisation failed");
}

// All p pivots swept, against one DPPTRF of the same order.
void BM_SweepOnMany(benchmark::State& state) {
  const int p = static_cast<int>(state.range(0));
  const Lapack& lib = Peer(static_cast<int>(state.range(1)));
  const std::vector<double> a0 = SpdPacked(p, 12);
  const KzSymMatrix m0 = SymOf(a0, p);
  KzSymMatrix m;
  KzBitSet swept(p);
  std::vector<double> ap;
  double logDet = 0.0;
  int info = 0;
  bool ok = true;
  Paired(
      state, [&] { m = m0; ap = a0; },
      [&] { ok = m.SweepOnMany(p, 1e-12, true, swept, logDet, false) && ok; },
      [&] { lib.pptrf("U", &p, ap.data(), &info, 1); });
  if (!ok || swept.InSet() != p) state.SkipWithError("sweep failed");
}

void BM_CholInverse(benchmark::State& state) {
  const int p = static_cast<int>(state.range(0));
  const Lapack& lib = Peer(static_cast<int>(state.range(1)));
  const std::vector<double> a0 = SpdPacked(p, 13);
  const KzSymMatrix m0 = SymOf(a0, p);
  std::vector<double> d;
  m0.GetDiagonal(d);
  KzSymMatrix inv(p);
  std::vector<double> ap;
  int info = 0, rank = 0;
  Paired(
      state, [&] { ap = a0; }, [&] { rank = m0.CholInverse(d, 1e-12, inv); },
      [&] {
        lib.pptrf("U", &p, ap.data(), &info, 1);
        lib.pptri("U", &p, ap.data(), &info, 1);
      });
  if (rank != p || info != 0) state.SkipWithError("inverse failed");
}

void BM_LTSolve(benchmark::State& state) {
  const int p = static_cast<int>(state.range(0));
  const Lapack& lib = Peer(static_cast<int>(state.range(1)));
  const std::vector<double> a0 = SpdPacked(p, 14);
  const KzSymMatrix m0 = SymOf(a0, p);
  std::vector<double> b0(static_cast<std::size_t>(p));
  for (int i = 0; i < p; ++i) b0[static_cast<std::size_t>(i)] = 1.0 / (i + 1);
  KzSymMatrix m;
  std::vector<double> ap, b, x;
  int info = 0, rc = 0;
  const int one = 1;
  Paired(
      state, [&] { m = m0; ap = a0; b = b0; }, [&] { rc = m.LTSolve(b0, 1e-12, x); },
      [&] { lib.ppsv("U", &p, &one, ap.data(), b.data(), &p, &info, 1); });
  if (rc != 0 || info != 0) state.SkipWithError("solve failed");
}

void PeerArgs(benchmark::internal::Benchmark* b, std::initializer_list<int> sizes) {
  b->ArgNames({"p", "peer"});
  for (int p : sizes)
    for (int peer : {0, 1}) b->Args({p, peer});
  b->UseManualTime()->Unit(benchmark::kMicrosecond);
}

BENCHMARK(BM_LTChol)->Apply([](benchmark::internal::Benchmark* b) { PeerArgs(b, {50, 200, 500}); });
BENCHMARK(BM_SweepOnMany)->Apply([](benchmark::internal::Benchmark* b) { PeerArgs(b, {200}); });
BENCHMARK(BM_CholInverse)->Apply([](benchmark::internal::Benchmark* b) {
  PeerArgs(b, {50, 200, 500});
});
BENCHMARK(BM_LTSolve)->Apply([](benchmark::internal::Benchmark* b) { PeerArgs(b, {50, 200, 500}); });

}  // namespace
