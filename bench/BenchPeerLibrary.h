#ifndef KZ_BENCH_BENCHPEERLIBRARY_H
#define KZ_BENCH_BENCHPEERLIBRARY_H

// Loading the BLAS and LAPACK peers of the benchmarks. The reference libraries
// and OpenBLAS export the same symbol names (and Debian's alternatives may
// point libblas.so.3 at either), so each peer is opened by its own path with
// RTLD_LOCAL and its routines are called through dlsym.

#include <dlfcn.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#ifndef KZ_REF_BLAS_SO
#define KZ_REF_BLAS_SO "/usr/lib/x86_64-linux-gnu/blas/libblas.so.3"
#endif
#ifndef KZ_REF_LAPACK_SO
#define KZ_REF_LAPACK_SO "/usr/lib/x86_64-linux-gnu/lapack/liblapack.so.3"
#endif
#ifndef KZ_OPENBLAS_SO
#define KZ_OPENBLAS_SO "/usr/lib/x86_64-linux-gnu/openblas-pthread/libopenblas.so.0"
#endif

namespace kzbench {

/// Opens a peer library; a benchmark cannot run without it, so failure exits.
inline void* OpenPeer(const char* path) {
  void* handle = dlopen(path, RTLD_NOW | RTLD_LOCAL);
  if (handle == nullptr) {
    std::fprintf(stderr, "cannot load %s: %s\n", path, dlerror());
    std::exit(2);
  }
  return handle;
}

/// A routine of an opened peer; a missing one exits.
template <typename Fn>
Fn PeerSymbol(void* handle, const char* name) {
  void* p = dlsym(handle, name);
  if (p == nullptr) {
    std::fprintf(stderr, "missing symbol %s\n", name);
    std::exit(2);
  }
  return reinterpret_cast<Fn>(p);
}

/// Makes an opened OpenBLAS single-threaded (per-core comparisons) and returns
/// the name of the kernel it runs, to be reported with every figure.
inline std::string UseOpenBlasSingleThreaded(void* openblas) {
  PeerSymbol<void (*)(int)>(openblas, "openblas_set_num_threads")(1);
  const char* core = PeerSymbol<char* (*)()>(openblas, "openblas_get_corename")();
  return core != nullptr ? core : "unknown";
}

}  // namespace kzbench

#endif  // KZ_BENCH_BENCHPEERLIBRARY_H
