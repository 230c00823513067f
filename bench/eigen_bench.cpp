// Symmetric eigenproblems against LAPACK on the same matrices, in the same
// process and the same iteration:
//  - KzEigenValues::Compute (H alone) against DSYEV, eigenvalues only ("N")
//    and with eigenvectors ("V");
//  - KzEigenValues::SetEMatrix + Compute (H x = λ E x, E positive definite)
//    against DSYGV (itype 1), both jobs. DSYGV's vectors include the
//    multiplication by L⁻ᵀ, which Compute leaves to the caller.
// at n = 100 and 500. Our tolerance is set to the machine epsilon, LAPACK's
// own convergence test; the figures at the default tolerance (1e-12) are the
// "default tolerance" rows.
// Peers: the reference LAPACK on the reference BLAS (the same algorithm
// family: Householder tridiagonalisation, implicit QL/QR), and
// single-threaded OpenBLAS. Both export the same Fortran names, so each is
// loaded by its own path with RTLD_LOCAL and called through dlsym; the
// reference BLAS is loaded first so that the reference LAPACK binds to it.
// The reported time is ours per call; "ratio" is our time over the peer's
// (below 1: we are faster). The OpenBLAS kernel is printed in the context
// ("eigen_openblas_core").
#include <benchmark/benchmark.h>

#include <cstddef>
#include <limits>
#include <string>
#include <vector>

#include "kzcommon12r/math/matrix/KzEigenValues.h"
#include "kzcommon12r/math/matrix/KzRectMatrix.h"
#include "kzcommon12r/math/matrix/KzSymMatrix.h"
#include "BenchPaired.h"
#include "BenchPeerLibrary.h"

namespace {

using KzMath_1_2::KzEigenValues;
using KzMath_1_2::KzRectMatrix;
using KzMath_1_2::KzSymMatrix;

using SyevFn = void (*)(const char*, const char*, const int*, double*, const int*, double*,
                        double*, const int*, int*, std::size_t, std::size_t);
using SygvFn = void (*)(const int*, const char*, const char*, const int*, double*, const int*,
                        double*, const int*, double*, double*, const int*, int*, std::size_t,
                        std::size_t);

struct Lapack {
  SyevFn syev = nullptr;
  SygvFn sygv = nullptr;
};

Lapack Bind(void* h) {
  return {kzbench::PeerSymbol<SyevFn>(h, "dsyev_"), kzbench::PeerSymbol<SygvFn>(h, "dsygv_")};
}

struct Peers {
  Lapack ref, open;
};

const Peers& GetPeers() {
  static const Peers peers = [] {
    Peers p;
    kzbench::OpenPeer(KZ_REF_BLAS_SO);
    p.ref = Bind(kzbench::OpenPeer(KZ_REF_LAPACK_SO));
    void* ob = kzbench::OpenPeer(KZ_OPENBLAS_SO);
    p.open = Bind(ob);
    benchmark::AddCustomContext("eigen_openblas_core", kzbench::UseOpenBlasSingleThreaded(ob));
    return p;
  }();
  return peers;
}

const bool kPeersLoaded = (GetPeers(), true);

// Full symmetric n x n (row- and column-major alike) with entries from a
// fixed linear congruential sequence in [-1, 1); plus `shift` on the diagonal.
std::vector<double> SymmetricFull(int n, unsigned seed, double shift) {
  std::vector<double> a(static_cast<std::size_t>(n) * n);
  unsigned x = seed;
  for (int i = 0; i < n; ++i)
    for (int j = 0; j <= i; ++j) {
      x = x * 1664525u + 1013904223u;
      const double v = static_cast<double>(x >> 8) / 8388608.0 - 1.0;
      a[static_cast<std::size_t>(i) * n + j] = a[static_cast<std::size_t>(j) * n + i] =
          v + (i == j ? shift : 0.0);
    }
  return a;
}

KzSymMatrix SymOf(const std::vector<double>& full, int n) {
  KzSymMatrix m(n);
  for (int i = 0; i < n; ++i)
    for (int j = 0; j <= i; ++j) m.SetElem(i, j, full[static_cast<std::size_t>(i) * n + j]);
  return m;
}

int WorkSize(const Lapack& lib, bool general, const char* jobz, int n) {
  double query = 0.0;
  int info = 0, lwork = -1, one = 1;
  if (general)
    lib.sygv(&one, jobz, "L", &n, nullptr, &n, nullptr, &n, nullptr, &query, &lwork, &info, 1, 1);
  else
    lib.syev(jobz, "L", &n, nullptr, &n, nullptr, &query, &lwork, &info, 1, 1);
  return static_cast<int>(query);
}

// Args: n, peer (0 reference LAPACK, 1 OpenBLAS), vectors (0/1), general
// (0/1), default tolerance (0/1).
void BM_Eigen(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  const Lapack& lib = state.range(1) == 0 ? GetPeers().ref : GetPeers().open;
  const bool vectors = state.range(2) != 0;
  const bool general = state.range(3) != 0;
  const double tol = state.range(4) != 0 ? 1e-12 : std::numeric_limits<double>::epsilon();
  const char* jobz = vectors ? "V" : "N";
  const std::vector<double> h0 = SymmetricFull(n, 7u, 0.0);
  // E = a diagonally dominant positive definite matrix.
  const std::vector<double> e0 = SymmetricFull(n, 11u, static_cast<double>(n));
  const KzSymMatrix e = SymOf(e0, n);
  KzEigenValues ev(SymOf(h0, n), tol, 30);
  std::vector<double> a, b, w(static_cast<std::size_t>(n)), values;
  std::vector<double> work(static_cast<std::size_t>(WorkSize(lib, general, jobz, n)));
  const int lwork = static_cast<int>(work.size());
  KzRectMatrix x;
  int info = 0, r = 0;
  const int one = 1;
  kzbench::Paired(
      state,
      [&] {
        a = h0;
        b = e0;
      },
      [&] {
        if (general) ev.SetEMatrix(e);
        r = vectors ? ev.Compute(values, x) : ev.Compute(values);
      },
      [&] {
        if (general)
          lib.sygv(&one, jobz, "L", &n, a.data(), &n, b.data(), &n, w.data(), work.data(), &lwork,
                   &info, 1, 1);
        else
          lib.syev(jobz, "L", &n, a.data(), &n, w.data(), work.data(), &lwork, &info, 1, 1);
      });
  if (r != n || info != 0) state.SkipWithError("eigenproblem failed");
}

void EigenArgs(benchmark::internal::Benchmark* b) {
  b->ArgNames({"n", "peer", "vectors", "general", "default_tol"});
  for (int general : {0, 1})
    for (int vectors : {0, 1})
      for (int n : {100, 500})
        for (int peer : {0, 1}) b->Args({n, peer, vectors, general, 0});
  for (int vectors : {0, 1})
    for (int n : {100, 500}) b->Args({n, 0, vectors, 0, 1});
  b->UseManualTime()->Unit(benchmark::kMillisecond);
}

BENCHMARK(BM_Eigen)->Apply(EigenArgs);

}  // namespace
